#include "ephemeris/theories/planet_theory.h"

namespace orbelle::ephemeris {

// Not yet served: the Sun and the inner planets give the DATE ERROR longitudes until the
// theory lands; no position is made up.
void SolarPlanetaryTheory::PlanetTheory(Integer& Body, float&, float&, float&, float&, float&, double&, double&,
                                        std::span<float> GeoLon, std::span<float> GeoLat, std::span<float>,
                                        std::span<float> GeoSpeed, std::span<float> HelioLon,
                                        std::span<float> HelioLat, std::span<float>, std::span<float> HelioSpeed) {
  if (Body != 1 && (Body < 3 || Body > 5)) return;
  const auto b = static_cast<std::size_t>(Body);
  GeoLon[b] = HelioLon[b] = -1.0f;
  GeoLat[b] = HelioLat[b] = GeoSpeed[b] = HelioSpeed[b] = 0.0f;
}

}  // namespace orbelle::ephemeris
