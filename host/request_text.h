// Reading the request text: a date and an optional time of day.
//
// Accepted notations:
//  - the locale's short date, with its order of day, month and year and any of the separators
//    / . - or blank (for the C/POSIX locale: month/day/year), followed by an optional time;
//  - ISO 8601: YYYY-MM-DD (a sign and more digits allowed for the year), then optionally
//    "T" or a blank and hh:mm[:ss[.fff]];
//  - times hh:mm[:ss] in 24-hour form or 12-hour form with AM/PM (also the locale's own
//    markers), as in "10:30 PM".
// Two-digit years are read in the window 1930..2029 (30 is 1930, 29 is 2029). Seconds and
// fractions are dropped. The date must exist in the proleptic Gregorian calendar.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <stdexcept>

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

// Reads the instant from `text` in the notation of `locale` (the system locale by default).
// Throws RequestError.
RequestInstant ReadRequest(const QString& text, const QLocale& locale = QLocale::system());

}  // namespace orbelle::host
