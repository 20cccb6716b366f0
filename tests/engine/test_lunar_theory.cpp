// The lunar theory's request handling, state and reductions (its accuracy against the
// reference ephemeris is tested in tests/lunar_accuracy, its results pinned by tests/golden).
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

TEST(LunarTheory, OtherBodiesWriteNothingAndBodiesOutsideTheRangeAreRefused) {
  for (Integer body : {0, 1, 3, 5, 9, 12, 15, 18, 31, 255, -1, -32768, 256, 32767}) {
    LunarCall c;
    if (body < 0 || body > 255) {
      EXPECT_THROW(c.Run(body, 2451545.0), InvalidArgumentError) << body;
    } else {
      c.Run(body, 2451545.0);
    }
    EXPECT_TRUE(c.WrittenSlots().empty()) << body;
    EXPECT_EQ(c.instant.Nutation, kUnwritten) << body;
    EXPECT_EQ(c.option, 1) << body;
  }
}

// LunarOption: bit 0 asks the Moon request for the mean north node (slot 16), option 0 or 1
// for the south node (slot 17); a node request writes the true nodes into both slots alike,
// whichever of the two it names, and hands back 2 so that later Moon requests of the instant
// leave them alone.
TEST(LunarTheory, LunarOptionDecidesWhichNodesAreWritten) {
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
    EXPECT_EQ(c.WrittenSlots(), (std::vector<std::size_t>{2, 16, 17}));

    LunarCall north, south;
    north.option = south.option = k.option;
    north.Run(16, 2460000.25);
    south.Run(17, 2460000.25);
    EXPECT_EQ(north.option, 2);
    EXPECT_EQ(south.option, 2);
    EXPECT_EQ(north.WrittenSlots(), (std::vector<std::size_t>{16, 17}));
    for (std::size_t a = 0; a < north.Arrays().size(); ++a) {
      EXPECT_EQ(*north.Arrays()[a], *south.Arrays()[a]) << "array " << a;
    }
    EXPECT_NEAR(std::remainder(north.arrays.GeoLon[17] - north.arrays.GeoLon[16] - 180.0, 360.0), 0.0, 1e-4);
  }
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

}  // namespace
}  // namespace orbelle::ephemeris
