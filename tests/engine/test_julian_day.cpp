// JulianDay against an independent proleptic Gregorian day count.
#include <gtest/gtest.h>

#include <cstdint>

#include "ephemeris/julian_day.h"

namespace orbelle::ephemeris {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date, by whole 400-year eras (H. Hinnant,
// "chrono-compatible low-level date algorithms"); JD 2440587.5 is 1970-01-01 0h.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// Out-of-range days roll over (1900 January 0 is the epoch of the theories; 1900 was not a
// leap year); the hour is divided by 24 in double precision. Every valid date is checked below.
TEST(JulianDay, DayRolloverAndHour) {
  EXPECT_EQ(JulianDay(1900, 1, 0, 12.0f), 2415020.0);
  EXPECT_EQ(JulianDay(1900, 2, 29, 0.0f), JulianDay(1900, 3, 1, 0.0f));
  EXPECT_EQ(JulianDay(2026, 12, 25, 10.5f) - JulianDay(2026, 12, 25, 0.0f), 10.5 / 24.0);
}

TEST(JulianDay, EveryDayOfYearsMinus4000To9999) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  long mismatches = 0;
  for (int y = -4000; y <= 9999; ++y) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    for (int m = 1; m <= 12; ++m) {
      const int days = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
      for (int d = 1; d <= days; ++d) {
        const double expected = static_cast<double>(DaysFromCivil(y, unsigned(m), unsigned(d))) + 2440587.5;
        const double got = JulianDay(y, static_cast<std::int16_t>(m), static_cast<std::int16_t>(d), 0.0f);
        if (got != expected && ++mismatches <= 5) ADD_FAILURE() << y << '-' << m << '-' << d << ": " << got;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace orbelle::ephemeris
