// Working orbital elements of the body being computed, and the heliocentric state that the
// sources hand to the driver's position reduction.
#pragma once

namespace orbelle::ephemeris {

// Single precision, as the driver keeps them.
struct OrbitalElements {
  float a_au = 0;           // semi-major axis
  float e = 0;              // eccentricity
  float i_rad = 0;          // inclination to the ecliptic
  float omega_rad = 0;      // argument of perihelion
  float node_rad = 0;       // longitude of the ascending node
  float M_deg = 0;          // mean anomaly
  float n_rad_per_day = 0;  // mean motion
};

// Heliocentric ecliptic position (AU) and motion per day (AU/day) of date.
struct HeliocentricState {
  float x = 0, y = 0, z = 0;
  float vx = 0, vy = 0;
};

}  // namespace orbelle::ephemeris
