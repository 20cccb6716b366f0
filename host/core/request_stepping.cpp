#include "host/core/request_stepping.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

namespace orbelle::host {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct DigitRun {
  std::size_t begin, end;
};

std::vector<DigitRun> DigitRuns(std::string_view text) {
  std::vector<DigitRun> runs;
  for (std::size_t k = 0; k < text.size();) {
    if (!IsDigit(text[k])) {
      ++k;
      continue;
    }
    const std::size_t begin = k;
    while (k < text.size() && IsDigit(text[k])) ++k;
    runs.push_back({begin, k});
  }
  return runs;
}

// The fields in the order of the text's digit runs.
std::array<RequestField, 5> FieldOrder(bool iso, const RegionalConventions& region) {
  std::array<RequestField, 5> order{RequestField::kYear, RequestField::kMonth, RequestField::kDay, RequestField::kHour,
                                    RequestField::kMinute};
  for (std::size_t k = 0; k < 3 && !iso; ++k) {
    order[k] = region.date_order[k] == DateField::kDay     ? RequestField::kDay
               : region.date_order[k] == DateField::kMonth ? RequestField::kMonth
                                                           : RequestField::kYear;
  }
  return order;
}

}  // namespace

RequestField FieldAt(std::string_view text, std::size_t cursor, const RegionalConventions& region) {
  const std::vector<DigitRun> runs = DigitRuns(text);
  std::size_t index = 0;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    if (runs[k].begin <= cursor) index = k;
  }
  return FieldOrder(NotationOf(text, region).iso, region)[std::min<std::size_t>(index, 4)];
}

RequestInstant Stepped(const RequestInstant& instant, RequestField field, int count) {
  using namespace std::chrono;
  year_month_day date{year{instant.year}, month{static_cast<unsigned>(instant.month)},
                      day{static_cast<unsigned>(instant.day)}};
  if (field == RequestField::kYear || field == RequestField::kMonth) {
    const year_month shifted = field == RequestField::kYear ? date.year() / date.month() + years{count}
                                                            : date.year() / date.month() + months{count};
    const year_month_day_last last{shifted.year(), month_day_last{shifted.month()}};
    date = year_month_day{shifted.year(), shifted.month(), std::min(date.day(), last.day())};
  }
  const minutes step = field == RequestField::kDay      ? days{count}
                       : field == RequestField::kHour   ? minutes{hours{count}}
                       : field == RequestField::kMinute ? minutes{count}
                                                        : minutes{0};
  const sys_time<minutes> moment = sys_days{date} + hours{instant.hour} + minutes{instant.minute} + step;
  const sys_days moment_day = floor<days>(moment);
  const year_month_day out{moment_day};
  const hh_mm_ss time{moment - moment_day};
  return {static_cast<int>(out.year()), static_cast<std::int16_t>(static_cast<unsigned>(out.month())),
          static_cast<std::int16_t>(static_cast<unsigned>(out.day())), static_cast<std::int16_t>(time.hours().count()),
          static_cast<std::int16_t>(time.minutes().count())};
}

std::optional<SteppedRequest> StepRequest(std::string_view text, RequestField field, int count,
                                          const RegionalConventions& region) {
  RequestInstant instant;
  try {
    instant = ReadRequest(text, region);
  } catch (const RequestError&) {
    return std::nullopt;
  }
  const RequestInstant moved = Stepped(instant, field, count);
  if (moved.year < kFirstRequestYear || moved.year > kLastRequestYear) return std::nullopt;
  SteppedRequest out{WriteRequest(moved, region, NotationOf(text, region)), 0};
  const std::vector<DigitRun> runs = DigitRuns(out.text);
  const std::array<RequestField, 5> order = FieldOrder(NotationOf(out.text, region).iso, region);
  const auto at = std::find(order.begin(), order.end(), field);
  out.cursor = runs.at(static_cast<std::size_t>(at - order.begin())).end;
  return out;
}

}  // namespace orbelle::host
