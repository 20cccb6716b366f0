#include "ephemeris/theories/lunar_theory.h"

#include "ephemeris/engine_error.h"

namespace orbelle::ephemeris {

// Not yet served: the Moon and its nodes give the DATE ERROR longitudes until the theory
// lands; no position is made up.
void LunarTheory::LunarEphemeris(Integer& Body, float&, float&, float&, float&, float&, double&, Integer&, float&,
                                 std::span<float> GeoLon, std::span<float> GeoLat, std::span<float>,
                                 std::span<float> GeoSpeed, std::span<float> HelioLon, std::span<float> HelioLat,
                                 std::span<float>, std::span<float> HelioSpeed, std::span<float>, std::span<float>,
                                 std::span<float>, std::span<float>) {
  if (Body < 0 || Body > 255) throw InvalidArgumentError("LunarEphemeris: body number outside 0..255");
  if (Body != 2 && Body != 16 && Body != 17) return;
  const auto b = static_cast<std::size_t>(Body);
  GeoLon[b] = HelioLon[b] = -1.0f;
  GeoLat[b] = HelioLat[b] = GeoSpeed[b] = HelioSpeed[b] = 0.0f;
}

}  // namespace orbelle::ephemeris
