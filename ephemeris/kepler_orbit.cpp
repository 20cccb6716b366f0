#include "ephemeris/kepler_orbit.h"

namespace orbelle::ephemeris {

// Not yet served: the distant bodies and orbit points come with the Kepler-orbit work.
HeliocentricState KeplerOrbit(OrbitalElements&) { return {}; }
std::optional<OrbitalElements> DistantBodyElements(Integer, double, double) { return std::nullopt; }
std::optional<OrbitalElements> MeanElements(Integer, double) { return std::nullopt; }
OrbitPointDirections OrbitPoints(const OrbitalElements&, Integer, float, float) { return {-1, -1, -1, -1}; }

}  // namespace orbelle::ephemeris
