// Samples the solar and planetary theory for fit_planet_terms.py: what the perturbation sums
// are fitted against, taken from the engine itself so that the fit always matches the theory.
//
// First, per body (1 the Sun, 3 Mercury, 4 Venus, 5 Mars), one line
//   # body  name of each disturber's term block, in the theory's order
// then for each Julian day (TT) read from standard input one line per body:
//   body  T  longitude  radius  M  node  inclination  extra1 extra2 extra3  X...
// T in Julian centuries from JD 2415020.0; the unperturbed orbit: longitude in the orbit
// (degrees, with the long-period terms), radius vector (AU), the own mean anomaly M, the node
// and the inclination (radians); the parts of the sums that are not term tables (the Sun:
// its lunar terms in longitude, log r and latitude; Mars: its two own terms in longitude and
// log r; 0 otherwise); then each disturber's mean anomaly X (radians) as the terms take it.
// Numbers are written with 17 significant digits, which restores them exactly.
#include <cstdio>
#include <iostream>

#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/theories/planet_theory_internal.h"

int main() {
  using namespace orbelle::ephemeris;
  constexpr Integer kBodies[] = {kSun, kMercury, kVenus, kMars};
  for (Integer body : kBodies) {
    std::printf("# %d", body);
    for (const Disturber& d : DisturbersOf(body)) std::printf(" %s", d.block);
    std::printf("\n");
  }
  SolarPlanetaryTheory theory;
  double jd;
  while (std::cin >> jd) {
    const TimeArguments t = TimeArgumentsAt(jd);
    const double T = t.T, T2 = t.T2;
    theory.SetInstant(T, T2);
    for (Integer body : kBodies) {
      theory.UnperturbedOrbit(body, T, T2);
      double extra[3] = {0, 0, 0};
      if (body == kSun) {
        const auto moon = theory.LunarTerms();
        extra[0] = moon.longitude, extra[1] = moon.log_radius, extra[2] = moon.latitude;
      }
      if (body == kMars) {
        theory.SetOwnMultiples();
        const auto own = theory.OwnTermsOfMars();
        extra[0] = own.longitude, extra[1] = own.log_radius;
      }
      const PlanetWork& w = theory.Work();
      std::printf("%d %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g", body, T, w.TrueLongitudeDeg,
                  w.RadiusVectorAu, w.MeanAnomaly, w.NodeLongitude, w.Inclination, extra[0], extra[1], extra[2]);
      for (const Disturber& d : DisturbersOf(body)) std::printf(" %.17g", d.Radians(T));
      std::printf("\n");
    }
  }
  return 0;
}
