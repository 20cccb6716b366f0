// The body-position driver: time arguments, dispatch and argument checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ephemeris/body_position.h"
#include "ephemeris/engine_error.h"

namespace orbelle::ephemeris {
namespace {

// Calls BodyPosition the way the angles table does, keeping the caller's variables.
struct Caller {
  Ephemeris engine;
  ResultArrays arrays;
  InstantState instant;
  Integer mode = 0;

  void Call(Integer body, double jd) {
    instant.JD = jd;
    engine.BodyPosition({.Body = body, .Mode = mode, .EphemPath = ""}, instant, arrays.Spans());
  }
};

// Body 0 leaves the instant's nutation in longitude for the later bodies and keeps the time
// arguments (Meeus, example 22.a: -3.788" on JDE 2446895.5; J2000.0 is T = 1).
TEST(Driver, TimeArgumentsAndNutationOfTheInstant) {
  Caller c;
  c.Call(kTimeArguments, 2446895.5);
  EXPECT_NEAR(c.instant.Nutation * 3600.0, -3.788, 0.01);
  c.Call(kTimeArguments, 2451545.0);
  EXPECT_EQ(c.engine.Days(), 36525.0);
  EXPECT_EQ(c.engine.T(), 1.0);
  EXPECT_EQ(c.engine.T2(), 1.0);
}

TEST(Driver, EmptyBodiesAndMinusOneChangeNothing) {
  Caller c;
  c.arrays.GeoLon.fill(7.0f);
  c.arrays.AscNodeLon.fill(7.0f);
  const ResultArrays before = c.arrays;
  for (Integer body : {Integer(18), Integer(19), Integer(20), Integer(21), Integer(22), Integer(-1)}) {
    c.mode = 1;
    c.Call(body, 2451545.0);
  }
  EXPECT_EQ(c.arrays.GeoLon, before.GeoLon);
  EXPECT_EQ(c.arrays.AscNodeLon, before.AscNodeLon);
  EXPECT_EQ(c.arrays.HelioDist, before.HelioDist);
}

TEST(Driver, BodiesWithoutASlotAreRefusedBeforeWriting) {
  Caller c;
  EXPECT_THROW(c.Call(-2, 2451545.0), InvalidArgumentError);
  EXPECT_THROW(c.Call(Integer(kBodySlots), 2451545.0), InvalidArgumentError);
  EXPECT_THROW(c.Call(std::numeric_limits<Integer>::max(), 2451545.0), InvalidArgumentError);

  // Arrays too short for the lunar theory's node slots are refused for the Moon too.
  std::array<float, 10> small{};
  std::span<float> s(small);
  ResultSpans r = c.arrays.Spans();
  r.GeoLon = s;
  EXPECT_THROW(c.engine.BodyPosition({.Body = kMoon, .EphemPath = ""}, c.instant, r), InvalidArgumentError);
  EXPECT_EQ(small, (std::array<float, 10>{}));
}

TEST(Driver, NonFiniteInstantIsACalculationError) {
  Caller c;
  EXPECT_THROW(c.Call(kTimeArguments, std::numeric_limits<double>::infinity()), CalculationError);
  EXPECT_THROW(c.Call(kTimeArguments, std::nan("")), CalculationError);
}

TEST(Driver, DateErrorResult) {
  ResultArrays a;
  a.GeoDist[12] = 3.5f;
  a.GeoLat[12] = 1.0f;
  a.GeoLon[20] = 5.0f;
  a.AscNodeLon[20] = 5.0f;
  WriteDateError(12, a.Spans());
  WriteDateError(20, a.Spans());
  EXPECT_EQ(a.GeoLon[12], -1.0f);
  EXPECT_EQ(a.HelioLon[12], -1.0f);
  EXPECT_EQ(a.GeoLat[12], 0.0f);
  EXPECT_EQ(a.GeoDist[12], 3.5f);  // distances keep their previous values
  EXPECT_EQ(a.PerihelionLon[12], -1.0f);
  EXPECT_EQ(a.GeoLon[20], -1.0f);
  EXPECT_EQ(a.AscNodeLon[20], 5.0f);  // no orbit points from body 16 up
}

}  // namespace
}  // namespace orbelle::ephemeris
