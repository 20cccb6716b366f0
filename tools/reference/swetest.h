// Batch queries of the reference ephemeris through the `swetest` command (Debian packages
// swetest, swe-basic-data and swe-standard-data).
//
// swetest reads lines "j<JD>" from standard input when it is given no -b option and answers
// each with a line "Date ? <fields>"; the Julian day is taken as TT. One process answers
// thousands of instants in well under a second.
#pragma once

#include <string>
#include <vector>

namespace orbelle::reference {

// Directory of the JPL-derived data files.
inline constexpr const char* kSwissEphemerisDir = "/usr/share/libswe/ephe";

// Runs `swetest <flags> -head -edir<dir>` with one "j<JD>" line per instant and returns the
// numeric fields of each answer, one row per instant, in order. `flags` selects the body and
// the fields, e.g. "-p0 -fl" (Sun, apparent longitude) or "-p4 -hel -true -nonut -flbR".
// Throws std::runtime_error when swetest is missing, warns of a missing data file or of a
// fall-back to its built-in model, or answers a different number of rows.
std::vector<std::vector<double>> Swetest(const std::string& flags, const std::vector<double>& jds);

// True when the swetest command and its data files are installed.
bool SwetestAvailable();

}  // namespace orbelle::reference
