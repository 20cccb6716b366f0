#include "ephemeris/orbit_points.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/mean_elements.h"

namespace orbelle::ephemeris {

// The two nodes lie on the line of nodes at the radii of the conic r = p / (1 + e cos v) with
// true anomaly v = -omega (ascending) and 180 - omega (descending, drawn on the opposite side,
// hence the negative radius); perihelion and aphelion at q = a (1 - e) and Q = a (1 + e) in
// the direction of perihelion projected on the ecliptic. All four are taken in the ecliptic
// plane; seen from the Earth the Earth's vector is subtracted first.
OrbitPointDirections OrbitPoints(const OrbitalElements& el, OrbitPointFrame frame, const HeliocentricState& earth) {
  const double sw = std::sin(el.omega_rad), cw = std::cos(el.omega_rad);
  const double w = static_cast<double>(Atan2Rad(ToSingle(sw * std::cos(el.i_rad)), ToSingle(cw))) + el.node_rad;
  const double a = el.a_au, e = el.e;
  const double p = a * (1.0 - e * e);
  const double r_asc = Divide(p, 1.0 + e * cw, "ascending-node radius");
  const double r_desc = -Divide(p, 1.0 - e * cw, "descending-node radius");
  const double q = a * (1.0 - e), Q = -a * (1.0 + e);
  const bool heliocentric = frame == OrbitPointFrame::Heliocentric;
  const double ex = heliocentric ? 0.0 : earth.x, ey = heliocentric ? 0.0 : earth.y;
  const auto direction = [&](double r, double angle) {
    return Atan2Deg(ToSingle(r * std::sin(angle) - ey, "orbit point"),
                    ToSingle(r * std::cos(angle) - ex, "orbit point"));
  };
  return {direction(r_asc, el.node_rad), direction(r_desc, el.node_rad), direction(q, w), direction(Q, w)};
}

std::optional<OrbitPointDirections> MeanOrbitPoints(Integer body, double T, OrbitPointFrame frame,
                                                    const HeliocentricState& earth) {
  if (frame == OrbitPointFrame::None) return std::nullopt;
  const auto elements = MeanElements(body, T);
  if (!elements) return std::nullopt;
  return OrbitPoints(*elements, frame, earth);
}

}  // namespace orbelle::ephemeris
