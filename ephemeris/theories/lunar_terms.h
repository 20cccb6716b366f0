// Coefficient tables of the truncated lunar theory of Brown, summed by LunarTheory.
//
// A term of the argument series is A * sin(kD*D + kl*l + kl'*l' + kF*F) (or the cosine, for
// the parallax), with D the Moon's mean elongation, l and l' the mean anomalies of the Moon and
// the Sun and F the Moon's mean argument of latitude; amplitudes in arc-seconds.
#pragma once

#include <array>
#include <cstddef>

namespace orbelle::ephemeris {

struct LunarArgumentTerm {
  int D, l, lp, F;   // multipliers of D, l, l' and F
  double amplitude;  // arc-seconds
};

// A * sin(phase + rate * T), T in Julian centuries from JD 2415020.0.
struct LunarPlanetaryTerm {
  double amplitude;  // arc-seconds
  double phase;      // radians
  double rate;       // radians per Julian century
};

// Principal terms of the longitude: Brown's 30 largest, from 22639.5" down to 8.627"...
inline constexpr std::size_t kBrownLongitudeTermCount = 30;
extern const std::array<LunarArgumentTerm, kBrownLongitudeTermCount> kBrownLongitudeTerms;
// ... followed by the 86 further terms from 8.466" down to 0.1" (lunar_fitted_longitude_terms.cpp).
inline constexpr std::size_t kFittedLongitudeTermCount = 86;
extern const std::array<LunarArgumentTerm, kFittedLongitudeTermCount> kFittedLongitudeTerms;

// Brown's planetary terms of the longitude.
extern const std::array<LunarPlanetaryTerm, 26> kPlanetaryLongitudeTerms;

// Inequalities of the argument of latitude (the longitude series without E factors).
extern const std::array<LunarArgumentTerm, 17> kLatitudeArgumentTerms;
// Correction series N of the latitude; every argument holds F once.
extern const std::array<LunarArgumentTerm, 8> kLatitudeCorrectionTerms;
// Cosine terms of the equatorial horizontal parallax, around its constant 3422.451".
extern const std::array<LunarArgumentTerm, 17> kParallaxTerms;
// Periodic terms of the true node around the mean node.
extern const std::array<LunarArgumentTerm, 21> kTrueNodeTerms;

}  // namespace orbelle::ephemeris
