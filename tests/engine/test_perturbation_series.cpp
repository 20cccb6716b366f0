// Perturbation series and term tables: the sum by the addition theorem against the terms
// evaluated directly, and the multiples the tables may ask for.
#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/theories/perturbation_terms.h"
#include "ephemeris/theories/planet_theory_internal.h"

namespace orbelle::ephemeris {
namespace {

constexpr double kDeg = kDecimalPi / 180.0;

// A theory with the multiple tables filled for own anomaly 40 degrees and disturber anomaly
// x_degrees.
SolarPlanetaryTheory Prepared(double x_degrees) {
  SolarPlanetaryTheory theory;
  theory.SetInstant(0.5, 0.25);
  theory.MutableWork().MeanAnomaly = 40 * kDeg;
  theory.SetOwnMultiples();
  theory.SetDisturberMultiples(x_degrees);
  return theory;
}

// Newcomb's Venus terms of the Sun summed by the addition theorem against each term evaluated
// directly.
TEST(Series, SunByVenusAgainstTheTermsEvaluatedDirectly) {
  SolarPlanetaryTheory theory = Prepared(100.0);
  theory.PerturbSunByVenus();
  double sum = 0;
  for (const auto& t : kSunByVenus.longitude) {
    const double phase = t.pi_phase ? t.pi_phase * kDecimalPi : t.phase;
    sum += t.amplitude * std::cos(t.x * 100 * kDeg + t.m * 40 * kDeg + phase);
  }
  EXPECT_NEAR(theory.PertLongitude(), sum, 1e-4);
}

// The generated term tables ask only for the multiples the sums prepare: |x| in 0..13, 15, 17
// and |m| up to 19 (a reading beyond them would be out of bounds).
TEST(TermTables, MultiplesWithinTheTables) {
  for (const PerturbationBlock* b :
       {&kSunByMercury,   &kSunByVenus,     &kSunByMars,      &kSunMarsLatitude,  &kSunByJupiter,
        &kSunBySaturn,    &kMercuryByVenus, &kMercuryByEarth, &kMercuryByJupiter, &kMercuryBySaturn,
        &kVenusByMercury, &kVenusByEarth,   &kVenusByMars,    &kVenusByJupiter,   &kVenusBySaturn,
        &kMarsByVenus,    &kMarsByEarth,    &kMarsByJupiter,  &kMarsBySaturn,     &kMarsByUranus}) {
    for (auto series : {b->longitude, b->log_radius, b->latitude}) {
      for (const auto& t : series) {
        const int x = std::abs(t.x), m = std::abs(t.m);
        EXPECT_TRUE(x <= 13 || x == 15 || x == 17) << int(t.x);
        EXPECT_LE(m, 19);
      }
    }
  }
}

}  // namespace
}  // namespace orbelle::ephemeris
