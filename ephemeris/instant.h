// One moment of the engine: made once from its Julian day, never changed afterwards.
#pragma once

#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

// What every body of one moment shares: the time arguments, the nutation in longitude that
// the reduction of the file, Kepler and minor bodies adds, and the Earth's heliocentric state
// from Newcomb's Sun (with the Sun's own apparent position, worked out with it).
class Instant {
 public:
  // The moment `jd` (Julian day, used as Terrestrial Time). A non-finite day, or one so far
  // out that the theory's polynomials fail, raises CalculationError.
  explicit Instant(double jd);

  double jd() const { return jd_; }
  // Days and Julian centuries from JD 2415020.0.
  const TimeArguments& time() const { return time_; }
  // Six-term nutation in longitude from the driver's mean arguments, degrees.
  float nutation_deg() const { return nutation_deg_; }
  // The Earth's heliocentric ecliptic position (AU) and motion per day (AU/day), of date.
  const HeliocentricState& earth() const { return earth_; }
  // The Sun by Newcomb's theory, apparent geocentric, without orbit points.
  const Position& sun() const { return sun_; }

  // The same moment with another nutation in longitude (the lunar theory's own, which a
  // caller of the older interface hands on to the bodies after the Moon).
  Instant WithNutation(float nutation_deg) const;
  // The same moment seen from another Earth state (a caller of the older interface keeps its
  // own Earth variables from call to call).
  Instant WithEarth(const HeliocentricState& earth) const;

 private:
  double jd_;
  TimeArguments time_;
  float nutation_deg_;
  HeliocentricState earth_;
  Position sun_;
};

}  // namespace orbelle::ephemeris
