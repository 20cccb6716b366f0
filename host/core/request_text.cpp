#include "host/core/request_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <optional>
#include <string>

#include "ephemeris/julian_day.h"
#include "host/core/terrestrial_time.h"
#include "host/core/utf8.h"

namespace orbelle::host {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text with blanks at both ends removed and every run of blanks inside made one space.
std::string Simplified(std::string_view text) {
  std::string out;
  bool blank = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    if (IsSpace(NextCodePoint(text, pos))) {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out.append(text.substr(start, pos - start));
  }
  return out;
}

// Reads from `s`: a cursor over the simplified request.
class Cursor {
 public:
  explicit Cursor(std::string_view s) : s_(s) {}

  bool AtEnd() const { return pos_ == s_.size(); }
  std::string_view Rest() const { return s_.substr(pos_); }
  bool Take(char c) {
    if (AtEnd() || s_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  bool Take(std::string_view text) {
    if (text.empty() || s_.substr(pos_, text.size()) != text) return false;
    pos_ += text.size();
    return true;
  }
  // The run of decimal digits here when it has min..max digits.
  std::optional<std::string_view> Digits(std::size_t min, std::size_t max) {
    std::size_t end = pos_;
    while (end < s_.size() && IsDigit(s_[end])) ++end;
    if (end - pos_ < min || end - pos_ > max) return std::nullopt;
    const std::string_view digits = s_.substr(pos_, end - pos_);
    pos_ = end;
    return digits;
  }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

// The value of a run of decimal digits (as Cursor::Digits gives, no sign).
std::int64_t Number(std::string_view digits) {
  std::int64_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// One- and two-digit years fall in the hundred years from the window's first year.
std::int64_t ExpandYear(std::string_view digits, int window_start) {
  const std::int64_t value = Number(digits);
  if (digits.size() > 2) return value;
  std::int64_t year = window_start - window_start % 100 + value;
  if (year < window_start) year += 100;
  return year;
}

// Dots removed and ASCII letters in upper case, as markers are compared.
std::string MarkerForm(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '.') continue;
    out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

// The text as a message quotes it: its first 80 code points, control characters escaped.
std::string Elided(std::string_view text) {
  constexpr std::size_t kShown = 80;
  std::size_t pos = 0;
  for (std::size_t shown = 0; shown < kShown && pos < text.size(); ++shown) NextCodePoint(text, pos);
  return Printable(text.substr(0, pos)) + (pos == text.size() ? "" : "\u2026");
}

[[noreturn]] void NoDate(std::string_view text, const RegionalConventions& region) {
  throw RequestError("no date can be read from the request \"" + Elided(text) + "\"; " + NotationsRead(region));
}

struct ClockTime {
  std::int64_t hour = 0, minute = 0, second = 0;
};

// The time of day: hh:mm[:ss[.fff]], then optionally blanks and one AM/PM marker (English or
// the region's). Nothing when the text is not a valid time.
std::optional<ClockTime> ReadTime(std::string_view text, const RegionalConventions& region) {
  Cursor at(text);
  const auto hour_digits = at.Digits(1, 2);
  if (!hour_digits || !at.Take(':')) return std::nullopt;
  const auto minute_digits = at.Digits(2, 2);
  if (!minute_digits) return std::nullopt;
  std::int64_t second = 0;
  if (Cursor seconds = at; seconds.Take(':')) {
    if (const auto second_digits = seconds.Digits(2, 2)) {
      second = Number(*second_digits);
      at = seconds;
      if (Cursor fraction = at; (fraction.Take('.') || fraction.Take(',')) && fraction.Digits(1, SIZE_MAX))
        at = fraction;
    }
  }
  at.Take(' ');
  const std::string_view marker_text = at.Rest();
  if (marker_text.find(' ') != std::string_view::npos) return std::nullopt;
  std::int64_t hour = Number(*hour_digits);
  const std::int64_t minute = Number(*minute_digits);
  if (minute > 59 || second > 59) return std::nullopt;
  const std::string marker = MarkerForm(marker_text);
  if (!marker.empty()) {
    const bool am = marker == "AM" || marker == MarkerForm(region.am_text);
    const bool pm = marker == "PM" || marker == MarkerForm(region.pm_text);
    if ((!am && !pm) || hour < 1 || hour > 12) return std::nullopt;
    hour = (hour % 12) + (pm && !am ? 12 : 0);
  }
  if (hour > 23) return std::nullopt;
  return ClockTime{hour, minute, second};
}

bool SetTime(const std::optional<ClockTime>& time, RequestInstant& out) {
  if (!time) return false;
  out.hour = static_cast<std::int16_t>(time->hour);
  out.minute = static_cast<std::int16_t>(time->minute);
  return true;
}

// The offset from UTC at the end of an ISO 8601 time, in minutes: "Z", or a sign and hh,
// hhmm or hh:mm (at most 18 hours). It is cut from `time`. Nothing when
// the time has no zone; throws when what follows the sign is no offset.
std::optional<std::int64_t> TakeUtcOffsetMinutes(std::string_view& time, std::string_view text,
                                                 const RegionalConventions& region) {
  if (!time.empty() && (time.back() == 'Z' || time.back() == 'z')) {
    time.remove_suffix(1);
    return 0;
  }
  const std::size_t sign = time.find_last_of("+-");
  if (sign == std::string_view::npos) return std::nullopt;
  Cursor at(time.substr(sign + 1));
  std::optional<std::string_view> hours = at.Digits(2, 4), minutes = std::string_view("0");
  if (hours && hours->size() == 4) {
    minutes = hours->substr(2);
    hours = hours->substr(0, 2);
  } else if (at.Take(':')) {
    minutes = at.Digits(2, 2);
  }
  if (!hours || hours->size() != 2 || !minutes || !at.AtEnd() || Number(*hours) > 18 || Number(*minutes) > 59) {
    NoDate(text, region);
  }
  const std::int64_t offset = (time[sign] == '-' ? -1 : 1) * (Number(*hours) * 60 + Number(*minutes));
  time = time.substr(0, sign);
  if (!time.empty() && time.back() == ' ') time.remove_suffix(1);
  return offset;
}

bool SetDate(std::int64_t year, std::int64_t month, std::int64_t day, RequestInstant& out) {
  if (year < -9999999 || year > 9999999 || month < 1 || month > 12) return false;
  // Days in the month of the proleptic Gregorian calendar (astronomical year numbering).
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
  if (day < 1 || day > days) return false;
  out.year = static_cast<std::int32_t>(year);
  out.month = static_cast<std::int16_t>(month);
  out.day = static_cast<std::int16_t>(day);
  return true;
}

// The civil instant of a date and time given with its offset from UTC, carried to TT.
RequestInstant FromCivilTime(const RequestInstant& date, const ClockTime& time, std::int64_t offset_minutes) {
  using namespace std::chrono;
  const sys_days day{year{date.year} / month{static_cast<unsigned>(date.month)} /
                     std::chrono::day{static_cast<unsigned>(date.day)}};
  return TerrestrialInstant(day + hours{time.hour} + minutes{time.minute - offset_minutes} + seconds{time.second});
}

// ISO 8601 calendar date YYYY-MM-DD, optionally with a time after "T" or a blank; a time
// with "Z" or an offset from UTC is civil time, carried to TT. Returns false when the text is
// not in this form at all.
bool ReadIso(std::string_view s, std::string_view text, const RegionalConventions& region, RequestInstant& out) {
  Cursor at(s);
  const bool negative = at.Take('-');
  if (!negative) at.Take('+');
  const auto year = at.Digits(4, 7);
  if (!year || !at.Take('-')) return false;
  const auto month = at.Digits(2, 2);
  if (!month || !at.Take('-')) return false;
  const auto day = at.Digits(2, 2);
  if (!day) return false;
  const bool has_time = at.Take('T') || at.Take(' ');
  if (has_time == at.AtEnd()) return false;
  if (!SetDate((negative ? -1 : 1) * Number(*year), Number(*month), Number(*day), out)) NoDate(text, region);
  if (!has_time) return true;
  std::string_view time_text = at.Rest();
  const std::optional<std::int64_t> offset_minutes = TakeUtcOffsetMinutes(time_text, text, region);
  const std::optional<ClockTime> time = ReadTime(time_text, region);
  if (!SetTime(time, out)) NoDate(text, region);
  // Beyond the request years the range check refuses the request; the calendar of the
  // conversion need not hold such years.
  if (offset_minutes && out.year >= kFirstRequestYear - 1 && out.year <= kLastRequestYear + 1) {
    out = FromCivilTime(out, *time, *offset_minutes);
  }
  return true;
}

// A separator of the short date: / . - or the region's own, with an optional blank on
// either side.
bool TakeDateSeparator(Cursor& at, const RegionalConventions& region) {
  for (const bool blank_before : {true, false}) {
    Cursor trial = at;
    if (blank_before && !trial.Take(' ')) continue;
    if (trial.Take('/') || trial.Take('.') || trial.Take('-') || trial.Take(region.date_separator)) {
      trial.Take(' ');
      at = trial;
      return true;
    }
  }
  return false;
}

RequestInstant ReadInstant(std::string_view text, const RegionalConventions& region) {
  const std::string s = Simplified(text);
  RequestInstant out;
  if (ReadIso(s, text, region, out)) return out;

  // The regional short date: three numbers in the region's order, then an optional time (a
  // comma may stand between them).
  Cursor at(s);
  std::array<std::string_view, 3> numbers;
  for (std::size_t k = 0; k < 3; ++k) {
    if (k > 0 && !TakeDateSeparator(at, region)) NoDate(text, region);
    const auto digits = at.Digits(1, 4);
    if (!digits) NoDate(text, region);
    numbers[k] = *digits;
  }
  at.Take('.');
  std::string_view time;
  if (!at.AtEnd()) {
    at.Take(',');
    if (!at.Take(' ') || at.AtEnd()) NoDate(text, region);
    time = at.Rest();
  }
  std::int64_t day = 0, month = 0, year = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    switch (region.date_order[k]) {
      case DateField::kDay: day = Number(numbers[k]); break;
      case DateField::kMonth: month = Number(numbers[k]); break;
      case DateField::kYear: year = ExpandYear(numbers[k], region.two_digit_year_start); break;
    }
  }
  if (!SetDate(year, month, day, out)) NoDate(text, region);
  if (!time.empty() && !SetTime(ReadTime(time, region), out)) NoDate(text, region);
  return out;
}

}  // namespace

std::string NotationsRead(const RegionalConventions& region) {
  std::string date;
  for (const DateField field : region.date_order) {
    if (!date.empty()) date += region.date_separator;
    date += field == DateField::kDay ? "DD" : field == DateField::kMonth ? "MM" : "YYYY";
  }
  return "the notations read are " + date + " hh:mm (also with " + region.am_text + "/" + region.pm_text +
         ") and ISO 8601 YYYY-MM-DD[Thh:mm[:ss][Z|\u00b1hh:mm]]";
}

RequestNotation NotationOf(std::string_view text, const RegionalConventions& region) {
  RequestNotation out;
  const std::size_t first_digit = text.find_first_of("0123456789");
  if (first_digit != std::string_view::npos) {
    const std::size_t year_end = std::min(text.find_first_not_of("0123456789", first_digit), text.size());
    out.iso = year_end - first_digit >= 4 && year_end < text.size() && text[year_end] == '-';
  }
  // A marker is all that may follow the time's last digit (a zone follows no marker).
  const std::size_t last_digit = text.find_last_of("0123456789");
  const std::string marker =
      MarkerForm(Simplified(text.substr(last_digit == std::string_view::npos ? 0 : last_digit + 1)));
  const bool regional = !region.am_text.empty() && !region.pm_text.empty() &&
                        (marker == MarkerForm(region.am_text) || marker == MarkerForm(region.pm_text));
  if (regional)
    out.markers = ClockMarkers{region.am_text, region.pm_text};
  else if (marker == "AM" || marker == "PM")
    out.markers = ClockMarkers{"AM", "PM"};
  return out;
}

std::string WriteRequest(const RequestInstant& instant, const RegionalConventions& region,
                         const RequestNotation& notation) {
  auto two_digits = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
  const std::string year = std::to_string(instant.year);
  std::string time;
  if (notation.markers) {
    // The 12-hour clock counts 12, 1, ..., 11 in each half of the day.
    const int hour = instant.hour % 12 == 0 ? 12 : instant.hour % 12;
    time = two_digits(hour) + ":" + two_digits(instant.minute) + " " +
           (instant.hour < 12 ? notation.markers->am : notation.markers->pm);
  } else {
    time = two_digits(instant.hour) + ":" + two_digits(instant.minute);
  }
  if (!notation.iso) {
    std::string date;
    for (const DateField field : region.date_order) {
      if (!date.empty()) date += region.date_separator;
      date += field == DateField::kDay     ? two_digits(instant.day)
              : field == DateField::kMonth ? two_digits(instant.month)
                                           : year;
    }
    const std::string regional = date + " " + time;
    try {
      const RequestInstant read = ReadInstant(regional, region);
      if (read.year == instant.year && read.month == instant.month && read.day == instant.day &&
          read.hour == instant.hour && read.minute == instant.minute) {
        return regional;
      }
    } catch (const RequestError&) {
    }
  }
  return year + "-" + two_digits(instant.month) + "-" + two_digits(instant.day) + " " + time;
}

float RequestInstant::Hours() const { return static_cast<float>(hour + minute / 60.0); }

std::string RequestYears() {
  return "the years " + std::to_string(kFirstRequestYear) + " to " + std::to_string(kLastRequestYear);
}

bool WithinRequestYears(double jd) {
  return jd >= ephemeris::JulianDay(kFirstRequestYear, 1, 1, 0.0f) &&
         jd < ephemeris::JulianDay(kLastRequestYear + 1, 1, 1, 0.0f);
}

RequestInstant ReadRequest(std::string_view text, const RegionalConventions& region) {
  RequestInstant out = ReadInstant(text, region);
  if (out.year < kFirstRequestYear || out.year > kLastRequestYear) {
    throw RequestYearsError("the request \"" + Elided(text) + "\" lies outside " + RequestYears() +
                            ", the range in which the positions are checked");
  }
  return out;
}

}  // namespace orbelle::host
