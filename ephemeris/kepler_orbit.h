// Two-body orbits: Kepler's equation solved by Newton's method, the fixed elements of the
// distant bodies 23..31, the mean elements that serve the orbit points, and the orbit points
// (directions of the nodes and apsides).
#pragma once

#include <optional>

#include "ephemeris/orbital_elements.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

// Heliocentric position and daily motion from the working elements.
HeliocentricState KeplerOrbit(OrbitalElements& elements);

// Fixed elements of bodies 23..31 at the driver's time arguments (T in Julian centuries and
// d in days from JD 2415020.0). Empty for any other body.
std::optional<OrbitalElements> DistantBodyElements(Integer body, double T, double d);

// Mean elements of bodies 1 and 3..15 for the orbit points. Empty for any other body.
std::optional<OrbitalElements> MeanElements(Integer body, double T);

struct OrbitPointDirections {
  float ascending_node = 0, descending_node = 0, perihelion = 0, aphelion = 0;
};

// Directions of the orbit's two nodes and two apsides, in degrees; heliocentric when the
// magnitude of `mode` is 2, otherwise seen from the Earth at (earth_x, earth_y).
OrbitPointDirections OrbitPoints(const OrbitalElements& elements, Integer mode, float earth_x, float earth_y);

}  // namespace orbelle::ephemeris
