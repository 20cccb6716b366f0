// The twelve single-precision result arrays of the engine, indexed by body number.
//
// Longitudes in degrees 0..360 (-1 is the DATE ERROR result), latitudes in degrees,
// distances in AU, daily motions in degrees per day; the last four are the directions of the
// orbit's ascending and descending nodes, perihelion and aphelion. The engine writes through
// spans of the caller's arrays; ResultArrays is storage for callers that want it ready-made.
#pragma once

#include <array>
#include <span>

#include "ephemeris/body_numbers.h"

namespace orbelle::ephemeris {

struct ResultSpans {
  std::span<float> GeoLon, GeoLat, GeoDist, GeoSpeed;
  std::span<float> HelioLon, HelioLat, HelioDist, HelioSpeed;
  std::span<float> AscNodeLon, DescNodeLon, PerihelionLon, AphelionLon;

  // The smallest of the twelve sizes: a body number below it has a slot in every array.
  std::size_t Slots() const;
};

struct ResultArrays {
  std::array<float, kBodySlots> GeoLon{}, GeoLat{}, GeoDist{}, GeoSpeed{};
  std::array<float, kBodySlots> HelioLon{}, HelioLat{}, HelioDist{}, HelioSpeed{};
  std::array<float, kBodySlots> AscNodeLon{}, DescNodeLon{}, PerihelionLon{}, AphelionLon{};

  ResultSpans Spans();
};

// The DATE ERROR result of one body: both longitudes -1, latitudes and motions 0, distances
// unchanged; for bodies below 16 the four orbit points -1 as well.
void WriteDateError(Integer body, const ResultSpans& r);

}  // namespace orbelle::ephemeris
