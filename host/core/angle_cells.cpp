#include "host/core/angle_cells.h"

#include <charconv>
#include <cmath>

#include "ephemeris/checked_float.h"
#include "host/core/drawing_surface.h"
#include "host/core/utf8.h"

namespace orbelle::host {

namespace {

// The number in fixed notation with `decimals` decimals, '.' as the separator.
std::string Fixed(double v, int decimals) {
  char buf[400];
  const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return std::string(buf, result.ptr);
}

// The number as its integer decimal text, for values the cell arithmetic keeps whole.
std::string WholeNumber(double v) { return Fixed(v, 0); }

}  // namespace

// Degrees within the sign d = Int(L - Int(L/30)*30) and the sign index Int(L/30), Int being
// the floor; minutes Int(frac(L)*60 + 0.499), rounded a hair below one half so that a
// fraction of exactly 0.5' still rounds down, and never carried into the degrees.
SignCellText SignCell(float longitude) {
  const double l = ephemeris::Checked(longitude, "sign cell");
  const double sign_index = std::floor(l / 30.0);
  const double degrees = std::floor(l - sign_index * 30.0);
  const double minutes = std::floor((l - std::floor(l)) * 60.0 + 0.499);
  const double code = sign_index + 94.0;
  SignCellText cell;
  cell.degrees = WholeNumber(degrees);
  cell.glyph_code = (code >= 0.0 && code <= 0xFFFF) ? static_cast<int>(code) : -1;
  const std::string hundred_and_minutes = WholeNumber(minutes + 100.0);  // 100 to 160
  cell.minutes = hundred_and_minutes.substr(hundred_and_minutes.size() - 2) + " ";
  return cell;
}

// Two decimals, rounded half away from zero, no group separator.
std::string DecimalCell(float longitude, const RegionalConventions& region) {
  const double v = ephemeris::Checked(longitude, "decimal cell");
  std::string text;
  if (std::fabs(v) < 1e15) {
    const double cents = std::round(v * 100.0);
    const double whole = std::floor(std::fabs(cents) / 100.0);
    const int fraction = static_cast<int>(std::fabs(cents) - whole * 100.0);
    if (cents < 0) text += '-';
    text += WholeNumber(whole);
    text += region.decimal_separator;
    if (fraction < 10) text += '0';
    text += std::to_string(fraction);
  } else {
    text = Fixed(v, 2);
    text.replace(text.size() - 3, 1, region.decimal_separator);
  }
  return text + "   ";
}

char32_t SignCellText::GlyphCharacter() const {
  return glyph_code < 0 ? kReplacementCharacter : static_cast<char32_t>(glyph_code);
}

std::string SignCellText::Shown() const { return degrees + SignGlyphText(GlyphCharacter()) + minutes; }

}  // namespace orbelle::host
