#include "host/text_surface.h"

#include <cmath>

namespace orbelle::host {

int TextSurface::Columns(const QString& text) {
  int columns = 0;
  for (const QChar ch : text) columns += (ch.unicode() >= 0x2648 && ch.unicode() <= 0x2653) ? 2 : 1;
  return columns;
}

void TextSurface::Clear() {
  lines_ = QStringList{QString()};
  pieces_ = {{}};
  target_column_ = 0;
}

float TextSurface::TextWidth(const QString& text) const { return static_cast<float>(Columns(text)); }

void TextSurface::SetX(float x) { target_column_ = std::max(0, static_cast<int>(std::ceil(x))); }

void TextSurface::Print(const QString& text, bool end_line) {
  QString shown = text;
  if (font_ == QLatin1String(kSignFontName)) {
    shown.clear();
    for (const QChar ch : text) shown += SignGlyphText(ch.unicode());
  }
  QString& line = lines_.back();
  const int column = std::max(target_column_, Columns(line));
  line += QString(column - Columns(line), QLatin1Char(' ')) + shown;
  pieces_.back().push_back({shown, colour_, column});
  target_column_ = Columns(line);
  if (end_line) {
    lines_.append(QString());
    pieces_.emplace_back();
    target_column_ = 0;
  }
}

QStringList TextSurface::Lines() const {
  QStringList out = lines_;
  if (out.back().isEmpty()) out.removeLast();
  return out;
}

}  // namespace orbelle::host
