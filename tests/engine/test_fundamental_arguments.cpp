// The mean arguments and the three nutation series against Meeus's worked example
// (Astronomical Algorithms, 2nd ed., example 22.a: 1987 April 10, 0h TD, JDE 2446895.5).
#include <gtest/gtest.h>

#include "ephemeris/constants.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nutation.h"

namespace orbelle::ephemeris {
namespace {

constexpr double kJDE = 2446895.5;
// Meeus's mean arguments of the IAU 1980 theory, degrees: D, M, M', F and the node.
constexpr double kD = 136.9623, kM = 94.9792, kMoonM = 229.2784, kF = 143.4079, kNode = 11.2531;
// Meeus's nutation in longitude from the full 1980 series, arc-seconds.
constexpr double kNutation = -3.788;

// Brown's and Newcomb's arguments differ from the IAU 1980 ones by about 0.002 degrees in the
// Sun's anomaly, less in the others.
TEST(FundamentalArguments, MeanArgumentsOfTheWorkedExample) {
  constexpr double kTolerance = 0.003;
  const TimeArguments t = TimeArgumentsAt(kJDE);
  const BrownArguments b = LunarTheoryArguments(t.days);
  EXPECT_NEAR(b.elongation, kD, kTolerance);
  EXPECT_NEAR(b.sun_anomaly, kM, kTolerance);
  EXPECT_NEAR(b.moon_anomaly, kMoonM, kTolerance);
  EXPECT_NEAR(b.arg_latitude, kF, kTolerance);
  EXPECT_NEAR(b.node, kNode, kTolerance);
  const NewcombBrownArguments p = PlanetTheoryArguments(t.T, t.T2, t.T2 * t.T);
  EXPECT_NEAR(p.moon_elongation, kD, kTolerance);
  EXPECT_NEAR(p.sun_anomaly, kM, kTolerance);
  EXPECT_NEAR(p.moon_anomaly, kMoonM, kTolerance);
  EXPECT_NEAR(p.moon_node, kNode, kTolerance);
  const NutationArguments d = DriverArguments(t);
  EXPECT_NEAR(d.sun_anomaly, kM, kTolerance);
  EXPECT_NEAR(d.moon_anomaly, kMoonM, kTolerance);
  EXPECT_NEAR(d.moon_node, kNode, kTolerance);
}

// Each series with the arguments of the component that uses it. The terms the truncated series leave out amount
// to less than 0.01" on this date.
TEST(FundamentalArguments, NutationOfTheWorkedExample) {
  constexpr double kTolerance = 0.01;
  const TimeArguments t = TimeArgumentsAt(kJDE);
  EXPECT_NEAR(NutationSixTerms(DriverArguments(t), t.T) * 3600.0, kNutation, kTolerance);
  const BrownArguments b = LunarTheoryArguments(t.days);
  const NutationArguments lunar{b.node, b.sun_longitude, b.moon_longitude, b.sun_anomaly, b.moon_anomaly};
  EXPECT_NEAR(NutationSixTermsLineByLine(lunar, t.T) * 3600.0, kNutation, kTolerance);
  const NewcombBrownArguments p = PlanetTheoryArguments(t.T, t.T2, t.T2 * t.T);
  constexpr double k = kDecimalPi / 180.0;
  const NutationRadians planet{p.sun_longitude * k, p.sun_anomaly * k, p.moon_longitude * k,
                               p.moon_anomaly * k,  p.moon_node * k,   p.moon_elongation * k};
  EXPECT_NEAR(NutationThirteenTerms(planet, t.T) * 3600.0, kNutation, kTolerance);
}

}  // namespace
}  // namespace orbelle::ephemeris
