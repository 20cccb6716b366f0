// Mean elements of the Earth, the planets, four asteroids and Chiron, for the directions of
// the nodes and apsides only (the positions come from the theories and the ephemeris files).
#pragma once

#include <optional>

#include "ephemeris/body_numbers.h"
#include "ephemeris/orbital_elements.h"

namespace orbelle::ephemeris {

// Mean elements of a body with HasMeanElements at T Julian centuries from JD 2415020.0 (the
// mean anomaly and motion left at 0). Empty for any other body.
std::optional<OrbitalElements> MeanElements(Integer body, double T);

}  // namespace orbelle::ephemeris
