// What the calls of one instant share, from the driver down to the theories.
#pragma once

#include "ephemeris/orbital_elements.h"

namespace orbelle::ephemeris {

// What the calls of one instant share; the caller keeps it from call to call. JD is the
// caller's. The calls write the rest for the later calls of the instant:
// - body 0 sets Nutation, the nutation in longitude of the instant (degrees), which the driver
//   adds to the longitude of every body it reduces itself (bodies 6..15 and from 23 on);
// - body 1, the Sun, sets Earth, the Earth's heliocentric ecliptic position (AU) and motion
//   per day (AU/day), from which the geocentric positions of every later body are formed;
// - the Moon and the nodes set Nutation again, to the lunar theory's own nutation.
struct InstantState {
  double JD = 0;
  HeliocentricState Earth;
  float Nutation = 0;
};

}  // namespace orbelle::ephemeris
