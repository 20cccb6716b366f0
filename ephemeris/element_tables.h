// Constant element tables of the Kepler-orbit bodies (see the table sources for provenance).
#pragma once

#include <array>

namespace orbelle::ephemeris {

// Fixed elements of the distant hypothetical bodies 23..30: angles in degrees, the node and
// the mean anomaly linear in Julian centuries T from JD 2415020.0.
struct DistantBodyRow {
  double a, e, i, omega, node0, node_rate, M0, M_rate;
};
extern const std::array<DistantBodyRow, 8> kDistantBodies;  // bodies 23..30

// A polynomial c0 + c1 T + c2 T^2 + c3 T^3 in Julian centuries from JD 2415020.0.
struct Polynomial {
  double c0 = 0, c1 = 0, c2 = 0, c3 = 0;
};
// Unit of an angle polynomial.
enum class AngleUnit { kDegrees, kArcSeconds };

struct MeanElementRow {
  Polynomial a, e;
  AngleUnit i_unit;
  Polynomial i;
  AngleUnit omega_unit;
  Polynomial omega;
  AngleUnit node_unit;
  Polynomial node;
};
// Bodies 1..15 (index = body - 1); the Moon's row (body 2) is not used.
extern const std::array<MeanElementRow, 15> kMeanElements;

}  // namespace orbelle::ephemeris
