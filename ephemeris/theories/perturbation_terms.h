// Periodic perturbation terms of the Sun (the Earth's orbit), Mercury, Venus and Mars.
//
// A term adds A * cos(x * X + m * M + phase) to one of the three perturbation sums, where M is
// the mean anomaly of the perturbed body and X that of the disturbing planet (radians). The
// sums are in arc-seconds for the heliocentric longitude and latitude and in units of 1e-9
// of the decimal logarithm of the radius vector. The multiples are looked up in the tables of
// multiples kept by the theory, never formed by multiplication.
//
// The tables are generated sources (see tools/fit_planet_terms): the leading terms of each
// series as published, the rest fitted to the reference ephemeris.
#pragma once

#include <cstdint>
#include <span>

namespace orbelle::ephemeris {

struct PerturbationTerm {
  std::int8_t x;         // signed multiple of the disturbing planet's mean anomaly
  std::int8_t m;         // signed multiple of the perturbed body's own mean anomaly
  std::int8_t pi_phase;  // 0: the phase is `phase`; +1 or -1: the phase is +pi or -pi (the theory's pi)
  double phase;          // radians
  double amplitude;      // arc-seconds, or 1e-9 in log10 r
};

// The terms one disturbing body contributes to the three sums, each in summation order.
struct PerturbationBlock {
  std::span<const PerturbationTerm> longitude, log_radius, latitude;
};

// The Sun (its own anomaly is the Sun's mean anomaly). Mercury's block takes Mercury's
// anomaly directly, with x = 1 in every term. kSunMarsLatitude are the three latitude terms
// added after Newcomb's Mars series.
extern const PerturbationBlock kSunByMercury, kSunByVenus, kSunByMars, kSunMarsLatitude, kSunByJupiter, kSunBySaturn;
extern const PerturbationBlock kMercuryByVenus, kMercuryByEarth, kMercuryByJupiter, kMercuryBySaturn;
extern const PerturbationBlock kVenusByMercury, kVenusByEarth, kVenusByMars, kVenusByJupiter, kVenusBySaturn;
extern const PerturbationBlock kMarsByVenus, kMarsByEarth, kMarsByJupiter, kMarsBySaturn, kMarsByUranus;

}  // namespace orbelle::ephemeris
