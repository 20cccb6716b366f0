#include "ephemeris/mean_elements.h"

#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/element_tables.h"

namespace orbelle::ephemeris {

namespace {

double Evaluate(const Polynomial& p, double T) { return p.c0 + T * (p.c1 + T * (p.c2 + T * p.c3)); }

float AngleRadians(AngleUnit unit, const Polynomial& p, double T, const char* what) {
  const double degrees = unit == AngleUnit::kDegrees ? Evaluate(p, T) : Evaluate(p, T) / 3600.0;
  return ToSingle(degrees * kDegToRad, what);
}

}  // namespace

std::optional<OrbitalElements> MeanElements(Integer body, double T) {
  if (!HasMeanElements(body)) return std::nullopt;
  const MeanElementRow& row = kMeanElements[static_cast<std::size_t>(body - kSun)];
  OrbitalElements el;
  el.a_au = ToSingle(Evaluate(row.a, T), "semi-major axis");
  el.e = ToSingle(Evaluate(row.e, T), "eccentricity");
  el.i_rad = AngleRadians(row.i_unit, row.i, T, "inclination");
  el.omega_rad = AngleRadians(row.omega_unit, row.omega, T, "perihelion");
  el.node_rad = AngleRadians(row.node_unit, row.node, T, "node");
  return el;
}

}  // namespace orbelle::ephemeris
