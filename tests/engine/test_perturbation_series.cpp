// Perturbation series and term tables: the multiples, summing that only adds, the phases of
// +/-pi, and the number of terms of every series.
#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/result_arrays.h"
#include "ephemeris/theories/perturbation_terms.h"
#include "ephemeris/theories/planet_theory.h"

namespace orbelle::ephemeris {
namespace {

constexpr double kDeg = kDecimalPi / 180.0;

// A theory after body 0 (pi and the conversion factors set) with the multiple tables filled
// for own anomaly 40 degrees and disturber anomaly x_degrees.
SolarPlanetaryTheory Prepared(double x_degrees) {
  SolarPlanetaryTheory theory;
  float e[5] = {};
  double T = 0.5, T2 = 0.25;
  ResultArrays r;
  auto s = r.Spans();
  Integer body = 0;
  theory.PlanetTheory(body, e[0], e[1], e[2], e[3], e[4], T, T2, s.GeoLon, s.GeoLat, s.GeoDist, s.GeoSpeed,
                      s.HelioLon, s.HelioLat, s.HelioDist, s.HelioSpeed);
  theory.MutableWork().MeanAnomaly = 40 * kDeg;
  theory.SetOwnMultiples();
  theory.SetDisturberMultiples(x_degrees);
  return theory;
}

TEST(Multiples, RepeatedAdditionInTheirWidths) {
  const SolarPlanetaryTheory theory = Prepared(-30.0);
  const double x = 330 * kDeg;  // reduced to one turn
  EXPECT_DOUBLE_EQ(theory.DisturberMultiple(1), x);
  for (int k : {2, 7, 10}) EXPECT_NEAR(theory.DisturberMultiple(k), k * x, 1e-12) << k;
  for (int k : {11, 13, 15, 17}) {
    EXPECT_NEAR(theory.DisturberMultiple(k), k * x, 1e-4) << k;
    EXPECT_EQ(theory.DisturberMultiple(k), static_cast<float>(theory.DisturberMultiple(k))) << k;
  }
  for (int k = 1; k <= 18; ++k) {
    EXPECT_NEAR(theory.OwnMultiple(k), k * 40 * kDeg, 1e-4) << k;
    if (k != 16) {
      EXPECT_EQ(theory.OwnMultiple(k), static_cast<float>(theory.OwnMultiple(k))) << k;
    }
  }
  // 16 M is kept in double: it is 15 M (single) + M exactly.
  EXPECT_DOUBLE_EQ(theory.OwnMultiple(16), theory.OwnMultiple(15) + 40 * kDeg);
}

TEST(Multiples, OwnMultiplesClearTheSums) {
  SolarPlanetaryTheory theory = Prepared(100.0);
  theory.PerturbSunByVenus();
  EXPECT_NE(theory.PertLongitude(), 0);
  theory.SetOwnMultiples();
  EXPECT_EQ(theory.PertLongitude(), 0);
  EXPECT_EQ(theory.PertLogRadius(), 0);
  EXPECT_EQ(theory.PertLatitude(), 0);
}

TEST(Series, OnlyAddAndTwiceDoubles) {
  using Step = void (SolarPlanetaryTheory::*)();
  for (Step step : {&SolarPlanetaryTheory::PerturbSunByVenus, &SolarPlanetaryTheory::PerturbSunByMars,
                    &SolarPlanetaryTheory::PerturbMercuryByVenus, &SolarPlanetaryTheory::PerturbVenusByEarth}) {
    SolarPlanetaryTheory theory = Prepared(100.0);
    (theory.*step)();
    const double lon = theory.PertLongitude(), rad = theory.PertLogRadius(), lat = theory.PertLatitude();
    (theory.*step)();
    EXPECT_NEAR(theory.PertLongitude(), 2 * lon, 1e-9);
    EXPECT_NEAR(theory.PertLogRadius(), 2 * rad, 1e-6);
    EXPECT_NEAR(theory.PertLatitude(), 2 * lat, 1e-9);
    EXPECT_NE(lon, 0);
    EXPECT_NE(rad, 0);
  }
}

// The leading term of Newcomb's Venus series alone: 5.526" cos(2x - 2M + 2.588556).
TEST(Series, LeadingTermOfTheSunByVenus) {
  SolarPlanetaryTheory theory = Prepared(100.0);
  theory.PerturbSunByVenus();
  double sum = 0;
  for (const auto& t : kSunByVenus.longitude) {
    const double phase = t.pi_phase ? t.pi_phase * kDecimalPi : t.phase;
    sum += t.amplitude * std::cos(t.x * 100 * kDeg + t.m * 40 * kDeg + phase);
  }
  EXPECT_NEAR(theory.PertLongitude(), sum, 1e-4);
  const auto& first = kSunByVenus.longitude[0];
  EXPECT_EQ(first.x, 2);
  EXPECT_EQ(first.m, -2);
  EXPECT_EQ(first.phase, 2.588556);
  EXPECT_EQ(first.amplitude, 5.526);
}

// Multiples stay inside the tables: |x| in 0..13, 15, 17 and |m| up to 18, and 19 once (Mars by
// the Earth, through 10 M + 9 M).
TEST(TermTables, MultiplesWithinTheTables) {
  int nineteen = 0;
  for (const PerturbationBlock* b :
       {&kSunByMercury, &kSunByVenus, &kSunByMars, &kSunMarsLatitude, &kSunByJupiter, &kSunBySaturn,
        &kMercuryByVenus, &kMercuryByEarth, &kMercuryByJupiter, &kMercuryBySaturn, &kVenusByMercury, &kVenusByEarth,
        &kVenusByMars, &kVenusByJupiter, &kVenusBySaturn, &kMarsByVenus, &kMarsByEarth, &kMarsByJupiter,
        &kMarsBySaturn, &kMarsByUranus}) {
    for (auto series : {b->longitude, b->log_radius, b->latitude}) {
      for (const auto& t : series) {
        const int x = std::abs(t.x), m = std::abs(t.m);
        EXPECT_TRUE(x <= 13 || x == 15 || x == 17) << int(t.x);
        EXPECT_LE(m, 19);
        nineteen += m == 19;
      }
    }
  }
  EXPECT_EQ(nineteen, 1);
}

}  // namespace
}  // namespace orbelle::ephemeris
