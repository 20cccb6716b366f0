#include "ephemeris/fundamental_arguments.h"

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"

namespace orbelle::ephemeris {

namespace {

double TermByTerm(const RevolutionPolynomial& p, double d) { return p.c0 + p.c1 * d + p.c2 * d * d + p.c3 * d * d * d; }

// Revolutions as single-precision degrees, 0 <= x < 360.
float Degrees(double revolutions, const char* what) { return ToSingle(Norm360D(360.0 * revolutions), what); }

// The variable part in Horner form, the constant term added to it.
float HornerDegrees(const RevolutionPolynomial& p, double d) {
  const double variable = ((p.c3 * d + p.c2) * d + p.c1) * d;
  return ToSingle(Norm360D(Checked(360.0 * (variable + p.c0), "mean argument")), "mean argument");
}

}  // namespace

TimeArguments TimeArgumentsAt(double jd) {
  TimeArguments t;
  t.days = jd - kJD1900;
  t.T = t.days / kDaysPerJulianCentury;
  t.T2 = t.T * t.T;
  return t;
}

NutationArguments DriverArguments(const TimeArguments& t) {
  const double d = t.days;
  NutationArguments a;
  a.moon_longitude = Degrees(TermByTerm(kMoonMeanLongitude, d), "Moon mean longitude");
  a.moon_node = Degrees(TermByTerm(kMoonNode, d), "Moon node");
  a.moon_anomaly =
      Norm360(ToSingle(296.1046083 + Norm360D(477198.8489 * t.T) + 0.00919166666 * t.T2, "Moon mean anomaly"));
  a.sun_longitude = Degrees(TermByTerm(kSunMeanLongitude, d), "Sun mean longitude");
  a.sun_anomaly = Norm360(ToSingle(358.4758444 + Norm360D(35999.04975 * t.T) - 0.00015 * t.T2, "Sun mean anomaly"));
  return a;
}

BrownArguments LunarTheoryArguments(double d) {
  return {HornerDegrees(kMoonMeanLongitude, d), HornerDegrees(kMoonPerigee, d),     HornerDegrees(kMoonNode, d),
          HornerDegrees(kMoonElongation, d),    HornerDegrees(kMoonMeanAnomaly, d), HornerDegrees(kMoonArgLatitude, d),
          HornerDegrees(kSunMeanLongitude, d),  HornerDegrees(kSunMeanAnomaly, d)};
}

// Newcomb's Sun (Tables of the Sun, APAE vol. 6 part 1, 1895) and Brown's Moon (Tables of the
// Motion of the Moon, 1919), in the forms of the Explanatory Supplement to the Astronomical
// Ephemeris (1961); the Moon's arguments with the whole revolutions of their linear terms
// (1336 and 1325 per century) taken off first.
NewcombBrownArguments PlanetTheoryArguments(double T, double T2, double T3) {
  NewcombBrownArguments a;
  a.sun_longitude = Norm360D(279.65 + (129602768.13 * T + 168.04 + 1.089 * T2) / 3600.0);
  a.sun_anomaly = Norm360D(358.45 + (129596579.1 * T + 93.04 - 0.54 * T2 - 0.012 * T3) / 3600.0);
  a.moon_longitude = Norm360D(Norm360D(1336.0 * 360.0 * T) + 270.4 + 307.8 * T +
                              (299.31 * T + 122.99 - 4.08 * T2 + 0.0068 * T3) / 3600.0);
  a.moon_anomaly = Norm360D(Norm360D(1325.0 * 360.0 * T) + 296.1 + 198.8 * T +
                            (176.79 * T + 16.59 + 33.09 * T2 + 0.0518 * T3) / 3600.0);
  a.moon_node = Norm360D(259.15 - 1934.1 * T + (119.79 - 151.23 * T + 7.48 * T2 + 0.008 * T3) / 3600.0);
  a.moon_elongation = a.moon_longitude - a.sun_longitude;
  if (a.moon_elongation < 0) a.moon_elongation += 360.0;
  return a;
}

}  // namespace orbelle::ephemeris
