#include "host/core/terrestrial_time.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace orbelle::host {
namespace {

using std::chrono::sys_days;
using std::chrono::sys_seconds;
using namespace std::chrono_literals;

// TT − TAI, fixed by the definition of TT (IAU 1991, Recommendation IV).
constexpr double kTerrestrialMinusAtomicSeconds = 32.184;

struct LeapStep {
  sys_days from;
  int atomic_minus_utc_seconds;
};

// TAI − UTC from each date on: IERS Bulletin C, 1972 to 2017.
constexpr std::array<LeapStep, 28> kLeapSteps{{
    {sys_days{1972y / 1 / 1}, 10}, {sys_days{1972y / 7 / 1}, 11}, {sys_days{1973y / 1 / 1}, 12},
    {sys_days{1974y / 1 / 1}, 13}, {sys_days{1975y / 1 / 1}, 14}, {sys_days{1976y / 1 / 1}, 15},
    {sys_days{1977y / 1 / 1}, 16}, {sys_days{1978y / 1 / 1}, 17}, {sys_days{1979y / 1 / 1}, 18},
    {sys_days{1980y / 1 / 1}, 19}, {sys_days{1981y / 7 / 1}, 20}, {sys_days{1982y / 7 / 1}, 21},
    {sys_days{1983y / 7 / 1}, 22}, {sys_days{1985y / 7 / 1}, 23}, {sys_days{1988y / 1 / 1}, 24},
    {sys_days{1990y / 1 / 1}, 25}, {sys_days{1991y / 1 / 1}, 26}, {sys_days{1992y / 7 / 1}, 27},
    {sys_days{1993y / 7 / 1}, 28}, {sys_days{1994y / 7 / 1}, 29}, {sys_days{1996y / 1 / 1}, 30},
    {sys_days{1997y / 7 / 1}, 31}, {sys_days{1999y / 1 / 1}, 32}, {sys_days{2006y / 1 / 1}, 33},
    {sys_days{2009y / 1 / 1}, 34}, {sys_days{2012y / 7 / 1}, 35}, {sys_days{2015y / 7 / 1}, 36},
    {sys_days{2017y / 1 / 1}, 37},
}};

// Horner's rule for c[0] + c[1] t + c[2] t² + ...
template <std::size_t N>
double Polynomial(double t, const std::array<double, N>& c) {
  double sum = 0.0;
  for (std::size_t i = N; i-- > 0;) sum = sum * t + c[i];
  return sum;
}

// ΔT = TT − UT in seconds for the decimal year `y`, before 1972: Espenak and Meeus (2006),
// the expressions for the years 500 to 1986 (the requests begin in the year 1000; earlier
// instants use the first of them, which holds from 500).
double EspenakMeeusDeltaT(double y) {
  if (y < 1600.0) {
    return Polynomial((y - 1000.0) / 100.0,
                      std::array{1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073});
  }
  if (y < 1700.0) return Polynomial(y - 1600.0, std::array{120.0, -0.9808, -0.01532, 1.0 / 7129.0});
  if (y < 1800.0) {
    return Polynomial(y - 1700.0, std::array{8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0});
  }
  if (y < 1860.0) {
    return Polynomial(y - 1800.0, std::array{13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272,
                                             -0.0000001699, 0.000000000875});
  }
  if (y < 1900.0) {
    return Polynomial(y - 1860.0, std::array{7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0});
  }
  if (y < 1920.0) return Polynomial(y - 1900.0, std::array{-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
  if (y < 1941.0) return Polynomial(y - 1920.0, std::array{21.20, 0.84493, -0.076100, 0.0020936});
  if (y < 1961.0) return Polynomial(y - 1950.0, std::array{29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0});
  return Polynomial(y - 1975.0, std::array{45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0});
}

// The decimal year of `t`, as Espenak and Meeus use it: year + (month − 0.5) / 12.
double DecimalYear(sys_seconds t) {
  const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(t)};
  return static_cast<int>(date.year()) + (static_cast<unsigned>(date.month()) - 0.5) / 12.0;
}

}  // namespace

double TerrestrialMinusCivilSeconds(sys_seconds utc) {
  if (utc < kLeapSteps.front().from) return EspenakMeeusDeltaT(DecimalYear(utc));
  int atomic_minus_utc = kLeapSteps.front().atomic_minus_utc_seconds;
  for (const LeapStep& step : kLeapSteps) {
    if (utc >= step.from) atomic_minus_utc = step.atomic_minus_utc_seconds;
  }
  return kTerrestrialMinusAtomicSeconds + atomic_minus_utc;
}

RequestInstant TerrestrialInstant(sys_seconds utc) {
  const auto offset = std::chrono::milliseconds{std::llround(TerrestrialMinusCivilSeconds(utc) * 1000.0)};
  const auto tt = std::chrono::floor<std::chrono::minutes>(utc + offset);
  const auto day = std::chrono::floor<std::chrono::days>(tt);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss time{tt - day};
  return RequestInstant{static_cast<int>(date.year()), static_cast<std::int16_t>(static_cast<unsigned>(date.month())),
                        static_cast<std::int16_t>(static_cast<unsigned>(date.day())),
                        static_cast<std::int16_t>(time.hours().count()),
                        static_cast<std::int16_t>(time.minutes().count())};
}

RequestInstant TerrestrialNow() {
  return TerrestrialInstant(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
}

int MillisecondsToNextTerrestrialMinute(std::chrono::system_clock::time_point utc) {
  using namespace std::chrono;
  const auto tt = utc + milliseconds(std::llround(TerrestrialMinusCivilSeconds(floor<seconds>(utc)) * 1000.0));
  const auto into_minute = duration_cast<milliseconds>(tt - floor<minutes>(tt));
  return static_cast<int>((minutes(1) - into_minute).count()) + 20;
}

std::string NowInTerrestrialTimeNote(sys_seconds utc) {
  char note[48];
  std::snprintf(note, sizeof note, "Now in TT (UTC + %.3f s)", TerrestrialMinusCivilSeconds(utc));
  return note;
}

}  // namespace orbelle::host
