// Eight consecutive records of heliocentric coordinates of one body, and the interpolation
// between the fourth and the fifth.
#pragma once

#include <array>
#include <string>

#include "ephemeris/orbital_elements.h"

namespace orbelle::ephemeris {

struct RecordWindow {
  double start = 0;                           // W: Julian day of the first record
  float step = 0;                             // h: days between records
  double last = 0;                            // the last date the file covers
  std::array<std::array<float, 8>, 3> xyz{};  // x, y, z (AU) at W, W + h, ... W + 7h
  std::string source;                         // the file (or chain of files) the records came from

  // True when W + 3h <= jd < W + 4h, the date lying between the fourth and fifth records, and
  // the date is within the file's range (the last window reaches one step beyond it).
  bool Covers(double jd) const { return step > 0 && start + 3.0 * step <= jd && jd < start + 4.0 * step && jd <= last; }

  // Position at `jd` by Everett's formula at the fraction of the step past the fourth record,
  // and the daily motion in x and y from the rates.
  HeliocentricState Interpolate(double jd) const;
};

// What reading a data file found for a date.
enum class FileReading {
  kCovered,  // the window (or the elements) for the date were read
  kBefore,   // the date lies before the file's range
  kAfter,    // the date lies after the file's range
  kInvalid,  // the file is missing, unreadable, or its header or data cannot be right
};

}  // namespace orbelle::ephemeris
