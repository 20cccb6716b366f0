#include "host/qt/image_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace orbelle::host {
namespace {

constexpr double kTableFontPoints = 9.75;
constexpr double kMetresPerInch = 0.0254;

}  // namespace

QFont TableFont(double point_size) {
  // DejaVu Sans carries the zodiac symbols U+2648..U+2653 and the marks of SignGlyphText.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(point_size);
  return font;
}

ImageSurface::ImageSurface(QSize size, double dots_per_inch)
    : image_(size, QImage::Format_RGB32), table_font_(TableFont(kTableFontPoints)) {
  const int dots_per_metre = static_cast<int>(std::lround(dots_per_inch / kMetresPerInch));
  image_.setDotsPerMeterX(dots_per_metre);
  image_.setDotsPerMeterY(dots_per_metre);
  image_.fill(Background());
}

void ImageSurface::Resize(QSize size) {
  size = size.expandedTo(image_.size());
  if (size == image_.size()) return;
  QImage resized(size, QImage::Format_RGB32);
  resized.setDotsPerMeterX(image_.dotsPerMeterX());
  resized.setDotsPerMeterY(image_.dotsPerMeterY());
  resized.fill(Background());
  QPainter(&resized).drawImage(0, 0, image_);
  image_ = std::move(resized);
}

QSize ImageSurface::TableSize() const {
  // Fourteen lines: the request, an empty line, the header and eleven rows. The widest row
  // ends with the heliocentric decimal cell at D = w1 + 2 w2 + w3.
  const QFontMetricsF metrics(table_font_, &image_);
  const double width = metrics.horizontalAdvance(QStringLiteral("NORTH TRUE N")) +
                       2 * metrics.horizontalAdvance(QStringLiteral("0000000")) +
                       metrics.horizontalAdvance(QStringLiteral("  00000000000")) +
                       metrics.horizontalAdvance(QStringLiteral("000.00   "));
  return QSize(static_cast<int>(std::ceil(width)) + 8, static_cast<int>(std::ceil(14 * metrics.lineSpacing())) + 4);
}

void ImageSurface::SetScale(double scale) { table_font_.setPointSizeF(kTableFontPoints * scale); }

double ImageSurface::LineSpacing() const { return QFontMetricsF(table_font_, &image_).lineSpacing(); }

void ImageSurface::Clear() {
  image_.fill(Background());
  x_ = y_ = 0;
}

void ImageSurface::SetColour(int palette_index) { colour_ = ColourOf(palette_, palette_index); }

QFont ImageSurface::CurrentFont() const {
  if (font_name_.compare(QLatin1String(kTableFontName), Qt::CaseInsensitive) == 0 ||
      font_name_.compare(QLatin1String(kSignFontName), Qt::CaseInsensitive) == 0) {
    return table_font_;
  }
  QFont font(font_name_);
  font.setPointSizeF(table_font_.pointSizeF());
  return font;
}

// In the sign font each character code stands for a zodiac symbol.
QString ImageSurface::Shown(const std::string& text) const {
  const bool sign_font = font_name_.compare(QLatin1String(kSignFontName), Qt::CaseInsensitive) == 0;
  return QString::fromStdString(sign_font ? SignFontTextShown(text) : text);
}

float ImageSurface::TextWidth(const std::string& text) const {
  return static_cast<float>(QFontMetricsF(CurrentFont(), &image_).horizontalAdvance(Shown(text)));
}

void ImageSurface::Print(const std::string& text, bool end_line) {
  const QFont font = CurrentFont();
  const QFontMetricsF metrics(font, &image_);
  const QString shown = Shown(text);
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(colour_);
    painter.drawText(QPointF(x_, y_ + metrics.ascent()), shown);
  }
  x_ += static_cast<float>(metrics.horizontalAdvance(shown));
  if (end_line) {
    x_ = 0;
    y_ += static_cast<float>(QFontMetricsF(table_font_, &image_).lineSpacing());
  }
}

}  // namespace orbelle::host
