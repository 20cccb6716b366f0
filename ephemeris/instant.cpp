#include "ephemeris/instant.h"

#include "ephemeris/nutation.h"
#include "ephemeris/theories/planet_theory_internal.h"

namespace orbelle::ephemeris {

Instant::Instant(double jd) : jd_(jd), time_(TimeArgumentsAt(jd)), nutation_deg_(DriverNutation(time_)) {
  SolarPlanetaryTheory theory;
  const SolarResult sun = theory.Sun(time_);
  earth_ = sun.earth;
  sun_ = sun.sun;
}

Instant Instant::WithNutation(float nutation_deg) const {
  Instant moved = *this;
  moved.nutation_deg_ = nutation_deg;
  return moved;
}

Instant Instant::WithEarth(const HeliocentricState& earth) const {
  Instant moved = *this;
  moved.earth_ = earth;
  return moved;
}

}  // namespace orbelle::ephemeris
