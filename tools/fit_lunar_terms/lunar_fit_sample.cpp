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

#include "ephemeris/theories/lunar_theory_internal.h"

int main() {
  using namespace orbelle::ephemeris;
  LunarTheory theory{std::span<const LunarArgumentTerm>{}};
  double jd;
  while (std::cin >> jd) {
    const LunarPosition p = theory.Moon(TimeArgumentsAt(jd), HeliocentricState{1.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    const LunarWork& w = theory.Work();
    std::printf("%.17g %.9g %.9g %.9g %.9g %.9g %.9g\n", w.T, w.EFactor, w.ElongationDeg, w.MeanAnomalyDeg,
                w.SunMeanAnomalyDeg, w.ArgLatitudeDeg, p.body.geo_lon_deg);
  }
  return 0;
}
