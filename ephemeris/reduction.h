// From a heliocentric state to the apparent geocentric position of date: one reduction for
// the file and Kepler bodies and for Newcomb's planets, each in its own rounding order.
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
};

// Today's direction in longitude (degrees) of `body` seen from `observer` (the Sun when it is
// all zeros), and the daily motion (degrees per day): the direction one day on, with both
// velocities, less today's, folded into one half turn either side.
struct DirectionAndMotion {
  float direction_deg = 0, motion_deg_per_day = 0;
};
DirectionAndMotion DailyMotion(const HeliocentricState& body, const HeliocentricState& observer, ReductionOrder order);

// The apparent geocentric longitude, the latitude and the distance of `body` (its position;
// the velocity is not read) seen from `earth`, with the light-time correction of the
// longitude as the motion `geo.motion_deg_per_day` during the light travel time (0.0057683
// days per AU), and the nutation in longitude `nutation_deg` added. With kStateVector the
// motion was found from `body` itself, and its direction is the geometric longitude.
struct GeocentricDirection {
  float lon_deg = 0, lat_deg = 0, dist_au = 0;
};
GeocentricDirection ReduceToGeocentric(const HeliocentricState& body, const HeliocentricState& earth,
                                       const DirectionAndMotion& geo, float nutation_deg, ReductionOrder order);

// `p` with the geocentric direction and motion set.
Position WithGeocentric(Position p, const GeocentricDirection& direction, float geo_motion_deg_per_day);

// A body of the files or Kepler orbits: its heliocentric direction, distance and motion from
// the vector, and the reduction with the instant's Earth and nutation (kStateVector).
Position ReduceStateVector(const HeliocentricState& body, const Instant& instant);

}  // namespace orbelle::ephemeris
