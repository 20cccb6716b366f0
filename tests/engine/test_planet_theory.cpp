// Solar and planetary theory at the edges of its rules: an eccentricity of one or more, the
// longitude at the equinox (its results are pinned by tests/golden, its accuracy against the
// reference ephemeris tested in tests/planet_accuracy).
#include <gtest/gtest.h>

#include "ephemeris/engine_error.h"
#include "ephemeris/instant.h"
#include "ephemeris/theories/planet_theory_internal.h"

namespace orbelle::ephemeris {
namespace {

// Far outside the range of the polynomials an eccentricity of 1 or more would make the
// iteration run for ever: it is reported as a calculation error instead.
TEST(PlanetTheory, RefusesEccentricityOfOneOrMore) {
  SolarPlanetaryTheory theory;
  PlanetWork& w = theory.MutableWork();
  w.MeanAnomaly = 1.0;
  w.Eccentricity = 1.5;
  EXPECT_THROW(theory.SolveKepler(), CalculationError);
  // Mercury's eccentricity polynomial 0.2056 + 2.046e-5 T - 3e-8 T^2 is far below 0 four million
  // years out.
  EXPECT_THROW(theory.Planet(kMercury, TimeArgumentsAt(2415020.0 + 36525.0 * 40000), {}), CalculationError);
}

// At the March equinox the apparent longitude passes 360: just before the crossing a value a
// hair below 360 must not be stored as 360 in single precision.
TEST(PlanetTheory, LongitudeStaysBelowOneTurnAtTheEquinox) {
  double before = 2451623.5, after = 2451625.5;  // 2000 March 19 and 21
  auto longitude = [](double jd) { return Instant(jd).sun().geo_lon_deg; };
  for (int k = 0; k < 60; ++k) {
    const double mid = 0.5 * (before + after);
    (longitude(mid) > 180.0f ? before : after) = mid;
  }
  for (double jd : {before, after}) {
    EXPECT_GE(longitude(jd), 0.0f) << jd;
    EXPECT_LT(longitude(jd), 360.0f) << jd;
  }
  EXPECT_GT(longitude(before), 359.9999f);
}

}  // namespace
}  // namespace orbelle::ephemeris
