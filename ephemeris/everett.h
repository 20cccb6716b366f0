// Everett's central-difference interpolation to sixth differences, with its rate (J. D.
// Everett's formula, its coefficients as in Interpolation and Allied Tables, H.M. Nautical
// Almanac Office, 1956).
#pragma once

#include <array>

namespace orbelle::ephemeris {

struct InterpolatedValue {
  float value = 0;  // at the fraction p of the step from f4 to f5
  float rate = 0;   // per day
};

// Eight equally spaced values f1..f8 (f[0]..f[7]) at the step h days; 0 <= p < 1 is the
// fraction of the step from f4 towards f5.
InterpolatedValue EverettInterpolate(const std::array<float, 8>& f, float p, float h);

}  // namespace orbelle::ephemeris
