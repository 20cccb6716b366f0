// Angle helpers: reductions, quadrants and guards, against hand calculations.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ephemeris/angles.h"
#include "ephemeris/engine_error.h"

namespace orbelle::ephemeris {
namespace {

TEST(Norm360, ReducesIntoOneTurn) {
  for (auto [in, out] : {std::pair{-30.0f, 330.0f}, {720.0f, 0.0f}, {359.5f, 359.5f}, {-720.5f, 359.5f}}) {
    EXPECT_FLOAT_EQ(Norm360(in), out) << in;
  }
  for (auto [in, out] : {std::pair{-30.0, 330.0}, {720.0, 0.0}, {-1e-9, 360.0 - 1e-9}}) {
    EXPECT_NEAR(Norm360D(in), out, 1e-9) << in;
  }
  // A tiny negative angle is a hair below zero turns: (q + 1) * 360 rounds to 360 in single.
  EXPECT_EQ(Norm360(-1e-6f), 360.0f);
  // Past 2^24 turns the single quotient loses whole turns; the reduction must still land in
  // one turn (found by fuzzing the ephemeris files with coordinates near the single range).
  for (float angle : {7.3e12f, -7.3e12f, 3.0e38f, -3.0e38f}) {
    EXPECT_GE(Norm360(angle), 0.0f) << angle;
    EXPECT_LE(Norm360(angle), 360.0f) << angle;
  }
}

// Each wrap rule keeps its user's own case at exactly half a turn: the driver's difference of
// directions loses a turn at 180, the theories' only beyond it, the Sun's only backwards.
TEST(AngleWraps, MotionsAtExactlyHalfATurn) {
  const struct {
    double motion, from_half, beyond_half, below_half_back;
  } motions[] = {
      {180.0, -180.0, 180.0, 180.0}, {-180.0, 180.0, -180.0, -180.0}, {180.5, -179.5, -179.5, 180.5},
      {-180.5, 179.5, 179.5, 179.5}, {179.5, 179.5, 179.5, 179.5},
  };
  for (const auto& m : motions) {
    EXPECT_EQ(MotionWrappedFromHalfTurn(m.motion), m.from_half) << m.motion;
    EXPECT_EQ(MotionWrappedBeyondHalfTurn(m.motion), m.beyond_half) << m.motion;
    EXPECT_EQ(MotionWrappedBelowHalfTurnBack(m.motion), m.below_half_back) << m.motion;
  }
}

TEST(Atan2Deg, AllDirectionsAxesAndTinyComponents) {
  EXPECT_FLOAT_EQ(Atan2Deg(0, -5), 180);
  EXPECT_FLOAT_EQ(Atan2Deg(0, 0), 0);
  EXPECT_GT(Atan2Deg(1, 0), 89.9999f);
  EXPECT_LT(Atan2Deg(1, 0), 90.0f);
  // A vector along -y points at 270 degrees (the unguarded steps would give 90).
  EXPECT_NEAR(Atan2Deg(-1, 0), 270.0f, 1e-4);
  // Just below the x axis the direction rounds to a full turn in single: it comes back as 0.
  EXPECT_EQ(Atan2Deg(-1e-30f, 1.0f), 0.0f);
  EXPECT_EQ(Atan2Rad(-1e-30f, 1.0f), 0.0f);
  // Components so small that their product underflows in single precision keep their
  // quadrant (found by fuzzing: the second quadrant came back as -45).
  EXPECT_FLOAT_EQ(Atan2Deg(1e-30f, -1e-30f), 135.0f);
  EXPECT_FLOAT_EQ(Atan2Deg(-1e-30f, 1e-30f), 315.0f);
  EXPECT_FLOAT_EQ(Atan2Deg(-1e-30f, -1e-30f), 225.0f);
}

TEST(ArcSinDeg, GuardAtOneAndFaultsBeyond) {
  EXPECT_FLOAT_EQ(ArcSinDeg(0.5f), 30.0f);
  // 90 - 1e-7 rad in degrees, rounded to single: 89.99999237.
  EXPECT_EQ(ArcSinDeg(1.0f), 89.99999237060546875f);
  EXPECT_EQ(ArcSinDeg(-1.0f), -89.99999237060546875f);
  EXPECT_THROW(ArcSinDeg(1.0001f), CalculationError);
  EXPECT_THROW(ArcSinDeg(std::nanf("")), CalculationError);
  EXPECT_THROW(SinDeg(std::numeric_limits<float>::infinity()), CalculationError);
}

}  // namespace
}  // namespace orbelle::ephemeris
