// Stepping the request by the keyboard: the field under the cursor, calendar arithmetic, and
// the text written back in the notation it was in.
#include <gtest/gtest.h>

#include "host/core/request_stepping.h"

namespace orbelle::host {
namespace {

TEST(StepRequest, FieldUnderTheCursorInEachNotation) {
  RegionalConventions de;
  TakeShortDatePattern("dd.MM.yyyy", de);
  const RegionalConventions us;
  const struct {
    const char* text;
    std::size_t cursor;
    const RegionalConventions& region;
    RequestField field;
  } cases[] = {
      {"07/04/1985 09:05", 0, us, RequestField::kMonth},    {"07/04/1985 09:05", 2, us, RequestField::kMonth},
      {"07/04/1985 09:05", 3, us, RequestField::kDay},      {"07/04/1985 09:05", 8, us, RequestField::kYear},
      {"07/04/1985 09:05", 12, us, RequestField::kHour},    {"07/04/1985 09:05", 16, us, RequestField::kMinute},
      {"04.07.1985 09:05", 1, de, RequestField::kDay},      {"04.07.1985 09:05", 4, de, RequestField::kMonth},
      {"1985-07-04 09:05", 1, de, RequestField::kYear},     {"1985-07-04T09:05:30Z", 19, us, RequestField::kMinute},
      {"12/25/2026 10:30 PM", 12, us, RequestField::kHour}, {"12/25/2026 10:30 PM", 19, us, RequestField::kMinute},
  };
  for (const auto& k : cases) EXPECT_EQ(FieldAt(k.text, k.cursor, k.region), k.field) << k.text << " at " << k.cursor;
}

TEST(StepRequest, CalendarStepsAndTheTextWrittenBack) {
  const RegionalConventions us;
  const struct {
    const char* text;
    RequestField field;
    int count;
    const char* after;
    std::size_t cursor;
  } cases[] = {
      {"12/31/2026 23:59", RequestField::kMinute, 1, "01/01/2027 00:00", 16},
      {"1/1/2027 0:00", RequestField::kHour, -1, "12/31/2026 23:00", 13},
      {"03/01/2024 10:00", RequestField::kDay, -1, "02/29/2024 10:00", 5},
      {"01/31/2026 10:00", RequestField::kMonth, 1, "02/28/2026 10:00", 2},
      {"02/29/2024 10:00", RequestField::kYear, 1, "02/28/2025 10:00", 10},
      {"1985-07-04", RequestField::kDay, 1, "1985-07-05 00:00", 10},
      {"1985-07-04T09:05:30Z", RequestField::kMinute, 1, "1985-07-04 09:07", 16},  // carried to TT first
      // The 12-hour clock stays when the text had a marker, across noon and midnight.
      {"12/25/2026 11:30 PM", RequestField::kHour, 1, "12/26/2026 12:30 AM", 13},
      {"12/26/2026 12:30 am", RequestField::kHour, -1, "12/25/2026 11:30 PM", 13},
      {"12/25/2026 11:59 AM", RequestField::kMinute, 1, "12/25/2026 12:00 PM", 16},
      {"12/25/2026 12:59 p.m.", RequestField::kMinute, 1, "12/25/2026 01:00 PM", 16},
      {"2026-12-25 10:30PM", RequestField::kDay, 1, "2026-12-26 10:30 PM", 10},
  };
  for (const auto& k : cases) {
    const std::optional<SteppedRequest> stepped = StepRequest(k.text, k.field, k.count, us);
    ASSERT_TRUE(stepped) << k.text;
    EXPECT_EQ(stepped->text, k.after) << k.text;
    EXPECT_EQ(stepped->cursor, k.cursor) << k.text;
  }
  // The region's own markers when the text had them, else the English ones.
  RegionalConventions de;
  TakeShortDatePattern("dd.MM.yyyy", de);
  de.am_text = "vorm.";
  de.pm_text = "nachm.";
  EXPECT_EQ(StepRequest("25.12.2026 11:30 vorm.", RequestField::kHour, 1, de)->text, "25.12.2026 12:30 nachm.");
  EXPECT_EQ(StepRequest("25.12.2026 11:30 AM", RequestField::kHour, 1, de)->text, "25.12.2026 12:30 PM");
  EXPECT_FALSE(StepRequest("07/04/19851", RequestField::kDay, 1, us));          // no date
  EXPECT_FALSE(StepRequest("12/31/3000 23:59", RequestField::kMinute, 1, us));  // past the last year
}

}  // namespace
}  // namespace orbelle::host
