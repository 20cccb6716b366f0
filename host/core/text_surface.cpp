#include "host/core/text_surface.h"

#include <algorithm>
#include <cmath>

#include "host/core/utf8.h"

namespace orbelle::host {

int TextSurface::Columns(const std::string& text) {
  int columns = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t code = NextCodePoint(text, pos);
    columns += (code >= 0x2648 && code <= 0x2653) ? 2 : 1;
  }
  return columns;
}

void TextSurface::Clear() {
  lines_ = {std::string()};
  pieces_ = {{}};
  target_column_ = 0;
}

float TextSurface::TextWidth(const std::string& text) const { return static_cast<float>(Columns(text)); }

void TextSurface::SetX(float x) { target_column_ = std::max(0, static_cast<int>(std::ceil(x))); }

void TextSurface::Print(const std::string& text, bool end_line) {
  const std::string shown = font_ == kSignFontName ? SignFontTextShown(text) : text;
  std::string& line = lines_.back();
  const int width = Columns(line);
  const int column = std::max(target_column_, width);
  line += std::string(static_cast<std::size_t>(column - width), ' ') + shown;
  pieces_.back().push_back({shown, colour_, column});
  target_column_ = column + Columns(shown);
  if (end_line) {
    lines_.emplace_back();
    pieces_.emplace_back();
    target_column_ = 0;
  }
}

std::vector<std::string> TextSurface::Lines() const {
  std::vector<std::string> out = lines_;
  if (out.back().empty()) out.pop_back();
  return out;
}

}  // namespace orbelle::host
