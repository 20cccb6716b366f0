#include "ephemeris/element_precession.h"

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/engine_error.h"

namespace orbelle::ephemeris {

// Reduction of ecliptical elements from one equinox to another (Meeus, Astronomical
// Algorithms, ch. 24, after Newcomb's precession quantities). Time in tropical millennia from
// JD 2415020.313 (B1900.0): tau0 for the starting equinox J2000.0, t from it to the date.
// eta is the angle between the two ecliptics, Pi the longitude of its axis measured in the
// starting ecliptic and psi that axis seen from the equinox of date. With D = node - Pi:
//   A = sin i sin D,  B = -sin eta cos i + cos eta sin i cos D,  theta = atan2(A, B);
//   node' = theta + psi,  sin i' = A / sin theta,
//   omega' = omega + atan2(-sin eta sin D, sin i cos eta - cos i sin eta cos D).
OrbitOrientation ElementsToDate(const OrbitOrientation& el, double jd) {
  constexpr double kMillennium = 365.2422 * 1000.0;
  const double tau = (jd - 2415020.313) / kMillennium;
  const double tau0 = (2451545.0 - 2415020.313) / kMillennium;
  const double t = tau - tau0;
  const double eta =
      ((471.07 - 6.75 * tau0 + 0.57 * tau0 * tau0) * t + (-3.37 + 0.57 * tau0) * t * t + 0.05 * t * t * t) / 3600.0;
  const double Pi =
      173.950833 + (32869.0 * tau0 + 56.0 * tau0 * tau0 - (8694.0 + 55.0 * tau0) * t + 3.0 * t * t) / 3600.0;
  const double psi =
      Pi +
      ((50256.41 + 222.29 * tau0 + 0.26 * tau0 * tau0) * t + (111.15 + 0.26 * tau0) * t * t + 0.1 * t * t * t) / 3600.0;

  const float D = ToSingle(static_cast<double>(el.node) - Pi, "node minus Pi");
  const float eta_s = ToSingle(eta, "eta");
  const double si = SinDeg(el.i), ci = CosDeg(el.i), sD = SinDeg(D), cD = CosDeg(D);
  const double se = SinDeg(eta_s), ce = CosDeg(eta_s);
  const float A = ToSingle(si * sD), B = ToSingle(-se * ci + ce * si * cD);
  const float theta = Atan2Deg(A, B);
  const float sin_theta = SinDeg(theta);
  if (sin_theta == 0.0f) {
    throw CalculationError(
        "minor-body orbit: sin(theta) = 0 in the reduction from J2000.0 to the date (the orbit's node lies on the "
        "axis of the ecliptic rotation, or the orbit lies in the J2000.0 ecliptic): inclination undefined");
  }
  OrbitOrientation out;
  out.node = Norm360(ToSingle(static_cast<double>(theta) + psi, "node of date"));
  out.i = ArcSinDeg(ToSingle(Divide(A, sin_theta, "inclination of date")));
  const float C = ToSingle(-se * sD), G = ToSingle(si * ce - ci * se * cD);
  out.omega = Norm360(ToSingle(static_cast<double>(el.omega) + Atan2Deg(C, G), "perihelion of date"));
  return out;
}

}  // namespace orbelle::ephemeris
