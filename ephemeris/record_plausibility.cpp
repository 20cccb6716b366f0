#include "ephemeris/record_plausibility.h"

#include <array>
#include <cmath>

namespace orbelle::ephemeris {

namespace {

// Derived from data/ (every file of each body) by the test CorruptEphemerisRecords.BoundsAre
// TheExtremesOfTheShippedFiles, rounded outwards.
constexpr std::array<RecordBounds, 10> kShipped = {{
    {2.5319, 3.0001, 6.92e-6},    // 6 Ceres
    {1.9058, 3.6359, 2.82e-5},    // 7 Pallas
    {1.9710, 3.3635, 2.05e-5},    // 8 Juno
    {2.1349, 2.5868, 8.83e-6},    // 9 Vesta
    {4.9401, 5.4646, 1.63e-5},    // 10 Jupiter
    {8.9187, 10.1707, 2.87e-5},   // 11 Saturn
    {8.2910, 19.6127, 1.04e-4},   // 12 Chiron
    {18.2519, 20.1259, 8.40e-5},  // 13 Uranus
    {29.7813, 30.3755, 8.02e-5},  // 14 Neptune
    {29.6224, 49.3979, 1.27e-4},  // 15 Pluto
}};

// Sixth difference of f[first .. first + 6].
double SixthDifference(const std::array<float, 8>& f, std::size_t first) {
  constexpr double kBinomial[7] = {1, -6, 15, -20, 15, -6, 1};
  double d = 0;
  for (std::size_t j = 0; j < 7; ++j) d += kBinomial[j] * f[first + j];
  return d;
}

}  // namespace

const RecordBounds* ShippedRecordBounds(Integer body) {
  return body >= 6 && body <= 15 ? &kShipped[static_cast<std::size_t>(body - 6)] : nullptr;
}

bool PlausibleRecords(Integer body, const RecordWindow& window) {
  for (const auto& coordinate : window.xyz) {
    for (float v : coordinate) {
      if (!std::isfinite(v)) return false;
    }
  }
  const RecordBounds* bounds = ShippedRecordBounds(body);
  if (!bounds) return true;
  for (std::size_t r = 0; r < 8; ++r) {
    const double x = window.xyz[0][r], y = window.xyz[1][r], z = window.xyz[2][r];
    const double distance = std::sqrt(x * x + y * y + z * z);
    if (!(distance >= bounds->min_distance * (1 - kDistanceMargin) &&
          distance <= bounds->max_distance * (1 + kDistanceMargin))) {
      return false;
    }
  }
  const double limit = bounds->max_sixth_difference * kSixthDifferenceMargin;
  for (const auto& coordinate : window.xyz) {
    if (std::fabs(SixthDifference(coordinate, 0)) > limit || std::fabs(SixthDifference(coordinate, 1)) > limit) {
      return false;
    }
  }
  return true;
}

}  // namespace orbelle::ephemeris
