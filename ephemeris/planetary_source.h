// The planetary source: the Sun, Mercury, Venus and Mars by Newcomb's theories.
#pragma once

#include <memory>

#include "ephemeris/body_numbers.h"
#include "ephemeris/instant.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

class SolarPlanetaryTheory;

class PlanetarySource {
 public:
  PlanetarySource();
  ~PlanetarySource();

  // The Sun (the instant's own), Mercury, Venus or Mars seen from the instant's Earth, with
  // the orbit points of the mean elements in `frame`. Any other body raises
  // InvalidArgumentError.
  ephemeris::Position Position(Body body, const Instant& instant, OrbitPointFrame frame = OrbitPointFrame::None);

 private:
  std::unique_ptr<SolarPlanetaryTheory> theory_;  // working record and multiple tables
};

}  // namespace orbelle::ephemeris
