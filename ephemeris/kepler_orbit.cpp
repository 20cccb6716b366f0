#include "ephemeris/kepler_orbit.h"

#include <cmath>
#include <limits>
#include <string>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/engine_error.h"

namespace orbelle::ephemeris {

namespace {

// Newton's method on Kepler's equation from E: each correction is
// (M - E + e sin E) / (1 - e cos E); the iteration stops at the first correction (rounded to
// single) that is no smaller than the one before it, after applying it: from there on the
// corrections are rounding noise, or the iteration is not converging at all.
float Newton(double m, double ecc, float E) {
  float kept = std::numeric_limits<float>::infinity();
  for (int step = 0; step < kKeplerIterationCap; ++step) {
    const double delta = Divide(m - E + ecc * std::sin(E), 1.0 - ecc * std::cos(E), "Kepler's equation");
    E = ToSingle(E + delta, "eccentric anomaly");
    const float size = std::fabs(ToSingle(delta));
    if (!(size < kept)) return E;
    kept = size;
  }
  throw CalculationError("Kepler's equation did not settle in " + std::to_string(kKeplerIterationCap) +
                         " Newton steps (e = " + std::to_string(ecc) + ", M = " + std::to_string(m) + " rad)");
}

bool Solves(double m, double ecc, double E) { return std::fabs(E - ecc * std::sin(E) - m) < 1e-5; }

}  // namespace

// Starting value E0 = M + e sin M (1 + e cos M), second order in e. For eccentricities near 1
// and small M, Newton's method from there can run away (e = 0.999, M = 0.01 rad jumps to
// E = 6.9 in its first step); when the result does not solve the equation, the iteration is
// run again from E0 = pi, from which it converges for every 0 <= M <= 2 pi and e < 1
// (Charles and Tatum, Celest. Mech. 69, 357, 1998).
float EccentricAnomaly(float M, float e) {
  const double m = M, ecc = e;
  const float E = Newton(m, ecc, ToSingle(m + ecc * std::sin(m) * (1.0 + ecc * std::cos(m)), "eccentric anomaly"));
  if (Solves(m, ecc, E)) return E;
  const float again = Newton(m, ecc, kSinglePi);
  if (Solves(m, ecc, again)) return again;
  throw CalculationError("Kepler's equation has no solution for e = " + std::to_string(e) +
                         ", M = " + std::to_string(M) + " rad");
}

// Position in the orbit from the eccentric anomaly, r = P (cos E - e) + Q sin E, where P
// points to perihelion with length a and Q to the point 90 degrees further on with length
// b = a sqrt(1 - e^2), both rotated by the argument of perihelion, the inclination and the
// node onto the ecliptic. The velocity is the derivative with dE/dt = n / (1 - e cos E).
HeliocentricState KeplerOrbit(const OrbitalElements& el) {
  if (!(el.e >= 0.0f && el.e < 1.0f)) {
    throw CalculationError("Kepler orbit: eccentricity " + std::to_string(el.e) + " outside 0 <= e < 1");
  }
  const float M = ToSingle(static_cast<double>(Norm360(el.M_deg)) * kDegToRad, "mean anomaly");
  const double E = EccentricAnomaly(M, el.e);
  const double a = el.a_au, e = el.e, n = el.n_rad_per_day;
  const double b = a * SquareRoot(1.0 - e * e, "semi-minor axis");
  const double cw = std::cos(el.omega_rad), sw = std::sin(el.omega_rad);
  const double cn = std::cos(el.node_rad), sn = std::sin(el.node_rad);
  const double ci = std::cos(el.i_rad), si = std::sin(el.i_rad);
  const double P[3] = {a * (cw * cn - sw * sn * ci), a * (cw * sn + sw * cn * ci), a * sw * si};
  const double Q[3] = {b * (-sw * cn - cw * sn * ci), b * (-sw * sn + cw * cn * ci), b * cw * si};
  const double cE = std::cos(E), sE = std::sin(E);
  const double k = Divide(1.0, 1.0 - e * cE, "Kepler orbit");
  const double dcos = -n * sE * k, dsin = n * cE * k;
  HeliocentricState s;
  s.x = ToSingle(P[0] * (cE - e) + Q[0] * sE, "orbit x");
  s.y = ToSingle(P[1] * (cE - e) + Q[1] * sE, "orbit y");
  s.z = ToSingle(P[2] * (cE - e) + Q[2] * sE, "orbit z");
  s.vx = ToSingle(P[0] * dcos + Q[0] * dsin, "orbit vx");
  s.vy = ToSingle(P[1] * dcos + Q[1] * dsin, "orbit vy");
  return s;
}

}  // namespace orbelle::ephemeris
