// Civil date and hour to Julian day, proleptic Gregorian calendar, astronomical year
// numbering (year 0 exists). No switch to the Julian calendar in 1582; the date is not
// validated (29 February 1900 counts as 1 March 1900).
#pragma once

#include <cstdint>

namespace orbelle::ephemeris {

double JulianDay(const std::int32_t& year, const std::int16_t& month, const std::int16_t& day, const float& hour);

}  // namespace orbelle::ephemeris
