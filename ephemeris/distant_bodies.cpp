#include "ephemeris/distant_bodies.h"

#include <cmath>

#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/element_tables.h"

namespace orbelle::ephemeris {

namespace {

float Radians(double degrees, const char* what) { return ToSingle(degrees * kDegToRad, what); }

// Body 31: an orbit of fixed perihelion (0.0438748 degrees) in the ecliptic of a fixed
// epoch, JD 2415020.303, carried to the ecliptic and equinox of date. With tau in tropical
// centuries from the epoch, P is the general precession in longitude and eta the inclination
// of the ecliptic of date to the fixed one, Pi the longitude of the axis of that rotation
// (Newcomb's precession quantities as in the Explanatory Supplement). A point of the fixed
// ecliptic at longitude w0 is then seen in the ecliptic of date at
//   w = w0 - eta sin Pi / sin j,   node = -P + eta sin Pi cos j / sin j,   j = -eta cos Pi,
// the rotation written to first order. At the epoch eta = j = 0 and eta / sin j has the
// finite limit -1 / (cos Pi * pi/180); writing sin j = j sinc j evaluates the same formula
// without the division of zero by zero.
OrbitalElements Body31(double d) {
  const double tau = (d - 0.303) / 36524.219879;
  const double P = -(5025.64 + 1.11 * tau) * tau / 3600.0;
  const double eta = -(47.11 - 0.035 * tau) * tau / 3600.0;
  const double Pi = 6.049 - 0.5 * P - 27.385 * tau / 60.0;
  const double k = std::sin(Pi * kDegToRad);
  const double cos_pi = std::cos(Pi * kDegToRad);
  const double j = -eta * cos_pi * kDegToRad;
  const double sinc_j = (j == 0.0) ? 1.0 : std::sin(j) / j;
  // eta / sin j = eta / (j sinc j) = -1 / (cos Pi * pi/180 * sinc j)
  const double eta_over_s = Divide(-1.0, cos_pi * kDegToRad * sinc_j, "precession of body 31");
  OrbitalElements el;
  el.a_au = 77.755f;
  el.e = 0.3f;
  el.i_rad = 0.0f;
  el.omega_rad = Radians(0.0438748 - k * eta_over_s, "perihelion of body 31");
  el.node_rad = Radians(-P + k * std::cos(j) * eta_over_s, "node of body 31");
  el.M_deg = ToSingle(66.806095827 + 0.0014375063655 * d, "mean anomaly of body 31");
  el.n_rad_per_day = ToSingle(0.0014375063655 * kDegToRad);
  return el;
}

}  // namespace

std::optional<OrbitalElements> DistantBodyElements(Integer body, double T, double d) {
  if (!IsDistantBody(body)) return std::nullopt;
  if (body == kLastDistantBody) return Body31(d);
  const DistantBodyRow& row = kDistantBodies[static_cast<std::size_t>(body - kFirstDistantBody)];
  OrbitalElements el;
  el.a_au = static_cast<float>(row.a);
  el.e = static_cast<float>(row.e);
  el.i_rad = Radians(row.i, "inclination");
  el.omega_rad = Radians(row.omega, "perihelion");
  el.node_rad = Radians(row.node0 + row.node_rate * T, "node");
  el.M_deg = ToSingle(row.M0 + row.M_rate * T, "mean anomaly");
  el.n_rad_per_day = ToSingle(row.M_rate / 36525.0 * kDegToRad);
  return el;
}

}  // namespace orbelle::ephemeris
