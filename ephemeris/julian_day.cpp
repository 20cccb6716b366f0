#include "ephemeris/julian_day.h"

#include <cmath>
#include <cstdlib>

namespace orbelle::ephemeris {

// The classical day count of Meeus (Astronomical Algorithms, ch. 7) in its older form:
// March-based months (March = 4 ... February = 15) so that the leap day ends the year,
// floor(365.25 (y + 4712)) days for the Julian years since -4712, floor(30.6 m) for the
// months, then the Gregorian correction 2 - floor(|y|/100) + floor(|y|/400) applied with the
// sign of the year, and one day less for the negative century years that are not leap.
double JulianDay(const std::int32_t& year, const std::int16_t& month, const std::int16_t& day, const float& hour) {
  std::int64_t y = year;
  if (month < 3) y = static_cast<std::int64_t>(year) - 1;
  int m = month + 1;
  if (m < 4) m += 12;

  double jd = std::floor(365.25 * static_cast<double>(y + 4712));
  jd += std::floor(30.6 * m);
  jd += day;
  jd += static_cast<double>(hour) / 24.0;
  jd -= 63.5;

  const double ay = std::fabs(static_cast<double>(y));
  const double c = std::floor(ay / 100.0) - std::floor(ay / 400.0);
  const double sign = (y > 0) ? 1.0 : (y < 0 ? -1.0 : 0.0);
  jd = jd - c * sign + 2.0;
  if (y < 0 && y % 100 == 0 && y % 400 != 0) jd -= 1.0;
  return jd;
}

}  // namespace orbelle::ephemeris
