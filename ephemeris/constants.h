// Constants shared across the engine. Each rounding of pi is named for the rounding it
// reproduces: the driver and the theories were written against different ones, and their results
// depend on the last bit of each.
#pragma once

namespace orbelle::ephemeris {

// pi to 14 significant digits (not the library's M_PI): the double-precision angle helpers and
// the solar and planetary theory.
inline constexpr double kDecimalPi = 3.1415926535898;
// pi rounded to single precision: the driver, the Kepler orbits and the lunar theory.
inline constexpr float kSinglePi = 3.1415927f;
// Degrees to radians and back in single precision, from the single pi.
inline constexpr float kDegToRad = kSinglePi / 180.0f;
inline constexpr float kRadToDeg = 1.0f / kDegToRad;

// Light travel time for 1 AU, days (the light-time correction of geocentric longitudes):
// 498.38 s, the value that follows from Newcomb's constant of aberration, 20.47" (Newcomb, "The
// Elements of the Four Inner Planets and the Fundamental Constants of Astronomy", 1895), through
// tau = kappa P sqrt(1 - e^2) / (2 pi) with the sidereal year P and the Earth's eccentricity e.
// (The IAU 1964 system's 499.012 s came with the later 20.496".)
inline constexpr double kLightDaysPerAU = 0.0057683;

// The epoch of the time arguments, 1900 January 0.5 (JD 2415020.0), and the Julian century.
inline constexpr double kJD1900 = 2415020.0;
inline constexpr double kDaysPerJulianCentury = 36525.0;

}  // namespace orbelle::ephemeris
