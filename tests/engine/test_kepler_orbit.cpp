// Kepler orbits at the edges of their rules: high eccentricities, the distant bodies at their
// epoch, the orbit points by Mode (the results on the way are pinned by tests/golden).
#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/engine_error.h"
#include "ephemeris/kepler_orbit.h"
#include "tests/support/engine_call.h"

namespace orbelle::ephemeris {
namespace {

constexpr double kJ1900 = 2415020.0;

TEST(EccentricAnomaly, SolvesKeplersEquationOverAllEccentricitiesAndAnomalies) {
  // Includes the high eccentricities where the first Newton step is larger than the offset
  // of the starting value (e = 0.99, M = 0.001 rad: the root is E = 0.1685 rad, far from
  // the start at 0.003) and where Newton's method from the usual start runs away
  // (e = 0.999, M = 0.01).
  for (float e : {0.0f, 0.05f, 0.3f, 0.6f, 0.9f, 0.97f, 0.99f, 0.999f}) {
    for (float M : {0.0f, 0.001f, 0.01f, 0.5f, 1.5f, 3.0f, 3.14159f, 4.0f, 6.2f}) {
      const double E = EccentricAnomaly(M, e);
      EXPECT_NEAR(E - e * std::sin(E), M, 2e-6) << "e=" << e << " M=" << M;
    }
  }
  EXPECT_EQ(EccentricAnomaly(1.25f, 0.0f), 1.25f);
  // Outside the range: a parabola at perihelion is a division by zero; an orbit of e = 1 is
  // refused away from perihelion too, where Kepler's equation still has a root.
  EXPECT_THROW(EccentricAnomaly(0.0f, 1.0f), CalculationError);
  OrbitalElements parabola;
  parabola.a_au = 2.5f;
  parabola.M_deg = 40.0f;
  parabola.e = 1.0f;
  EXPECT_THROW(KeplerOrbit(parabola), CalculationError);
}

TEST(DistantBodies, Body31AtItsEpochTakesTheLimitOfThePrecessionFormula) {
  // At JD 2415020.303 the rotation between the ecliptics vanishes (0/0 in the formula); the
  // longitude of perihelion is then the fixed 0.0438748 degrees, and the longitude and the
  // distance follow from Kepler's equation for M = 66.8065314 degrees, e = 0.3 (hand
  // calculation in double precision: 101.585490 degrees, 75.275370 AU).
  test::EngineCall call;
  call.At(2415020.303, 31);
  EXPECT_NEAR(call.r.HelioLon[31], 101.585490, 2e-4);
  EXPECT_NEAR(call.r.HelioDist[31], 75.275370, 2e-4);
  // Continuous through the epoch.
  for (double dt : {-1e-3, 1e-3, -1.0, 1.0}) {
    const float at_epoch = call.r.HelioLon[31];
    call.At(2415020.303 + dt, 31);
    EXPECT_NEAR(call.r.HelioLon[31], at_epoch, 0.0015 * std::fabs(dt) + 1e-4) << dt;
    call.At(2415020.303, 31);
  }
}

}  // namespace
}  // namespace orbelle::ephemeris
