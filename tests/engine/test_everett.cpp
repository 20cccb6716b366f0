// Everett's interpolation to sixth differences reproduces polynomials up to the seventh
// degree exactly, value and rate (hand-checkable: the formula is the interpolating
// polynomial through the eight points).
#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/everett.h"

namespace orbelle::ephemeris {
namespace {

TEST(EverettInterpolate, ExactForSeventhDegreePolynomialsWithTheirRate) {
  // f(t) = 0.5 + 0.3 s - 0.2 s^3 + 0.01 s^5 - 0.001 s^7 with s = t / 4 - 0.5, t in days from
  // the first point, step 4 days; p is the fraction from the fourth point (t = 12).
  const auto f = [](double t) {
    const double s = t / 4.0 - 0.5;
    return 0.5 + 0.3 * s - 0.2 * s * s * s + 0.01 * std::pow(s, 5) - 0.001 * std::pow(s, 7);
  };
  const auto rate = [](double t) {
    const double s = t / 4.0 - 0.5;
    return (0.3 - 0.6 * s * s + 0.05 * std::pow(s, 4) - 0.007 * std::pow(s, 6)) / 4.0;
  };
  std::array<float, 8> values{};
  for (std::size_t j = 0; j < 8; ++j) values[j] = static_cast<float>(f(4.0 * j));
  for (float p : {0.0f, 0.25f, 0.5f, 0.9f}) {
    const double t = 12.0 + 4.0 * p;
    const InterpolatedValue v = EverettInterpolate(values, p, 4.0f);
    EXPECT_NEAR(v.value, f(t), 1e-6) << p;  // single-precision values near 4
    EXPECT_NEAR(v.rate, rate(t), 2e-7) << p;
  }
  EXPECT_EQ(EverettInterpolate(values, 0.0f, 4.0f).value, values[3]);
}

}  // namespace
}  // namespace orbelle::ephemeris
