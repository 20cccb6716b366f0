// Reading one "EPHM" ephemeris file.
//
// Layout (little-endian): "EPHM", 8 bytes not interpreted, at offset 12 the record count N
// (16 bits, read unsigned: a stored -1 is 65535), at 14 the Julian day S (64-bit float) of
// data record 2, at 22 the step h in days (16-bit signed), and from 24 on records of three
// 32-bit floats x, y, z (AU, heliocentric ecliptic of date); record i holds the position at
// S + (i - 2) h. The headerless variant, accepted for bodies from 32, lacks the first 12
// bytes. The file covers S + 3h <= JD <= S + (N - 4)h; the window for a date is the eight
// records from the one at S + (k - 3)h, k = floor((JD - S) / h), so the file holds N + 3
// records in all.
#pragma once

#include <string>

#include "ephemeris/file_contents_cache.h"
#include "ephemeris/record_window.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

// Reads the window for `jd` from the file `path` (its bytes from `files`) into `window` (start, step and records).
// A file without the "EPHM" header is invalid for bodies below 32. A step of zero or less, a
// start that is not a finite number, a file longer than its N + 3 records, a window reaching
// beyond the end of the file or records that cannot be right (PlausibleRecords) make the file
// invalid.
FileReading ReadEphemerisFile(FileContentsCache& files, Integer body, const std::string& path, double jd,
                              RecordWindow& window);

}  // namespace orbelle::ephemeris
