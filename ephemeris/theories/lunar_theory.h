// Brown's lunar theory in its classical truncated form: the Moon's apparent geocentric
// position, distance and motion, its heliocentric position, and the mean and true nodes.
#pragma once

#include <span>

#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

class LunarTheory {
 public:
  // Body 2: the Moon (and, by LunarOption, the mean nodes); bodies 16 and 17: both nodes,
  // LunarOption handed back as 2. Other bodies 0..255 return after the set-up; any other
  // number raises InvalidArgumentError. Writes the slots 2, 16 and 17 only.
  void LunarEphemeris(Integer& Body, float& EarthX, float& EarthY, float& EarthZ, float& EarthDX, float& EarthDY,
                      double& JD, Integer& LunarOption, float& Nutation, std::span<float> GeoLon,
                      std::span<float> GeoLat, std::span<float> GeoDist, std::span<float> GeoSpeed,
                      std::span<float> HelioLon, std::span<float> HelioLat, std::span<float> HelioDist,
                      std::span<float> HelioSpeed, std::span<float> AscNodeLon, std::span<float> DescNodeLon,
                      std::span<float> PerihelionLon, std::span<float> AphelionLon);
};

}  // namespace orbelle::ephemeris
