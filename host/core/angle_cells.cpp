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

// Minutes Int(frac(L)*60 + 0.499), rounded a hair below one half so that a fraction of exactly
// 0.5' still rounds down. Minutes that round to 60 carry into the whole degrees, and a whole
// degree of 30 into the next sign, so the cell always reads like the decimal cell beside it:
// 29.9999 is 0 Taurus 00 and 359.9999 is 0 Aries 00. The sign index is Int(d/30) of the
// (carried) whole degrees d and the degrees within the sign d - 30*Int(d/30), Int being the
// floor. A longitude of exactly 360 keeps the sign code one past Pisces (no carry happens),
// and the DATE ERROR -1 reads 29, the code one before Aries, 00.
SignCellText SignCell(float longitude) {
  const double l = ephemeris::Checked(longitude, "sign cell");
  double whole_degrees = std::floor(l);
  double minutes = std::floor((l - whole_degrees) * 60.0 + 0.499);
  if (minutes >= 60.0) {
    minutes -= 60.0;
    whole_degrees += 1.0;
    if (whole_degrees == 360.0) whole_degrees = 0.0;
  }
  const double sign_index = std::floor(whole_degrees / 30.0);
  const double degrees = whole_degrees - sign_index * 30.0;
  const double code = sign_index + 94.0;
  SignCellText cell;
  cell.degrees = WholeNumber(degrees);
  cell.glyph_code = (code >= 0.0 && code <= 0xFFFF) ? static_cast<int>(code) : -1;
  const std::string hundred_and_minutes = WholeNumber(minutes + 100.0);  // 100 to 159
  cell.minutes = hundred_and_minutes.substr(hundred_and_minutes.size() - 2) + " ";
  return cell;
}

// Two decimals, rounded half away from zero, no group separator. A longitude just below a
// full turn that rounds to 360.00 is shown as 0.00, as its sign cell shows 0 Aries 00; a
// longitude of exactly 360 keeps 360.00.
std::string DecimalCell(float longitude, const RegionalConventions& region) {
  const double v = ephemeris::Checked(longitude, "decimal cell");
  std::string text;
  if (std::fabs(v) < 1e15) {
    double cents = std::round(v * 100.0);
    if (cents == 36000.0 && v < 360.0) cents = 0.0;
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
