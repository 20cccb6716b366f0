// Numbers in profile values: the number at the start of a text, converted to the width of
// the field that receives it the way the classic BASIC conversions do it (integers round to
// the nearest whole number with a half going to the even neighbour; singles round to the
// nearest single).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace orbelle::settings {

// The number at the start of `text`: blanks skipped, then an optional sign, decimal digits
// with an optional decimal point and an optional exponent (e or E, optional sign, digits),
// up to the first other character. A text that starts with no number gives 0. A number
// beyond the range of a double gives an infinity, which no field conversion accepts.
double LeadingNumber(std::string_view text);

// `value` rounded half to even into the integer type, or nothing when it does not fit.
template <class Integer>
std::optional<Integer> RoundToInteger(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode: half to even
  if (!(rounded >= static_cast<double>(std::numeric_limits<Integer>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Integer>::max()))) {
    return std::nullopt;
  }
  return static_cast<Integer>(rounded);
}

// `value` rounded to single precision, or nothing when it overflows a single.
std::optional<float> RoundToSingle(double value);

}  // namespace orbelle::settings
