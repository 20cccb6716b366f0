// The lunar theory against the reference ephemeris (swetest, Julian day as TT), instant by
// instant: largest differences of the Moon's apparent geocentric position and distance, of its
// heliocentric position and motion formed with the reference Earth, and of the nodes.
#pragma once

#include <span>
#include <vector>

#include "ephemeris/theories/lunar_terms.h"

namespace orbelle::lunar_accuracy {

// Largest absolute differences, ours minus the reference.
struct LunarErrors {
  double longitude = 0;        // geocentric apparent longitude, arc-seconds
  double latitude = 0;         // geocentric apparent latitude, arc-seconds
  double distance = 0;         // geocentric distance, AU
  double speed = 0;            // geocentric motion in longitude, degrees per day
  double helio_longitude = 0;  // heliocentric longitude (geometric, of date), arc-seconds
  double helio_latitude = 0;   // heliocentric latitude, arc-seconds
  double helio_distance = 0;   // heliocentric distance, AU
  double helio_speed = 0;      // heliocentric motion in longitude, degrees per day
  double true_node = 0;        // body 16 against the osculating node without nutation, arc-seconds
  double mean_node = 0;        // LunarOption 1 against the mean node without nutation, arc-seconds
};

// `count` instants uniform at random over the Julian years first_year..last_year (J2000-based
// years of 365.25 days), from a fixed seed.
std::vector<double> RandomInstants(int count, double first_year, double last_year, unsigned seed);

// Runs the theory (with the given principal terms after Brown's 30 largest) at every instant
// and compares it with swetest. The Earth's heliocentric vector handed to the theory is the
// reference one, its velocity the change over one day centred on the instant.
LunarErrors CompareWithReference(
    const std::vector<double>& jds,
    std::span<const ephemeris::LunarArgumentTerm> further_longitude_terms = ephemeris::kFittedLongitudeTerms);

}  // namespace orbelle::lunar_accuracy
