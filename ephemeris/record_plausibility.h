// Whether eight records of a body's ephemeris file can be right.
//
// A damaged record (one flipped bit is enough) is otherwise interpolated like any other: a
// distance of billions of AU, or a longitude off by degrees with nothing to show for it. For
// the bodies whose files the suite ships (6..15), a window is plausible when every record lies
// within the body's range of distances from the Sun, and when the sixth differences of each
// coordinate stay as small as in the shipped files: a heliocentric orbit sampled at the files'
// steps is so smooth that its sixth differences are rounding noise (1e-5 AU), while an error
// e in one record gives sixth differences of at least e (up to 20 e), so any error that could
// move a longitude by 0.001 deg shows. The bounds are the extremes over every shipped file,
// widened by a margin: distances by 10 % on either side, sixth differences twofold.
#pragma once

#include "ephemeris/record_window.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

// Extremes of the shipped files of one body.
struct RecordBounds {
  double min_distance, max_distance;  // AU from the Sun, over every record
  double max_sixth_difference;        // AU, largest |sixth difference| of x, y or z
};

inline constexpr double kDistanceMargin = 0.1, kSixthDifferenceMargin = 2.0;

// The shipped extremes of bodies 6..15 (no bounds for any other body).
const RecordBounds* ShippedRecordBounds(Integer body);

// True when the window's records are finite and, for a body with bounds, within them (with
// the margins).
bool PlausibleRecords(Integer body, const RecordWindow& window);

}  // namespace orbelle::ephemeris
