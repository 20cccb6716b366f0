#include "ephemeris/nutation.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"

namespace orbelle::ephemeris {

float NutationSixTerms(const NutationArguments& a, double T) {
  const float two_node = ToSingle(2.0 * a.moon_node);
  const float two_sun = ToSingle(2.0 * a.sun_longitude);
  const float two_moon = ToSingle(2.0 * a.moon_longitude);
  const double arcsec = -(17.2327 + 0.01737 * T) * SinDeg(a.moon_node) - 1.2729 * SinDeg(two_sun) +
                        0.2088 * SinDeg(two_node) - 0.2037 * SinDeg(two_moon) + 0.1261 * SinDeg(a.sun_anomaly) +
                        0.0675 * SinDeg(a.moon_anomaly);
  return ToSingle(arcsec / 3600.0, "nutation");
}

float DriverNutation(const TimeArguments& t) { return NutationSixTerms(DriverArguments(t), t.T); }

float NutationSixTermsLineByLine(const NutationArguments& a, double T) {
  const float two_node = ToSingle(2.0 * a.moon_node);
  const float two_sun = ToSingle(2.0 * a.sun_longitude);
  const float two_moon = ToSingle(2.0 * a.moon_longitude);
  float n = ToSingle(-(17.2327 + 0.01737 * T) * SinDeg(a.moon_node) - 1.2729 * SinDeg(two_sun), "nutation");
  n = ToSingle(n + 0.2088 * SinDeg(two_node) - 0.2037 * SinDeg(two_moon), "nutation");
  n = ToSingle(n + 0.1261 * SinDeg(a.sun_anomaly) + 0.0675 * SinDeg(a.moon_anomaly), "nutation");
  return ToSingle(n / 3600.0, "nutation");
}

float NutationThirteenTerms(const NutationRadians& a, double T) {
  using std::sin;
  const double l = a.sun_longitude, m = a.sun_anomaly, lm = a.moon_longitude, mm = a.moon_anomaly, om = a.moon_node,
               d = a.moon_elongation;
  float sum = ToSingle(-(17.2327 + 0.01737 * T) * sin(om) + 0.2088 * sin(2 * om) - 1.2729 * sin(2 * l), "nutation");
  sum = ToSingle(sum + 0.1261 * sin(m) - 0.0497 * sin(2 * l + m) + 0.0214 * sin(2 * l - m), "nutation");
  sum = ToSingle(sum + 0.0124 * sin(2 * l - om) - 0.2037 * sin(2 * lm) + 0.0675 * sin(mm), "nutation");
  sum = ToSingle(sum - 0.0342 * sin(2 * lm - om) - 0.0261 * sin(2 * lm + mm) - 0.0149 * sin(mm - 2 * d), "nutation");
  sum = ToSingle(sum + 0.0114 * sin(2 * lm - mm), "nutation");
  return ToSingle(sum / 3600.0, "nutation");
}

}  // namespace orbelle::ephemeris
