// Civil time carried to Terrestrial Time (TT), the time scale in which requests are read: the
// moment "now" from the system clock, and times stated in UTC or with an offset from it.
//
// From 1972 on, civil time is UTC, and TT − UTC = 32.184 s + (TAI − UTC), the leap seconds of
// IERS Bulletin C (10 s on 1972-01-01, 37 s since 2017-01-01). No leap second has been
// announced since, and the 27th General Conference on Weights and Measures (2022, Resolution 4)
// decided that none will be inserted after 2035: so 69.184 s stands for every later date.
// Before 1972 civil time is taken as Universal Time, and TT − UT is ΔT from the polynomials of
// Espenak and Meeus, "Five Millennium Canon of Solar Eclipses: −1999 to +3000" (NASA
// TP-2006-214141), section 2.6, which follow Morrison and Stephenson (2004) for the past.
#pragma once

#include <chrono>
#include <string>

#include "host/core/request_text.h"

namespace orbelle::host {

// TT − UT in seconds for the civil instant `utc`.
double TerrestrialMinusCivilSeconds(std::chrono::sys_seconds utc);

// The request for the civil instant `utc`, carried to TT; seconds are dropped, as in every
// request.
RequestInstant TerrestrialInstant(std::chrono::sys_seconds utc);

// The request for the present moment of the system clock, in TT.
RequestInstant TerrestrialNow();

// Milliseconds from the civil instant `utc` to the next whole minute of TT, and 20 more, so
// that the minute read then is the new one: when a window that follows the clock draws again.
int MillisecondsToNextTerrestrialMinute(std::chrono::system_clock::time_point utc);

// What a window that shows now says of it: "Now in TT (UTC + 69.184 s)".
std::string NowInTerrestrialTimeNote(std::chrono::sys_seconds utc);

}  // namespace orbelle::host
