// Body numbers: what each number is, which source of the engine serves it, and the rows of
// the angles table. A leaf header: anything that names a body includes this.
//
//   0       time arguments and nutation of the instant (no position)
//   1       the Sun (and so the Earth), 3..5 Mercury, Venus, Mars: the solar and planetary theory
//   2       the Moon, 16 and 17 the north and south node: the lunar theory
//   6..15   Ceres, Pallas, Juno, Vesta, Jupiter, Saturn, Chiron, Uranus, Neptune, Pluto:
//           the body's ephemeris file (a chain of files for Jupiter, Saturn and Uranus..Pluto)
//   18..22  no body: a request changes nothing
//   23..31  distant bodies beyond Neptune: Kepler orbits of fixed elements
//   32..86  minor bodies: the minor-body or ephemeris file the caller names
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbelle::ephemeris {

// The suite's 16-bit integer, the type of body numbers and of the request's options.
using Integer = std::int16_t;

inline constexpr Integer kTimeArguments = 0, kSun = 1, kMoon = 2, kMercury = 3, kVenus = 4, kMars = 5, kCeres = 6,
                         kPallas = 7, kJuno = 8, kVesta = 9, kJupiter = 10, kSaturn = 11, kChiron = 12, kUranus = 13,
                         kNeptune = 14, kPluto = 15, kNorthNode = 16, kSouthNode = 17, kFirstDistantBody = 23,
                         kLastDistantBody = 31, kFirstMinorBody = 32;

// The bodies of the engine by name; a distant body (23..31) or a minor body (32..86) is the
// Body of its number, static_cast<Body>(n).
enum class Body : Integer {
  Sun = kSun,
  Moon = kMoon,
  Mercury = kMercury,
  Venus = kVenus,
  Mars = kMars,
  Ceres = kCeres,
  Pallas = kPallas,
  Juno = kJuno,
  Vesta = kVesta,
  Jupiter = kJupiter,
  Saturn = kSaturn,
  Chiron = kChiron,
  Uranus = kUranus,
  Neptune = kNeptune,
  Pluto = kPluto,
  NorthNode = kNorthNode,
  SouthNode = kSouthNode
};
constexpr Integer NumberOf(Body b) { return static_cast<Integer>(b); }

// Slots of the result arrays and of the ephemeris-record cache: bodies 0..86.
inline constexpr std::size_t kBodySlots = 87;

constexpr bool IsPlanetTheoryBody(Integer b) { return b == kSun || (b >= kMercury && b <= kMars); }
// The lunar theory writes the Moon's slot and both node slots whichever of the three is asked for.
constexpr bool IsLunarBody(Integer b) { return b == kMoon || b == kNorthNode || b == kSouthNode; }
// The nodes are points of the Moon's geocentric orbit: a longitude and a latitude of 0, but no
// distance, no daily motion and no heliocentric place (the engine leaves fixed values there).
constexpr bool IsLunarNode(Integer b) { return b == kNorthNode || b == kSouthNode; }
constexpr bool HasEphemerisFile(Integer b) { return b >= kCeres && b <= kPluto; }
constexpr bool IsChainBody(Integer b) { return b == kJupiter || b == kSaturn || (b >= kUranus && b <= kPluto); }
// Bodies whose mean elements give the directions of the nodes and apsides.
constexpr bool HasMeanElements(Integer b) { return b == kSun || (b >= kMercury && b <= kPluto); }
constexpr bool IsEmptyBody(Integer b) { return b > kSouthNode && b < kFirstDistantBody; }
constexpr bool IsDistantBody(Integer b) { return b >= kFirstDistantBody && b <= kLastDistantBody; }
constexpr bool IsMinorBody(Integer b) { return b >= kFirstMinorBody; }

// The rows of the angles table, top to bottom.
inline constexpr std::array<Integer, 11> kTableRows = {kSun,    kMoon,   kMercury, kVenus, kMars,     kJupiter,
                                                       kSaturn, kUranus, kNeptune, kPluto, kNorthNode};

// Name of a body in the system's texts (the row label; for bodies 6..15 also the base name of
// its ephemeris file); empty where the body has none.
constexpr std::string_view BodyName(Integer body) {
  constexpr std::array<std::string_view, 17> kNames = {
      "",      "SUN/EARTH", "MOON",   "MERCURY", "VENUS",  "MARS",    "CERES", "PALLAS",    "JUNO",
      "VESTA", "JUPITER",   "SATURN", "CHIRON",  "URANUS", "NEPTUNE", "PLUTO", "NORTH T.N."};
  return body >= 0 && static_cast<std::size_t>(body) < kNames.size() ? kNames[static_cast<std::size_t>(body)]
                                                                     : std::string_view();
}

}  // namespace orbelle::ephemeris
