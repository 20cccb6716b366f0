// Reading one minor-body file (".ELM"): orbital elements or heliocentric coordinates at
// equal steps.
//
// Header (little-endian): two fields not interpreted (2 characters, a 16-bit integer), the
// body's name (18 characters) at 4, the step h in days (16-bit signed) at 22, ten times the
// Julian day E of record 0 (32-bit) at 24, the number C of records (32-bit) at 28 and the kind
// at 32: "X" for coordinates, anything else for elements.
//
// Element records (28 bytes from offset 56, record j at E + j h), 32-bit integers: mean
// anomaly, argument of perihelion, node and inclination in 1e-6 degrees, eccentricity and
// mean motion (degrees per day) in 1e-8, semi-major axis in 1e-7 AU; angles referred to the
// ecliptic and equinox J2000.0. The file covers E - h/2 <= JD <= E + (C - 1)h + h/2.
//
// Coordinate records (12 bytes from offset 36, record i at E + (i - 2) h): x, y, z in 1e-7 AU,
// heliocentric ecliptic of date. The file covers E + 3h <= JD <= E + (C - 4)h and, like the
// ephemeris files, the window for a date is the eight records from the one at E + (k - 3)h.
#pragma once

#include <string>

#include "ephemeris/file_contents_cache.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/record_window.h"

namespace orbelle::ephemeris {

struct MinorBodyReading {
  FileReading status = FileReading::kInvalid;
  bool coordinates = false;
  RecordWindow window;       // coordinate file: the eight records around the date
  OrbitalElements elements;  // element file: the working elements of date
};

// Reads the file `path` for `jd`. An element file gives the nearest record with its mean
// anomaly advanced to the date and its orbit carried to the ecliptic and equinox of date.
MinorBodyReading ReadMinorBodyFile(FileContentsCache& files, const std::string& path, double jd);

}  // namespace orbelle::ephemeris
