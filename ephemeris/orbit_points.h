// Directions of the nodes and apsides of an orbit.
#pragma once

#include <optional>

#include "ephemeris/body_numbers.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

// Directions of the orbit's two nodes and two apsides, in degrees, seen from the Sun or from
// `earth` (its x and y) as `frame` says (None is taken as Geocentric).
OrbitPointDirections OrbitPoints(const OrbitalElements& elements, OrbitPointFrame frame,
                                 const HeliocentricState& earth);

// The orbit points of a body's mean elements at T Julian centuries from JD 2415020.0; empty
// when `frame` is None or the body has no mean elements.
std::optional<OrbitPointDirections> MeanOrbitPoints(Integer body, double T, OrbitPointFrame frame,
                                                    const HeliocentricState& earth);

}  // namespace orbelle::ephemeris
