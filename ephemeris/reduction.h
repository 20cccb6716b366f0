// From a heliocentric state to the apparent geocentric position of date: one reduction for
// the file and Kepler bodies, Newcomb's planets and Brown's Moon, each in its own rounding
// order. The Moon runs it the other way, from its geocentric vector to its heliocentric
// position: the Moon seen from the Sun, which stands at minus the Earth's vector.
#pragma once

#include "ephemeris/instant.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

// The rounding orders the sources were established with; the results of each are pinned bit
// for bit.
enum class ReductionOrder {
  // Files and Kepler orbits: the geocentric vector rounded to single before the day's motion
  // is added to it; the light time with the unrounded distance; the apparent longitude
  // rounded to single, then brought below 360; motions of 180 degrees lose a turn.
  kStateVector,
  // Newcomb's planets: the geocentric motion from the unrounded difference of the vectors;
  // the distance rounded to single before the light time and the latitude; the apparent
  // longitude brought within one turn in double; motions of 180 degrees kept.
  kNewcombPlanet,
  // Brown's Moon, seen from the Sun: the theory has no velocity vector, so the Moon one day
  // on is its geocentric direction turned by the day's motion in longitude at today's
  // distance and latitude, summed with the Earth's position and velocity in double and
  // rounded once (MotionBetween, not DailyMotion); today's direction brought below 360 in
  // single before the turn is taken from it, and the turn rounded to single before it is
  // folded (motions of 180 degrees kept); the distance rounded to single before the
  // latitude; no light time and no nutation, the direction being the heliocentric longitude.
  kBrownMoon,
};

// A vector in the ecliptic plane, AU, as formed in double.
struct PlaneVectorAu {
  double x = 0, y = 0;
};

// The direction in longitude (degrees) of `today`, a body seen from an observer, and the
// daily motion (degrees per day) to `ahead`, the same one day on: each vector rounded to
// single before its direction is taken, the turn folded into one half turn either side.
struct DirectionAndMotion {
  float direction_deg = 0, motion_deg_per_day = 0;
};
DirectionAndMotion MotionBetween(const PlaneVectorAu& today, const PlaneVectorAu& ahead, ReductionOrder order);

// Today's direction and the daily motion of `body` seen from `observer` (the Sun when it is
// all zeros), one day on with both velocities.
DirectionAndMotion DailyMotion(const HeliocentricState& body, const HeliocentricState& observer, ReductionOrder order);

// The apparent longitude, the latitude and the distance of `body` (its position; the
// velocity is not read) seen from `observer`, with the light-time correction of the
// longitude as the motion `seen.motion_deg_per_day` during the light travel time (0.0057683
// days per AU), and the nutation in longitude `nutation_deg` added. With kStateVector and
// kBrownMoon the motion was found from the same vectors, and its direction is the geometric
// longitude; kBrownMoon adds neither light time nor nutation.
struct ApparentDirection {
  float lon_deg = 0, lat_deg = 0, dist_au = 0;
};
ApparentDirection SeenFrom(const HeliocentricState& body, const HeliocentricState& observer,
                           const DirectionAndMotion& seen, float nutation_deg, ReductionOrder order);

// `p` with the geocentric direction and motion set.
Position WithGeocentric(Position p, const ApparentDirection& direction, float geo_motion_deg_per_day);

// A body of the files or Kepler orbits: its heliocentric direction, distance and motion from
// the vector, and the reduction with the instant's Earth and nutation (kStateVector).
Position ReduceStateVector(const HeliocentricState& body, const Instant& instant);

}  // namespace orbelle::ephemeris
