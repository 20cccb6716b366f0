// What a source of the engine returns for one body at one instant.
#pragma once

#include <optional>

namespace orbelle::ephemeris {

// Whence the directions of an orbit's nodes and apsides are seen, when they are asked for.
enum class OrbitPointFrame { None, Geocentric, Heliocentric };

// Directions of the orbit's ascending and descending nodes, perihelion and aphelion (the
// Moon: perigee and apogee), degrees.
struct OrbitPointDirections {
  float ascending_node_deg = 0, descending_node_deg = 0, perihelion_deg = 0, aphelion_deg = 0;
};

// Apparent geocentric and heliocentric ecliptic position of date, single precision:
// longitudes in degrees 0..360, latitudes in degrees, distances in AU, daily motions in
// degrees per day; the orbit points where they were asked for.
struct Position {
  float geo_lon_deg = 0, geo_lat_deg = 0, geo_dist_au = 0, geo_motion_deg_per_day = 0;
  float helio_lon_deg = 0, helio_lat_deg = 0, helio_dist_au = 0, helio_motion_deg_per_day = 0;
  std::optional<OrbitPointDirections> orbit_points;
};

}  // namespace orbelle::ephemeris
