// Reading the request text: a date and an optional time of day, in UTF-8.
//
// Accepted notations:
//  - the regional short date, with its order of day, month and year and one of the
//    separators / . - or the region's own (blanks around it allowed), followed by an
//    optional time (for the C/POSIX locale: month/day/year);
//  - ISO 8601: YYYY-MM-DD (a sign and more digits allowed for the year), then optionally
//    "T" or a blank and hh:mm[:ss[.fff]], optionally followed by "Z" or an offset from UTC
//    (+hh, +hhmm, +hh:mm or with "-"): such a time is civil time, carried to Terrestrial Time
//    (see terrestrial_time.h); a time without them is read as TT;
//  - times hh:mm[:ss] in 24-hour form or 12-hour form with AM/PM (also the region's own
//    markers), as in "10:30 PM".
// One- and two-digit years fall in the region's hundred-year window (1930..2029 unless the
// host says otherwise). Seconds and fractions are dropped (after the carrying to TT). The date must exist in the
// proleptic Gregorian calendar, in the years 1000 to 3000: the range over which the theories
// of the Sun, the Moon and the planets are measured against the reference ephemeris (their
// errors grow with the drift of the classical mean elements beyond it, the Moon's to 3' at
// its ends already), and which every shipped ephemeris file covers.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/core/regional_conventions.h"

namespace orbelle::host {

struct RequestInstant {
  std::int32_t year = 0;
  std::int16_t month = 0;
  std::int16_t day = 0;
  std::int16_t hour = 0;
  std::int16_t minute = 0;
  // hour + minute / 60 rounded to single.
  float Hours() const;
};

// A request text from which no date can be read; the message names the text.
class RequestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A request whose date lies outside the years a request may name.
class RequestYearsError : public RequestError {
 public:
  using RequestError::RequestError;
};

inline constexpr std::int32_t kFirstRequestYear = 1000, kLastRequestYear = 3000;

// "the years 1000 to 3000", as messages name the range.
std::string RequestYears();

// True when the Julian day lies within the years a request may name.
bool WithinRequestYears(double jd);

// Reads the instant from `text` in the notation of `region`. Throws RequestError, whose
// message quotes the text with its control characters escaped and names the notations read,
// or RequestYearsError.
RequestInstant ReadRequest(std::string_view text, const RegionalConventions& region);

// The notations that ReadRequest reads, as messages name them: "the notations read are
// MM/DD/YYYY hh:mm (also with AM/PM) and ISO 8601 YYYY-MM-DD[Thh:mm[:ss][Z|±hh:mm]]".
std::string NotationsRead(const RegionalConventions& region);

// The markers of a 12-hour clock, as a request text is written with them.
struct ClockMarkers {
  std::string am, pm;
};

// How a request text is written: its date in ISO 8601 or in the region's short notation, its
// time on the 24-hour clock or, with markers, on the 12-hour clock.
struct RequestNotation {
  bool iso = false;
  std::optional<ClockMarkers> markers;
};

// The notation of a request text that ReadRequest reads: ISO 8601 when its year comes first
// (four digits or more, then '-'); the 12-hour clock when its time ends in a marker, written
// with the region's markers when it was one of them, else with the English "AM" and "PM".
RequestNotation NotationOf(std::string_view text, const RegionalConventions& region);

// `instant` as a request text: in the region's short notation (its order of the fields and
// its separator, a four-digit year, hh:mm) when that reads back as the same minute, otherwise
// (or with `notation.iso`) in ISO 8601, "YYYY-MM-DD hh:mm". The time is on the 24-hour clock,
// or with `notation.markers` "hh:mm AM" on the 12-hour clock (12:30 AM is half past midnight,
// 12:00 PM noon).
std::string WriteRequest(const RequestInstant& instant, const RegionalConventions& region,
                         const RequestNotation& notation = {});

}  // namespace orbelle::host
