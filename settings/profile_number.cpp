#include "settings/profile_number.h"

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
    // Beyond a double: an infinity, or 0 for a tiny number (one with a negative exponent).
    const std::size_t exponent = text.find_first_of("eE", digits);
    const bool tiny = exponent < end && text[exponent + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

std::optional<float> RoundToSingle(double value) {
  const float single = static_cast<float>(value);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

}  // namespace orbelle::settings
