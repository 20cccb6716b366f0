// Stepping a request by the keyboard: the field under the cursor (minute, hour, day, month or
// year) moved forward or back, the new moment written back in the notation the text was in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "host/core/regional_conventions.h"
#include "host/core/request_text.h"

namespace orbelle::host {

enum class RequestField { kYear, kMonth, kDay, kHour, kMinute };

// The text after a step, with the cursor (a byte offset) at the end of the stepped field.
struct SteppedRequest {
  std::string text;
  std::size_t cursor = 0;
};

// The field of the request `text` that the cursor (a byte offset) stands in or just after:
// the runs of digits are, in order, the date's three fields (ISO 8601's year, month and day,
// or the region's order), the hour and the minute; seconds and an AM/PM marker count as the
// minute. Before any
// digit it is the first field.
RequestField FieldAt(std::string_view text, std::size_t cursor, const RegionalConventions& region);

// `instant` moved by `count` of `field`. A month or year step keeps the day within the month
// (January 31 and one month is February 28 or 29).
RequestInstant Stepped(const RequestInstant& instant, RequestField field, int count);

// `text` moved by `count` of `field`, written in the text's notation (NotationOf): ISO 8601
// or the region's, on the 12-hour clock when the text had an AM/PM marker. Nothing when the
// text holds no date or the step leaves the years a request may name.
std::optional<SteppedRequest> StepRequest(std::string_view text, RequestField field, int count,
                                          const RegionalConventions& region);

}  // namespace orbelle::host
