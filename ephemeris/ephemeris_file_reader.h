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
//
// Nothing in a file tells what dates its records are for except S and h, and a record of
// another date is as smooth and plausible as the right one: a header changed by one bit
// (S moved by 512 days, h 48 instead of 32) gives positions that are wrong by degrees and
// look right. So the header of a body that has shipped files (6..15) must fit the place the
// file stands in (ephemeris_file_layout.h): h must be the step of that body's files; the
// range must begin exactly at the first date of the file's place (which fixes S to the bit)
// and reach the first date of the next place of the chain (for a body of one file, the end
// of its range). Each file's range thus meets its neighbours', a chain walk never turns back,
// and the dates a file name covers follow from its place in the chain alone; files of another
// step or another division of the chain are refused. The count N is held to the file's
// length: a file longer than its N + 3 records is invalid, and a window reaching beyond the
// end of a shorter one (a truncated file) is invalid when it is read. Only the 8
// uninterpreted bytes may be anything. A minor body's file is the caller's, of any layout:
// its step must be positive and S finite.
#pragma once

#include <string>

#include "ephemeris/file_contents_cache.h"
#include "ephemeris/record_window.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

// Reads the window for `jd` from the file `path` (its bytes from `files`), the file of `body` at
// `chain_position` of its chain, into `window` (start, step and records). A file without the
// "EPHM" header is invalid for bodies below 32. A header that does not fit the file's place
// (see above), a step of zero or less, a start that is not a finite number, a file longer than
// its N + 3 records, a window reaching beyond the end of the file or records that cannot be
// right (PlausibleRecords) make the file invalid.
FileReading ReadEphemerisFile(FileContentsCache& files, Integer body, int chain_position, const std::string& path,
                              double jd, RecordWindow& window);

}  // namespace orbelle::ephemeris
