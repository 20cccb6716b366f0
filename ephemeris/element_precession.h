// Orbital elements referred to the ecliptic and equinox J2000.0 carried to those of date.
#pragma once

namespace orbelle::ephemeris {

struct OrbitOrientation {
  float i = 0;      // inclination, degrees
  float node = 0;   // longitude of the ascending node, degrees
  float omega = 0;  // argument of perihelion, degrees
};

// The orientation angles at J2000.0 seen in the ecliptic and equinox of `jd`. An orbit whose
// node direction coincides with the axis of the rotation (sin theta = 0, for instance any
// orbit lying in the J2000.0 ecliptic) has no defined inclination in this reduction and
// raises CalculationError.
OrbitOrientation ElementsToDate(const OrbitOrientation& j2000, double jd);

}  // namespace orbelle::ephemeris
