// The body-position driver: dispatch and argument checks. (The time arguments and the
// nutation it hands on are pinned by tests/golden; the DATE ERROR result is tested in
// tests/ephemeris_files.)
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ephemeris/engine_error.h"
#include "tests/support/engine_call.h"

namespace orbelle::ephemeris {
namespace {

TEST(Driver, EmptyBodiesAndMinusOneChangeNothing) {
  test::EngineCall c;
  c.r.GeoLon.fill(7.0f);
  c.r.AscNodeLon.fill(7.0f);
  const ResultArrays before = c.r;
  for (Integer body : {18, 19, 20, 21, 22, -1}) c.Call(2451545.0, body, 1);
  EXPECT_EQ(c.r.GeoLon, before.GeoLon);
  EXPECT_EQ(c.r.AscNodeLon, before.AscNodeLon);
  EXPECT_EQ(c.r.HelioDist, before.HelioDist);
}

TEST(Driver, BadRequestsAreRefusedBeforeWriting) {
  test::EngineCall c;
  for (Integer body : {Integer(-2), Integer(kBodySlots), std::numeric_limits<Integer>::max()}) {
    EXPECT_THROW(c.Call(2451545.0, body, 0), InvalidArgumentError) << body;
  }
  // Arrays too short for the lunar theory's node slots are refused for the Moon too, and ten
  // elements, one short of Jupiter's slot, for Jupiter.
  std::array<float, 10> small{};
  ResultSpans r = c.r.Spans();
  r.GeoLon = std::span<float>(small);
  for (Integer body : {kMoon, kJupiter}) {
    EXPECT_THROW(c.engine.BodyPosition({.Body = body, .EphemPath = ""}, c.instant, r), InvalidArgumentError) << body;
  }
  EXPECT_EQ(small, (std::array<float, 10>{}));
  // A non-finite instant is a calculation error, never a NaN in a result.
  EXPECT_THROW(c.Call(std::numeric_limits<double>::infinity(), kTimeArguments, 0), CalculationError);
  EXPECT_THROW(c.Call(std::nan(""), kTimeArguments, 0), CalculationError);
}

// LunarOption: 1 or 3 asks the Moon request for the mean north node (slot 16), 0 or 1 for the
// south node (slot 17); a node request writes the true nodes into both slots alike, whichever
// of the two it names, and hands back 2 so that later Moon requests of the instant leave them
// alone.
TEST(Driver, LunarOptionDecidesWhichNodesAreWritten) {
  struct Case {
    Integer option;
    bool north, south;
  };
  for (const Case k : {Case{0, false, true}, Case{1, true, true}, Case{2, false, false}, Case{3, true, false}}) {
    test::EngineCall c;
    c.r.GeoLon.fill(7.0f);
    c.Call(2433282.5, kTimeArguments, 0);
    EXPECT_EQ(c.engine.BodyPosition({.Body = kMoon, .LunarOption = k.option, .EphemPath = ""}, c.instant, c.r.Spans()),
              k.option);
    EXPECT_EQ(c.r.GeoLon[16], k.north ? c.r.AscNodeLon[2] : 7.0f) << k.option;
    EXPECT_EQ(c.r.GeoLon[17], k.south ? c.r.DescNodeLon[2] : 7.0f) << k.option;
    for (Integer node : {kNorthNode, kSouthNode}) {
      test::EngineCall n;
      EXPECT_EQ(n.engine.BodyPosition({.Body = node, .LunarOption = k.option, .EphemPath = ""}, n.instant, n.r.Spans()),
                2);
      EXPECT_NE(n.r.GeoLon[16], 0.0f);
      EXPECT_NE(n.r.GeoLon[17], 0.0f);
    }
  }
}

// The older interface forms the later bodies' positions from the caller's Earth and nutation,
// whatever the instant's own: a planet, a Kepler body and the Moon asked with two other
// Earths and nutations in turn are the sources' at the instant with each.
TEST(Driver, LaterBodiesTakeTheCallersEarthAndNutation) {
  constexpr double kJd = 2451545.0;
  const Instant own(kJd);
  test::EngineCall c;
  c.At(kJd, kSun);
  for (const float scale : {0.5f, 0.9f}) {
    const HeliocentricState earth{scale, -scale, 0.001f, 0.014f, 0.009f};
    const Instant moved = own.WithEarth(earth).WithNutation(0.01f * scale);
    for (const Integer body : {kMars, Integer(27), kMoon}) {
      c.instant.Earth = earth;
      c.instant.Nutation = moved.nutation_deg();
      c.Call(kJd, body, 0);
    }
    EXPECT_EQ(c.r.GeoLon[kMars], PlanetarySource().Position(Body::Mars, moved).geo_lon_deg) << scale;
    EXPECT_EQ(c.r.GeoLon[27], KeplerSource().Position(static_cast<Body>(27), moved)->geo_lon_deg) << scale;
    EXPECT_EQ(c.r.HelioLon[kMoon], LunarSource().Position(Body::Moon, moved).body.helio_lon_deg) << scale;
  }
}

}  // namespace
}  // namespace orbelle::ephemeris
