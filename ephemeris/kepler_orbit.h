// Two-body orbits: Kepler's equation solved by Newton's method, the fixed elements of the
// distant bodies 23..31, the mean elements that serve the orbit points, and the orbit points
// (directions of the nodes and apsides).
#pragma once

#include <optional>

#include "ephemeris/constants.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

// Eccentric anomaly (radians) for the mean anomaly 0 <= M < 2 pi (radians) and eccentricity
// 0 <= e < 1. Newton's method runs until its corrections stop shrinking; an iteration that has
// not settled after kKeplerIterationCap steps, or that ends without solving the equation
// (only for inputs outside those ranges), raises CalculationError.
inline constexpr int kKeplerIterationCap = 100;
float EccentricAnomaly(float M, float e);

// Heliocentric position and daily motion from the working elements. An eccentricity outside
// 0 <= e < 1 raises CalculationError.
HeliocentricState KeplerOrbit(const OrbitalElements& elements);

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
