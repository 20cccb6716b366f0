// Samples the lunar theory without the fitted principal terms, for fit_lunar_terms.py.
//
// Reads one Julian day (TT) per line on standard input and writes per instant:
//   T  E  D  l  l'  F  longitude
// with T in Julian centuries from JD 2415020.0, E Brown's eccentricity factor, the corrected
// mean arguments D, l, l', F in degrees as the longitude series uses them, and the Moon's
// apparent longitude in degrees from Brown's 30 largest principal terms and the rest of the
// theory. Floats are written with 9 significant digits, which restores them exactly.
#include <cstdio>
#include <iostream>
#include <span>

#include "ephemeris/result_arrays.h"
#include "ephemeris/theories/lunar_theory.h"

int main() {
  using namespace orbelle::ephemeris;
  LunarTheory theory{std::span<const LunarArgumentTerm>{}};
  ResultArrays results;
  const ResultSpans r = results.Spans();
  InstantState instant;
  instant.Earth = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  while (std::cin >> instant.JD) {
    theory.LunarEphemeris(kMoon, 2, instant, r);
    const LunarWork& w = theory.Work();
    std::printf("%.17g %.9g %.9g %.9g %.9g %.9g %.9g\n", w.T, w.EFactor, w.Elongation, w.MeanAnomaly,
                w.SunMeanAnomaly, w.ArgLatitude, r.GeoLon[2]);
  }
  return 0;
}
