// Working orbital elements of the body being computed, and the heliocentric state that the
// sources hand to the driver's position reduction.
#pragma once

namespace orbelle::ephemeris {

// Single precision, as the driver keeps them.
struct OrbitalElements {
  float a = 0;      // semi-major axis, AU
  float e = 0;      // eccentricity
  float i = 0;      // inclination to the ecliptic, radians
  float omega = 0;  // argument of perihelion, radians
  float node = 0;   // longitude of the ascending node, radians
  float M = 0;      // mean anomaly, degrees
  float n = 0;      // mean motion, radians per day
};

// Heliocentric ecliptic position (AU) and motion per day (AU/day) of date.
struct HeliocentricState {
  float x = 0, y = 0, z = 0;
  float vx = 0, vy = 0;
};

}  // namespace orbelle::ephemeris
