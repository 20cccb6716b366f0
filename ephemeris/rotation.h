// A direction held as its cosine and sine, and the addition theorem that combines two:
// cos(a + b) = cos a cos b - sin a sin b, sin(a + b) = sin a cos b + cos a sin b.
//
// The periodic series of the theories have arguments that are sums of small multiples of a
// few angles. With the rotations of those multiples worked out once per instant, every term's
// cosine and sine come from a few multiplications instead of a call of the library's sin or
// cos; the values agree to the last bits of a double.
#pragma once

#include <cmath>

namespace orbelle::ephemeris {

struct Rotation {
  double c = 1.0, s = 0.0;
};

inline Rotation RotationOf(double radians) { return {std::cos(radians), std::sin(radians)}; }

inline Rotation Rotate(const Rotation& a, const Rotation& b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }

// The rotation by the opposite angle when `negative`.
inline Rotation Signed(Rotation r, bool negative) {
  if (negative) r.s = -r.s;
  return r;
}

}  // namespace orbelle::ephemeris
