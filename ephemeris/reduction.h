// From a heliocentric state to the apparent geocentric and heliocentric position of date.
#pragma once

#include "ephemeris/instant.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

// The reduction of the bodies whose heliocentric state comes from files or Kepler orbits:
// directions by the two-argument arc tangent, motions as the change of direction over one
// day (wrapped into -180..+180), the geocentric vector by subtracting the instant's Earth,
// the light-time correction of the geocentric longitude as the motion during the light
// travel time (0.0057683 days per AU), and the instant's nutation in longitude added.
Position ReduceToGeocentric(const HeliocentricState& body, const Instant& instant);

}  // namespace orbelle::ephemeris
