#include "ephemeris/planetary_source.h"

#include "ephemeris/engine_error.h"
#include "ephemeris/orbit_points.h"
#include "ephemeris/theories/planet_theory_internal.h"

namespace orbelle::ephemeris {

PlanetarySource::PlanetarySource() : theory_(std::make_unique<SolarPlanetaryTheory>()) {}
PlanetarySource::~PlanetarySource() = default;

ephemeris::Position PlanetarySource::Position(Body body, const Instant& instant, OrbitPointFrame frame) {
  const Integer number = NumberOf(body);
  if (!IsPlanetTheoryBody(number)) throw InvalidArgumentError("planetary source: not the Sun or an inner planet");
  ephemeris::Position p = body == Body::Sun ? instant.sun() : theory_->Planet(number, instant.time(), instant.earth());
  p.orbit_points = MeanOrbitPoints(number, instant.time().T, frame, instant.earth());
  return p;
}

}  // namespace orbelle::ephemeris
