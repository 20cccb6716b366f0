#include "settings/profile_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <system_error>

namespace orbelle::settings {
namespace {

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

// The power of ten of the first significant digit of the non-zero number text[first, end),
// whose integer digits end at `integer_end`: the written exponent (saturated) plus the place
// of that digit. A number beyond a double has it far from zero, and its sign tells whether
// the number overflows or underflows, whatever the sign of the exponent as written
// ("0.000...1" has none, "1000...0e-5" a negative one and is huge).
long long DecimalPower(std::string_view text, std::size_t first, std::size_t integer_end, std::size_t end) {
  constexpr long long kFar = 1'000'000'000'000;
  long long power = 0;
  const std::size_t exponent = std::min(text.find_first_of("eE", integer_end), end);
  if (exponent < end) {
    std::size_t digits = exponent + 1;
    const bool negative = text[digits] == '-';
    if (negative || text[digits] == '+') ++digits;
    if (std::from_chars(text.data() + digits, text.data() + end, power).ec != std::errc()) power = kFar;
    if (negative) power = -power;
  }
  const std::size_t significant = text.find_first_not_of("0.", first);
  if (significant < integer_end) return power + static_cast<long long>(integer_end - significant) - 1;
  return power - static_cast<long long>(std::min(significant, exponent) - integer_end);
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  std::size_t i = start;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t integer_end = SkipDigits(text, i);
  std::size_t end = integer_end;
  bool has_digits = integer_end > i;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fraction_end = SkipDigits(text, end + 1);
    has_digits = has_digits || fraction_end > end + 1;
    end = fraction_end;
  }
  if (!has_digits) return 0.0;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t e = end + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    const std::size_t exponent_end = SkipDigits(text, e);
    if (exponent_end > e) end = exponent_end;
  }
  // The decimal point is always '.', whatever the process's locale says (from_chars ignores
  // the locale; it takes no '+').
  const bool negative = text[start] == '-';
  const std::size_t digits = text[start] == '+' || negative ? start + 1 : start;
  double value = 0;
  if (std::from_chars(text.data() + digits, text.data() + end, value).ec == std::errc::result_out_of_range) {
    // Beyond a double: an infinity for a huge number, 0 for a tiny one, as strtod gives.
    value = DecimalPower(text, digits, integer_end, end) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

std::optional<float> RoundToSingle(double value) {
  const float single = static_cast<float>(value);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

}  // namespace orbelle::settings
