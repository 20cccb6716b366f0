// The lunar theory against the reference ephemeris: swetest (Swiss Ephemeris with its JPL
// DE431-based files), the Julian day taken as TT on both sides, at fixed random instants that
// the fit of the principal terms did not use. Geocentric: apparent position of date
// (-p1 -flbRs); heliocentric: geometric, mean ecliptic and equinox of date
// (-p1 -hel -true -nonut), with the reference Earth handed to the theory; nodes of date
// without nutation (-pt -nonut, the osculating node; -pm -nonut, the mean node).
#include <gtest/gtest.h>

#include "tools/lunar_accuracy/lunar_comparison.h"
#include "tools/reference/swetest.h"

namespace orbelle::lunar_accuracy {
namespace {

struct Bounds {
  double longitude, latitude, distance, speed, true_node, mean_node;
};

void ExpectWithin(const LunarErrors& e, const Bounds& b) {
  EXPECT_LT(e.longitude, b.longitude);
  EXPECT_LT(e.latitude, b.latitude);
  EXPECT_LT(e.distance, b.distance);
  EXPECT_LT(e.speed, b.speed);
  EXPECT_LT(e.true_node, b.true_node);
  EXPECT_LT(e.mean_node, b.mean_node);
  // Heliocentric values from the reference Earth: the geocentric errors shrink by the ratio of
  // the distances (the direction's error moves the Moon by up to b.longitude" at 0.0027 AU);
  // the motion is estimated over one day.
  EXPECT_LT(e.helio_longitude, 1.0);
  EXPECT_LT(e.helio_latitude, 0.2);
  EXPECT_LT(e.helio_distance, b.distance + b.longitude / 206264.8 * 0.0027);
  EXPECT_LT(e.helio_speed, 0.01);
}

class LunarAccuracy : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!reference::SwetestAvailable()) GTEST_SKIP() << "swetest or its data files are not installed";
  }
};

// 1800-2200: longitude within 12" (the fitted principal terms; the rest is Brown's secular
// drift of up to about 8"), latitude 20" and distance 1.5e-6 AU (225 km) as the latitude and
// parallax series reach, the daily motion by the law of areas within 0.2 deg/day.
TEST_F(LunarAccuracy, From1800To2200) {
  ExpectWithin(CompareWithReference(RandomInstants(300, 1800, 2200, 11)), {12.0, 20.0, 1.5e-6, 0.2, 120.0, 20.0});
}

// 1000-3000: Brown's secular terms drift from the modern ephemeris by about 3' at the ends.
TEST_F(LunarAccuracy, From1000To3000) {
  ExpectWithin(CompareWithReference(RandomInstants(300, 1000, 3000, 12)), {210.0, 34.0, 1.5e-6, 0.2, 180.0, 60.0});
}

// Brown's 30 largest principal terms alone leave errors of about a minute of arc.
TEST_F(LunarAccuracy, TheFurtherPrincipalTermsMatter) {
  const auto jds = RandomInstants(300, 1800, 2200, 11);
  EXPECT_GT(CompareWithReference(jds, {}).longitude, 40.0);
}

}  // namespace
}  // namespace orbelle::lunar_accuracy
