#include "ephemeris/kepler_source.h"

#include "ephemeris/distant_bodies.h"
#include "ephemeris/kepler_orbit.h"
#include "ephemeris/reduction.h"

namespace orbelle::ephemeris {

std::optional<ephemeris::Position> KeplerSource::Position(Body body, const Instant& instant) const {
  const auto elements = DistantBodyElements(NumberOf(body), instant.time().T, instant.time().days);
  if (!elements) return std::nullopt;
  return ReduceStateVector(KeplerOrbit(*elements), instant);
}

}  // namespace orbelle::ephemeris
