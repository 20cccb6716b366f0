// Solar and planetary theory: Newcomb's Sun (and so the Earth), Mercury, Venus and Mars from
// mean elements, Kepler's equation and periodic perturbations, reduced to apparent
// geocentric positions of date.
#pragma once

#include <span>

#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

class SolarPlanetaryTheory {
 public:
  // Body 0: the time arguments and the nutation of the instant (T, T2 in Julian centuries
  // from JD 2415020.0). Body 1: the Sun, leaving the Earth's heliocentric position and
  // velocity in EarthX..EarthDY. Bodies 3..5: Mercury, Venus, Mars. Every other body returns
  // without writing anything. Results go to the body's slot of the eight arrays.
  void PlanetTheory(Integer& Body, float& EarthX, float& EarthY, float& EarthZ, float& EarthDX, float& EarthDY,
                    double& T, double& T2, std::span<float> GeoLon, std::span<float> GeoLat,
                    std::span<float> GeoDist, std::span<float> GeoSpeed, std::span<float> HelioLon,
                    std::span<float> HelioLat, std::span<float> HelioDist, std::span<float> HelioSpeed);
};

}  // namespace orbelle::ephemeris
