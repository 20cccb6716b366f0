#include "ephemeris/result_arrays.h"

#include <algorithm>

namespace orbelle::ephemeris {

std::size_t ResultSpans::Slots() const {
  return std::min({GeoLon.size(), GeoLat.size(), GeoDist.size(), GeoSpeed.size(), HelioLon.size(), HelioLat.size(),
                   HelioDist.size(), HelioSpeed.size(), AscNodeLon.size(), DescNodeLon.size(), PerihelionLon.size(),
                   AphelionLon.size()});
}

ResultSpans ResultArrays::Spans() {
  return {GeoLon,    GeoLat,     GeoDist,    GeoSpeed,    HelioLon,      HelioLat,
          HelioDist, HelioSpeed, AscNodeLon, DescNodeLon, PerihelionLon, AphelionLon};
}

void WriteDateError(Integer body, const ResultSpans& r) {
  const auto b = static_cast<std::size_t>(body);
  r.GeoLon[b] = -1.0f;
  r.HelioLon[b] = -1.0f;
  r.GeoLat[b] = 0.0f;
  r.HelioLat[b] = 0.0f;
  r.GeoSpeed[b] = 0.0f;
  r.HelioSpeed[b] = 0.0f;
  if (body < kNorthNode) {
    r.AscNodeLon[b] = -1.0f;
    r.DescNodeLon[b] = -1.0f;
    r.PerihelionLon[b] = -1.0f;
    r.AphelionLon[b] = -1.0f;
  }
}

}  // namespace orbelle::ephemeris
