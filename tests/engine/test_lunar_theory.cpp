// The lunar theory's request handling, state and reductions (its accuracy against the
// reference ephemeris is tested in tests/lunar_accuracy).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ephemeris/body_position.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/result_arrays.h"
#include "ephemeris/theories/lunar_theory.h"

namespace orbelle::ephemeris {
namespace {

constexpr float kUnwritten = 7.25f;

// One call's arguments, with every output preset to a marker.
struct LunarCall {
  LunarTheory theory;
  ResultArrays arrays;
  InstantState instant{.JD = 0, .Earth = {0.98f, 0.17f, 0.0f, -0.003f, 0.017f}, .Nutation = kUnwritten};
  Integer option = 1;

  LunarCall() {
    for (auto* a : Arrays()) a->fill(kUnwritten);
  }
  std::vector<std::array<float, kBodySlots>*> Arrays() {
    ResultArrays& r = arrays;
    return {&r.GeoLon,   &r.GeoLat,     &r.GeoDist,     &r.GeoSpeed,      &r.HelioLon,   &r.HelioLat,
            &r.HelioDist, &r.HelioSpeed, &r.AscNodeLon, &r.DescNodeLon, &r.PerihelionLon, &r.AphelionLon};
  }
  void Run(Integer body, double jd) {
    instant.JD = jd;
    option = theory.LunarEphemeris(body, option, instant, arrays.Spans());
  }
  // Slots (of any array) no longer holding the marker.
  std::vector<std::size_t> WrittenSlots() {
    std::vector<std::size_t> slots;
    for (auto* a : Arrays()) {
      for (std::size_t i = 0; i < a->size(); ++i) {
        if ((*a)[i] != kUnwritten && std::find(slots.begin(), slots.end(), i) == slots.end()) slots.push_back(i);
      }
    }
    std::sort(slots.begin(), slots.end());
    return slots;
  }
};

TEST(LunarTheory, OtherBodiesWriteNothing) {
  for (Integer body : {0, 1, 3, 5, 9, 12, 15, 18, 31, 255}) {
    LunarCall c;
    c.Run(body, 2451545.0);
    EXPECT_TRUE(c.WrittenSlots().empty()) << body;
    EXPECT_EQ(c.instant.Nutation, kUnwritten) << body;
    EXPECT_EQ(c.option, 1) << body;
    EXPECT_NEAR(c.theory.Work().T, 1.0, 1e-12) << "the set-up runs for every body";
  }
}

TEST(LunarTheory, BodyNumbersOutsideTheRangeAreRefused) {
  for (Integer body : {-1, -32768, 256, 32767}) {
    LunarCall c;
    EXPECT_THROW(c.Run(body, 2451545.0), InvalidArgumentError) << body;
    EXPECT_TRUE(c.WrittenSlots().empty()) << body;
  }
}

TEST(LunarTheory, ArraysWithoutTheNodeSlotsAreRefusedBeforeWriting) {
  LunarTheory theory;
  std::vector<float> short_array(17, kUnwritten), full(18, kUnwritten);
  const ResultSpans r{full, full, full, full, full, full, full, full, full, full, full, short_array};
  InstantState instant{.JD = 2451545.0, .Earth = {}, .Nutation = kUnwritten};
  EXPECT_THROW(theory.LunarEphemeris(kMoon, 1, instant, r), InvalidArgumentError);
  EXPECT_EQ(instant.Nutation, kUnwritten);
  EXPECT_TRUE(std::all_of(full.begin(), full.end(), [](float v) { return v == kUnwritten; }));
}

TEST(LunarTheory, BothNodeRequestsWriteBothNodesAlike) {
  for (Integer option : {0, 1, 2, 3}) {
    LunarCall north, south;
    north.option = south.option = option;
    north.Run(16, 2460000.25);
    south.Run(17, 2460000.25);
    EXPECT_EQ(north.option, 2);
    EXPECT_EQ(south.option, 2);
    EXPECT_EQ(north.WrittenSlots(), (std::vector<std::size_t>{16, 17}));
    for (std::size_t a = 0; a < north.Arrays().size(); ++a) {
      EXPECT_EQ(*north.Arrays()[a], *south.Arrays()[a]) << "array " << a;
    }
    EXPECT_EQ(north.instant.Nutation, south.instant.Nutation);
    const ResultArrays& r = north.arrays;
    EXPECT_NEAR(std::remainder(r.GeoLon[17] - r.GeoLon[16] - 180.0, 360.0), 0.0, 1e-4);
    for (std::size_t node : {16, 17}) {
      EXPECT_EQ(r.GeoLat[node], 0.0f);
      EXPECT_EQ(r.HelioLat[node], 0.0f);
      EXPECT_EQ(r.GeoDist[node], 0.0025f);
      EXPECT_EQ(r.HelioDist[node], 1.0f);
      EXPECT_EQ(r.GeoSpeed[node], kUnwritten);
      EXPECT_EQ(r.HelioLon[node], kUnwritten);
    }
  }
}

TEST(LunarTheory, TheMoonWritesMeanNodesByLunarOption) {
  struct Case {
    Integer option;
    bool north, south;
  };
  for (const Case k : {Case{0, false, true}, Case{1, true, true}, Case{2, false, false}, Case{3, true, false}}) {
    LunarCall c;
    c.option = k.option;
    c.Run(2, 2433282.5);
    const ResultArrays& r = c.arrays;
    EXPECT_EQ(c.option, k.option) << "the Moon request leaves LunarOption alone";
    EXPECT_EQ(r.GeoLon[16], k.north ? r.AscNodeLon[2] : kUnwritten) << k.option;
    EXPECT_EQ(r.GeoLon[17], k.south ? r.DescNodeLon[2] : kUnwritten) << k.option;
    EXPECT_EQ(r.GeoLat[16], 0.0f);
    EXPECT_EQ(r.GeoLat[17], 0.0f);
    EXPECT_EQ(r.GeoDist[16], kUnwritten);
    EXPECT_EQ(c.WrittenSlots(), (std::vector<std::size_t>{2, 16, 17}));
    EXPECT_NE(c.instant.Nutation, kUnwritten);
  }
}

TEST(LunarTheory, ANodeRequestTurnsTheMeanNodesOffForLaterMoonRequests) {
  LunarCall c;
  c.option = 1;
  c.Run(16, 2451545.0);
  const float true_node = c.arrays.GeoLon[16];
  c.Run(2, 2451545.0);
  EXPECT_EQ(c.option, 2);
  EXPECT_EQ(c.arrays.GeoLon[16], true_node);
}

TEST(LunarTheory, OrbitPointsOfTheMoon) {
  LunarCall c;
  c.Run(2, 2451545.0);
  const ResultArrays& r = c.arrays;
  const LunarWork& w = c.theory.Work();
  EXPECT_FLOAT_EQ(r.AscNodeLon[2], w.NodeLongitude);
  EXPECT_NEAR(std::remainder(r.DescNodeLon[2] - r.AscNodeLon[2] - 180.0, 360.0), 0.0, 1e-4);
  EXPECT_NEAR(std::remainder(r.AphelionLon[2] - r.PerihelionLon[2] - 180.0, 360.0), 0.0, 1e-4);
  // The perigee carried onto the ecliptic moves by less than the reduction to the ecliptic,
  // at most about 0.12 degrees for an inclination of 5.15 degrees.
  EXPECT_NEAR(std::remainder(r.PerihelionLon[2] - w.PerigeeLongitude, 360.0), 0.0, 0.12);
  EXPECT_NE(r.PerihelionLon[2], w.PerigeeLongitude);
}

// Runs the Moon with the Earth placed so that the Moon's heliocentric direction lies
// `offset` AU off the +x axis in y, and the Earth moving by `dy` AU in y over the day.
float HelioSpeedNearZeroLongitude(double offset, float dy) {
  LunarCall c;
  c.instant.Earth.x = 1.0f;
  c.instant.Earth.y = 0.0f;
  c.instant.Earth.vx = 0.0f;
  c.instant.Earth.vy = 0.0f;
  c.Run(2, 2451545.0);
  const ResultArrays& r = c.arrays;
  const double lambda = r.GeoLon[2] * M_PI / 180, beta = r.GeoLat[2] * M_PI / 180;
  c.instant.Earth.y = float(offset - std::sin(lambda) * std::cos(beta) * r.GeoDist[2]);
  c.instant.Earth.vy = dy;
  c.Run(2, 2451545.0);
  EXPECT_NEAR(std::remainder(r.HelioLon[2], 360.0), offset * 180 / M_PI, 1e-3);
  return r.HelioSpeed[2];
}

TEST(LunarTheory, HeliocentricMotionAcrossZeroLongitudeIsFolded) {
  // From just below 360 degrees to about 1.1 degrees: a raw difference near -359.
  const float forward = HelioSpeedNearZeroLongitude(-1e-5, 0.02f);
  EXPECT_GT(forward, 0.9f);
  EXPECT_LT(forward, 1.3f);
  // From just above 0 to about 358.9: a raw difference near +359.
  const float backward = HelioSpeedNearZeroLongitude(1e-5, -0.02f);
  EXPECT_LT(backward, -0.9f);
  EXPECT_GT(backward, -1.3f);
}

TEST(LunarTheory, ResultsDoNotDependOnEarlierCalls) {
  LunarCall fresh, used;
  used.Run(17, 2305447.5);
  used.Run(2, 2488070.0);
  used.option = 1;
  fresh.Run(2, 2451545.0);
  used.Run(2, 2451545.0);
  for (std::size_t a = 0; a < fresh.Arrays().size(); ++a) {
    EXPECT_EQ((*fresh.Arrays()[a])[2], (*used.Arrays()[a])[2]) << "array " << a;
  }
  EXPECT_EQ(fresh.instant.Nutation, used.instant.Nutation);
}

TEST(LunarTheory, LongitudesStayBelowAFullTurnAtTheZeroCrossing) {
  // Find an instant where the Moon's longitude passes 360 -> 0 and sample densely around it:
  // a sum a hair below zero reduces to exactly 360 in single precision and must be stored as 0.
  LunarCall c;
  auto longitude = [&c](double jd) {
    c.Run(2, jd);
    return c.arrays.GeoLon[2];
  };
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

TEST(LunarTheory, GeometryOfTheMoonAtJ2000) {
  // Reference: swetest -p1 -bj2451545 -flbR (apparent, TT): 223.3148703, 5.1708721,
  // 0.002689975 AU; daily motion 12.0214 deg/day (-fs).
  LunarCall c;
  c.Run(2, 2451545.0);
  const ResultArrays& r = c.arrays;
  EXPECT_NEAR(r.GeoLon[2], 223.3148703, 12.0 / 3600);
  EXPECT_NEAR(r.GeoLat[2], 5.1708721, 20.0 / 3600);
  EXPECT_NEAR(r.GeoDist[2], 0.002689975, 1.5e-6);
  EXPECT_NEAR(r.GeoSpeed[2], 12.0214, 0.2);
  EXPECT_NEAR(c.instant.Nutation, -13.9 / 3600, 0.5 / 3600);  // nutation in longitude at J2000: -13.9"
}

TEST(LunarTheory, TheDriverServesTheMoonAndTheNodes) {
  Ephemeris engine;
  ResultArrays driven;
  const ResultSpans r = driven.Spans();
  const double jd = 2460000.25;
  InstantState instant{.JD = jd, .Earth = {0.98f, 0.17f, 0.0f, -0.003f, 0.017f}};
  Integer option = 1;
  for (Integer body : {0, 2, 16}) option = engine.BodyPosition({body, 1, option, ""}, instant, r);
  LunarCall direct;
  direct.Run(2, jd);
  direct.Run(16, jd);
  EXPECT_EQ(option, 2);
  for (std::size_t slot : {2, 16, 17}) {
    EXPECT_EQ(driven.GeoLon[slot], direct.arrays.GeoLon[slot]) << slot;
    EXPECT_EQ(driven.GeoDist[slot], direct.arrays.GeoDist[slot]) << slot;
  }
  EXPECT_EQ(driven.HelioLon[2], direct.arrays.HelioLon[2]);
  EXPECT_EQ(driven.PerihelionLon[2], direct.arrays.PerihelionLon[2]);
}

}  // namespace
}  // namespace orbelle::ephemeris
