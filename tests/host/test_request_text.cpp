// Reading request texts in regional and ISO notations.
#include <gtest/gtest.h>

#include "host/core/request_text.h"

namespace orbelle::host {
namespace {

struct Expected {
  int year, month, day, hour, minute;
};

// Conventions as the hosts hand them in for the locales the tests use.
RegionalConventions Conventions(std::array<DateField, 3> order, std::string separator, std::string am = "AM",
                                std::string pm = "PM") {
  RegionalConventions region;
  region.date_order = order;
  region.date_separator = std::move(separator);
  region.am_text = std::move(am);
  region.pm_text = std::move(pm);
  return region;
}
constexpr std::array kMonthDayYear{DateField::kMonth, DateField::kDay, DateField::kYear};
constexpr std::array kDayMonthYear{DateField::kDay, DateField::kMonth, DateField::kYear};
const RegionalConventions c;
const RegionalConventions us = Conventions(kMonthDayYear, "/");
const RegionalConventions de = Conventions(kDayMonthYear, ".");
const RegionalConventions gb = Conventions(kDayMonthYear, "/", "am", "pm");

void ExpectInstant(const std::string& text, const RegionalConventions& locale, Expected e) {
  SCOPED_TRACE(text);
  const RequestInstant got = ReadRequest(text, locale);
  EXPECT_EQ(got.year, e.year);
  EXPECT_EQ(got.month, e.month);
  EXPECT_EQ(got.day, e.day);
  EXPECT_EQ(got.hour, e.hour);
  EXPECT_EQ(got.minute, e.minute);
}

TEST(ReadRequest, RegionalOrders) {
  ExpectInstant("12/25/2026 10:30", c, {2026, 12, 25, 10, 30});
  ExpectInstant("12/25/2026 10:30", us, {2026, 12, 25, 10, 30});
  ExpectInstant("25.12.2026 10:30", de, {2026, 12, 25, 10, 30});
  ExpectInstant("25/12/2026 22:05", gb, {2026, 12, 25, 22, 5});
  ExpectInstant("  3/4/2026  ", c, {2026, 3, 4, 0, 0});  // only a date: midnight
}

TEST(ReadRequest, IsoAndTimeForms) {
  ExpectInstant("2026-12-25", c, {2026, 12, 25, 0, 0});
  ExpectInstant("2026-12-25T10:30:59", c, {2026, 12, 25, 10, 30});
  ExpectInstant("+1500-03-01 06:00", c, {1500, 3, 1, 6, 0});
  ExpectInstant("12/25/2026 10:30 PM", c, {2026, 12, 25, 22, 30});
  ExpectInstant("12/25/2026 12:15 AM", c, {2026, 12, 25, 0, 15});
  ExpectInstant("12/25/2026 12:15 pm", c, {2026, 12, 25, 12, 15});
  // Seconds are dropped.
  EXPECT_EQ(ReadRequest("12/25/2026 10:30:59", c).Hours(), ReadRequest("12/25/2026 10:30", c).Hours());
  EXPECT_EQ(ReadRequest("12/25/2026 10:30", c).Hours(), 10.5f);
}

TEST(ReadRequest, TwoDigitYearWindow) {
  EXPECT_EQ(ReadRequest("1/1/29", c).year, 2029);
  EXPECT_EQ(ReadRequest("1/1/30", c).year, 1930);
  EXPECT_EQ(ReadRequest("1/1/99", c).year, 1999);
  EXPECT_EQ(ReadRequest("1/1/00", c).year, 2000);
}

TEST(ReadRequest, TextsWithoutADateAreRefusedByName) {
  for (const char* text : {"not a date", "", "   ", "10:30", "2/30/2026", "13/1/2026", "2026-02-29", "1/1/2026 24:00",
                           "1/1/2026 10:60", "1/1/2026 13:00 PM", "1/1/2026 10:30 XM", "1/1/2026 garbage"}) {
    try {
      ReadRequest(text, c);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RequestError& e) {
      std::string simplified = text;
      while (!simplified.empty() && simplified.front() == ' ') simplified.erase(0, 1);
      EXPECT_NE(std::string(e.what()).find("\"" + simplified.substr(0, simplified.find_last_not_of(' ') + 1)),
                std::string::npos)
          << e.what();
    }
  }
  // A very long text is named, shortened.
  const std::string long_text(100000, 'x');
  try {
    ReadRequest(long_text, c);
    ADD_FAILURE();
  } catch (const RequestError& e) {
    EXPECT_LT(std::string(e.what()).size(), 200u);
  }
  EXPECT_EQ(ReadRequest("2/29/2024", c).day, 29);  // a real leap day
}

// Control characters are quoted escaped: an echoed request cannot retitle a terminal.
TEST(ReadRequest, MessagesEscapeControlCharacters) {
  try {
    ReadRequest("\x1b]0;title\a\xc2\x9b" "2J \x7f", c);
    ADD_FAILURE();
  } catch (const RequestError& e) {
    EXPECT_EQ(std::string(e.what()), "no date can be read from the request \"\\x1B]0;title\\x07\\x9B2J \\x7F\"");
  }
}

// The years 1000 to 3000, in every notation; the message names the range.
TEST(ReadRequest, YearsOutsideTheCheckedRangeAreRefused) {
  EXPECT_EQ(ReadRequest("1000-01-01", c).year, 1000);
  EXPECT_EQ(ReadRequest("12/31/3000 23:59", c).year, 3000);
  for (const char* text : {"0999-12-31 23:59", "3001-01-01", "1/1/999", "-50000-01-01", "+30000-01-01"}) {
    try {
      ReadRequest(text, c);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RequestError& e) {
      EXPECT_NE(std::string(e.what()).find("outside the years 1000 to 3000"), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(WithinRequestYears(2086302.5));   // 1000-01-01 0h
  EXPECT_FALSE(WithinRequestYears(2086302.49));
  EXPECT_TRUE(WithinRequestYears(2817152.49));  // just before 3001-01-01 0h
  EXPECT_FALSE(WithinRequestYears(2817152.5));
}

}  // namespace
}  // namespace orbelle::host
