// Directions of the nodes and apsides of an orbit.
#pragma once

#include "ephemeris/body_numbers.h"
#include "ephemeris/orbital_elements.h"

namespace orbelle::ephemeris {

struct OrbitPointDirections {
  float ascending_node = 0, descending_node = 0, perihelion = 0, aphelion = 0;
};

// Directions of the orbit's two nodes and two apsides, in degrees; heliocentric when the
// magnitude of `mode` is 2, otherwise seen from the Earth at (earth_x, earth_y).
OrbitPointDirections OrbitPoints(const OrbitalElements& elements, Integer mode, float earth_x, float earth_y);

}  // namespace orbelle::ephemeris
