// The user's regional conventions that the request reader and the table use, handed in by
// the host: built from QLocale by the Qt program, from the C library's locale by the program
// without Qt, from the user locale by the Windows program.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orbelle::host {

enum class DateField { kDay, kMonth, kYear };

struct RegionalConventions {
  // Order of day, month and year in the short date notation.
  std::array<DateField, 3> date_order{DateField::kMonth, DateField::kDay, DateField::kYear};
  // The short date's own separator, read besides "/", ".", "-" and a blank.
  std::string date_separator = "/";
  // The markers of a 12-hour clock, read besides the English "AM" and "PM" (UTF-8). In a
  // locale with a 24-hour clock they are empty or the English ones.
  std::string am_text = "AM";
  std::string pm_text = "PM";
  // Decimal separator of numbers (UTF-8).
  std::string decimal_separator = ".";
  // First year of the hundred-year window in which one- and two-digit years fall.
  int two_digit_year_start = 1930;
};

// Takes the order of day, month and year and the date separator from a short date pattern
// whose fields are runs of the letters d, M and y (as "dd.MM.yy" or "M/d/yyyy"): the
// separator is what stands between the first two fields, blanks removed. Leaves `region` as
// it is when a field is missing.
void TakeShortDatePattern(std::string_view pattern, RegionalConventions& region);

}  // namespace orbelle::host
