// A drawing surface that paints into an image, as a desktop form prints on its persistent
// bitmap: what is printed stays until the next Clear, and the window shows the image.
//
// Widths and positions are in pixels of the image. The form's own font is named
// kTableFontName ("MS Sans Serif", for which a sans-serif face of the same size stands in);
// switching to kSignFontName prints sign-font character codes as the zodiac symbols of a
// Unicode font of the same size.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

#include "host/core/drawing_surface.h"
#include "host/qt/table_palette.h"

namespace orbelle::host {

inline constexpr const char* kTableFontName = "MS Sans Serif";

// The stand-in for the form's font at `point_size`: a sans-serif face with the zodiac symbols.
QFont TableFont(double point_size);

class ImageSurface : public DrawingSurface {
 public:
  // `dots_per_inch` is the resolution of the screen that shows the image, so that a point
  // size gives the same pixels as in the rest of the window.
  ImageSurface(QSize size, double dots_per_inch);

  // Grows the image to at least `size`, keeping what is drawn: like a form's persistent
  // bitmap, a window made smaller and then larger again still shows its whole table.
  void Resize(QSize size);
  const QImage& Image() const { return image_; }
  // Size of the table for the longest texts it prints, with a margin.
  QSize TableSize() const;
  // The table font's size is its designed size times `scale`; the palette draws the colours.
  // Both take effect at the next Clear.
  void SetScale(double scale);
  void SetPalette(TablePalette palette) { palette_ = palette; }
  TablePalette Palette() const { return palette_; }
  // Height of a printed line, in pixels.
  double LineSpacing() const;

  void Clear() override;
  void SetColour(int palette_index) override;
  std::string FontName() const override { return font_name_.toStdString(); }
  void SetFontName(const std::string& name) override { font_name_ = QString::fromStdString(name); }
  float TextWidth(const std::string& text) const override;
  void SetX(float x) override { x_ = x; }
  void Print(const std::string& text, bool end_line) override;

  // The background colour of the palette (the designed one: the classic button face).
  QColor Background() const { return BackgroundOf(palette_); }

 private:
  QFont CurrentFont() const;
  QString Shown(const std::string& text) const;

  QImage image_;
  QFont table_font_;
  QString font_name_ = QString::fromLatin1(kTableFontName);
  QColor colour_ = Qt::black;
  TablePalette palette_ = TablePalette::kDesigned;
  float x_ = 0, y_ = 0;  // print position: left edge and top of the current line
};

}  // namespace orbelle::host
