// The window's print surface: positions, colours and the sign glyphs, drawn into real Qt
// images.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QRawFont>

#include "host/core/angles_table.h"
#include "host/qt/image_surface.h"

namespace orbelle::host {
namespace {

// Bounding columns and rows of the pixels of exactly `colour`.
QRect PixelsOf(const QImage& image, QColor colour) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == colour) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST(ImageSurface, FontHasEverySignGlyph) {
  const QRawFont font = QRawFont::fromFont(TableFont(9.75));
  ASSERT_TRUE(font.isValid());
  for (int code = 93; code <= 106; ++code) {
    const QString glyph = QString::fromStdString(SignGlyphText(static_cast<char32_t>(code)));
    EXPECT_TRUE(font.supportsCharacter(glyph.at(0)))
        << "code " << code << " U+" << std::hex << int(glyph.at(0).unicode());
  }
}

TEST(ImageSurface, PrintsAtThePrintPositionAndEndsLines) {
  ImageSurface surface(QSize(300, 80), 96);
  surface.SetColour(12);  // red
  surface.SetX(100);
  surface.Print("ab", false);
  const float after_ab = 100 + surface.TextWidth("ab");
  surface.SetColour(9);  // blue, continues on the line after "ab"
  surface.Print("cd", true);
  surface.SetColour(2);  // green, the next line at the left edge
  surface.Print("ef", false);

  const QRect red = PixelsOf(surface.Image(), QColor(255, 0, 0));
  const QRect blue = PixelsOf(surface.Image(), QColor(0, 0, 255));
  const QRect green = PixelsOf(surface.Image(), QColor(0, 128, 0));
  ASSERT_FALSE(red.isEmpty());
  ASSERT_FALSE(blue.isEmpty());
  ASSERT_FALSE(green.isEmpty());
  EXPECT_GE(red.left(), 100);
  EXPECT_LE(red.right(), after_ab + 1);
  EXPECT_GE(blue.left(), after_ab - 1);
  EXPECT_LT(green.left(), 10);
  EXPECT_GT(green.top(), red.bottom() - 2);  // one line lower

  surface.Clear();
  EXPECT_TRUE(PixelsOf(surface.Image(), QColor(255, 0, 0)).isEmpty());
}

TEST(ImageSurface, SignFontPrintsTheZodiacSymbolOfTheCharacterCode) {
  ImageSurface by_code(QSize(60, 30), 96), by_symbol(QSize(60, 30), 96);
  by_code.SetFontName(kSignFontName);
  by_code.Print("`", false);  // character code 96: Gemini in the sign font
  by_symbol.Print("\u264A", false);
  EXPECT_EQ(by_code.Image(), by_symbol.Image());
  EXPECT_EQ(by_code.TextWidth("`"), by_symbol.TextWidth("\u264A"));
  EXPECT_EQ(by_code.FontName(), kSignFontName);
}

TEST(ImageSurface, TableFitsAndEveryRowHasItsColour) {
  ImageSurface surface(QSize(1, 1), 96);
  surface.Resize(surface.TableSize());
  AnglesTable table;
  table.PrintAngles("2000-01-01 12:00", surface);
  EXPECT_EQ(surface.FontName(), kTableFontName);

  // Each row's colour in its own band, and nothing in the margin at the right edge: the
  // longest row fits (the Moon's row is black, like the request line above).
  const double line = QFontMetricsF(TableFont(9.75), &surface.Image()).lineSpacing();
  const QImage right_margin = surface.Image().copy(surface.Image().width() - 4, 0, 4, surface.Image().height());
  for (int row = 0; row < kRowCount; ++row) {
    const PaletteColour p = PaletteEntry(table.Rows().rows[static_cast<std::size_t>(row)].colour);
    const QColor c(p.red, p.green, p.blue);
    const QImage band =
        surface.Image().copy(0, static_cast<int>((row + 3) * line), surface.Image().width(), static_cast<int>(line));
    EXPECT_FALSE(PixelsOf(band, c).isEmpty()) << "row " << row;
    EXPECT_TRUE(row == 1 || PixelsOf(right_margin, c).isEmpty()) << "row " << row;
  }
}

}  // namespace
}  // namespace orbelle::host
