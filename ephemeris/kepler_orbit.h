// Two-body orbits: Kepler's equation solved by Newton's method, and the heliocentric position
// and motion from working orbital elements.
#pragma once

#include "ephemeris/orbital_elements.h"

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

}  // namespace orbelle::ephemeris
