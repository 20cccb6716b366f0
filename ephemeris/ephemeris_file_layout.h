// Where the suite's ephemeris files of bodies 6..15 lie in time: the step of each body's
// records and the dates the file at each place of its chain covers, as
// tools/make_ephemeris_data writes them into data/.
//
// Jupiter and Saturn have a record every 32 days, Uranus, Neptune and Pluto every 64 days; their
// fifteen chain files divide the time from JD 1355000.5 (-1001) into parts of 97,536 days
// (3,048 or 1,524 steps, on one grid of records), the file at chain position p
// (ephemeris_chain.h) covering from JD 1355000.5 + 97,536 p on, up to at least the first date of
// the next (the shipped files eight steps beyond it). Ceres, Pallas, Juno and Vesta (16-day
// steps from JD 1927320.5) and Chiron (22-day steps from JD 1972722.5) each have one file of
// the full 16-bit record count, 65,535.
#pragma once

#include <cstdint>
#include <optional>

#include "ephemeris/body_numbers.h"

namespace orbelle::ephemeris {

struct EphemerisFileLayout {
  std::int16_t step_days = 0;  // h
  double first_jd = 0;         // the first covered date, S + 3h
  double reaches_jd = 0;       // the covered range reaches at least this date
};

// The layout of the file of `body` at `chain_position` (ignored for the bodies of one file);
// empty for bodies without shipped files (the minor bodies, whose file the caller names).
std::optional<EphemerisFileLayout> ShippedFileLayout(Integer body, int chain_position);

}  // namespace orbelle::ephemeris
