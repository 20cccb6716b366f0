#include "host/request_text.h"

#include <QDate>
#include <QRegularExpression>
#include <array>

namespace orbelle::host {

namespace {

enum class Field { Day, Month, Year };

// Order of day, month and year in the locale's short date format ("M/d/yy" gives month, day,
// year). The C/POSIX locale has no regional notation of its own: month/day/year.
std::array<Field, 3> DateOrder(const QLocale& locale) {
  if (locale.language() == QLocale::C) return {Field::Month, Field::Day, Field::Year};
  const QString format = locale.dateFormat(QLocale::ShortFormat);
  std::array<std::pair<qsizetype, Field>, 3> at = {
      {{format.indexOf('d'), Field::Day}, {format.indexOf('M'), Field::Month}, {format.indexOf('y'), Field::Year}}};
  for (const auto& [pos, field] : at) {
    if (pos < 0) return {Field::Month, Field::Day, Field::Year};
  }
  std::sort(at.begin(), at.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return {at[0].second, at[1].second, at[2].second};
}

// Years written with one or two digits fall in 1930..2029, the window of the classic
// desktop date controls.
int ExpandYear(const QString& digits) {
  const int value = digits.toInt();
  if (digits.size() > 2) return value;
  return value < 30 ? 2000 + value : 1900 + value;
}

QString Elided(const QString& text) {
  constexpr qsizetype kShown = 80;
  return text.size() <= kShown ? text : text.left(kShown) + QStringLiteral("…");
}

[[noreturn]] void NoDate(const QString& text) {
  throw RequestError(QStringLiteral("no date can be read from the request \"%1\"").arg(Elided(text)).toStdString());
}

// The time of day: hh:mm[:ss[.fff]] with an optional AM/PM marker (English or the locale's).
// Returns false when the text is not a valid time.
bool ReadTime(const QString& text, const QLocale& locale, RequestInstant& out) {
  static const QRegularExpression kTime(
      QStringLiteral(R"(^(\d{1,2}):(\d{2})(?::(\d{2})(?:[.,]\d+)?)?\s*(\S+)?$)"));
  const auto m = kTime.match(text);
  if (!m.hasMatch()) return false;
  int hour = m.captured(1).toInt();
  const int minute = m.captured(2).toInt();
  const int second = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
  if (minute > 59 || second > 59) return false;
  const QString marker = m.captured(4).remove('.').toUpper();
  if (!marker.isEmpty()) {
    const bool am = marker == "AM" || marker == locale.amText().remove('.').toUpper();
    const bool pm = marker == "PM" || marker == locale.pmText().remove('.').toUpper();
    if ((!am && !pm) || hour < 1 || hour > 12) return false;
    hour = (hour % 12) + (pm && !am ? 12 : 0);
  }
  if (hour > 23) return false;
  out.hour = static_cast<std::int16_t>(hour);
  out.minute = static_cast<std::int16_t>(minute);
  return true;
}

bool SetDate(std::int64_t year, int month, int day, RequestInstant& out) {
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

}  // namespace

float RequestInstant::Hours() const { return static_cast<float>(hour + minute / 60.0); }

RequestInstant ReadRequest(const QString& text, const QLocale& locale) {
  const QString s = text.simplified();
  RequestInstant out;

  // ISO 8601 calendar date, optionally with a time after "T" or a blank.
  static const QRegularExpression kIso(QStringLiteral(R"(^([+-]?\d{4,7})-(\d{2})-(\d{2})(?:[T ](.+))?$)"));
  if (const auto m = kIso.match(s); m.hasMatch()) {
    if (!SetDate(m.captured(1).toLongLong(), m.captured(2).toInt(), m.captured(3).toInt(), out)) NoDate(text);
    if (!m.captured(4).isEmpty() && !ReadTime(m.captured(4), locale, out)) NoDate(text);
    return out;
  }

  // The regional short date: three numbers in the locale's order, separated by / . - or a
  // blank, then an optional time (a comma may stand between them).
  static const QRegularExpression kRegional(
      QStringLiteral(R"(^(\d{1,4})\s?[./-]\s?(\d{1,4})\s?[./-]\s?(\d{1,4})\.?(?:,?\s+(.+))?$)"));
  const auto m = kRegional.match(s);
  if (!m.hasMatch()) NoDate(text);
  int day = 0, month = 0;
  std::int64_t year = 0;
  const auto order = DateOrder(locale);
  for (int k = 0; k < 3; ++k) {
    const QString digits = m.captured(k + 1);
    switch (order[static_cast<std::size_t>(k)]) {
      case Field::Day: day = digits.toInt(); break;
      case Field::Month: month = digits.toInt(); break;
      case Field::Year: year = ExpandYear(digits); break;
    }
  }
  if (!SetDate(year, month, day, out)) NoDate(text);
  if (!m.captured(4).isEmpty() && !ReadTime(m.captured(4), locale, out)) NoDate(text);
  return out;
}

}  // namespace orbelle::host
