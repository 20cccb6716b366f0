// The lunar theory's results as values and its reductions (its accuracy against the
// reference ephemeris is tested in tests/lunar_accuracy, its results pinned by tests/golden).
#include <gtest/gtest.h>

#include <array>

#include "ephemeris/engine_error.h"
#include "ephemeris/theories/lunar_theory_internal.h"

namespace orbelle::ephemeris {
namespace {

// Only the Moon and its nodes come from the lunar source.
TEST(LunarTheory, SourceRefusesOtherBodies) {
  LunarSource moon;
  const Instant now(2451545.0);
  for (Body body : {Body::Sun, Body::Mercury, Body::Jupiter, static_cast<Body>(31)}) {
    EXPECT_THROW(moon.Position(body, now), InvalidArgumentError) << NumberOf(body);
  }
}

TEST(LunarTheory, ResultsDoNotDependOnEarlierCalls) {
  LunarTheory used;
  used.TrueNodes(TimeArgumentsAt(2305447.5));
  used.Moon(TimeArgumentsAt(2488070.0), {});
  const LunarPosition again = used.Moon(TimeArgumentsAt(2451545.0), {1.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  const LunarPosition fresh = LunarTheory().Moon(TimeArgumentsAt(2451545.0), {1.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  auto fields = [](const Position& p) {
    return std::array{p.geo_lon_deg,   p.geo_lat_deg,   p.geo_dist_au,   p.geo_motion_deg_per_day,
                      p.helio_lon_deg, p.helio_lat_deg, p.helio_dist_au, p.helio_motion_deg_per_day};
  };
  EXPECT_EQ(fields(again.body), fields(fresh.body));
  EXPECT_EQ(again.nutation_deg, fresh.nutation_deg);
}

TEST(LunarTheory, LongitudesStayBelowAFullTurnAtTheZeroCrossing) {
  // Find an instant where the Moon's longitude passes 360 -> 0 and sample densely around it:
  // a sum a hair below zero reduces to exactly 360 in single precision and must be stored as 0.
  LunarTheory theory;
  auto longitude = [&theory](double jd) { return theory.Moon(TimeArgumentsAt(jd), {}).body.geo_lon_deg; };
  double before = 2451545.0;
  while (!(longitude(before) > 350.0f && longitude(before + 1.0) < 10.0f)) before += 1.0;
  double after = before + 1.0;
  while (after - before > 1e-9) {
    const double mid = 0.5 * (before + after);
    (longitude(mid) > 180.0f ? before : after) = mid;
  }
  int folded = 0;
  for (int k = -2000; k <= 2000; ++k) {
    const float lon = longitude(after + k * 2e-9);
    ASSERT_GE(lon, 0.0f);
    ASSERT_LT(lon, 360.0f);
    folded += lon == 0.0f;
  }
  EXPECT_GT(folded, 0);
}

}  // namespace
}  // namespace orbelle::ephemeris
