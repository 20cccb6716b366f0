// The fixed elements of the distant bodies 23..31.
#pragma once

#include <optional>

#include "ephemeris/body_numbers.h"
#include "ephemeris/orbital_elements.h"

namespace orbelle::ephemeris {

// Working elements of a distant body at the driver's time arguments (T in Julian centuries and
// d in days from JD 2415020.0). Empty for any other body.
std::optional<OrbitalElements> DistantBodyElements(Integer body, double T, double d);

}  // namespace orbelle::ephemeris
