#include "settings/profile_number.h"

#include <locale.h>
#include <stdlib.h>

#include <cctype>
#include <string>

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
  // The decimal point is always '.', whatever the process's locale says.
  static const locale_t c_locale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  const std::string number(text.substr(start, end - start));
  return strtod_l(number.c_str(), nullptr, c_locale);
}

std::optional<float> RoundToSingle(double value) {
  const float single = static_cast<float>(value);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

}  // namespace orbelle::settings
