// Reading request texts in regional and ISO notations.
#include <gtest/gtest.h>

#include "host/core/request_text.h"

namespace orbelle::host {
namespace {

struct Expected {
  int year, month, day, hour, minute;
};

// Conventions as a host hands them in, from the locale's short date pattern (the CLDR short
// date formats of the locales named) and its AM/PM texts.
RegionalConventions FromPattern(const char* pattern, std::string am = "AM", std::string pm = "PM") {
  RegionalConventions region;
  TakeShortDatePattern(pattern, region);
  region.am_text = std::move(am);
  region.pm_text = std::move(pm);
  return region;
}
const RegionalConventions c;
const RegionalConventions de = FromPattern("dd.MM.yy");
const RegionalConventions gb = FromPattern("dd/MM/yyyy", "am", "pm");

void ExpectInstant(const std::string& text, const RegionalConventions& region, Expected e) {
  SCOPED_TRACE(text);
  const RequestInstant got = ReadRequest(text, region);
  EXPECT_EQ(got.year, e.year);
  EXPECT_EQ(got.month, e.month);
  EXPECT_EQ(got.day, e.day);
  EXPECT_EQ(got.hour, e.hour);
  EXPECT_EQ(got.minute, e.minute);
}

TEST(ReadRequest, RegionalOrders) {
  ExpectInstant("12/25/2026 10:30", c, {2026, 12, 25, 10, 30});
  ExpectInstant("25.12.2026 10:30", de, {2026, 12, 25, 10, 30});
  ExpectInstant("25.12.2026, 10:30", de, {2026, 12, 25, 10, 30});
  ExpectInstant("25/12/2026 10:30 pm", gb, {2026, 12, 25, 22, 30});
  ExpectInstant("  3/4/2026  ", c, {2026, 3, 4, 0, 0});  // only a date: midnight
  // Year first (Swedish "yyyy-MM-dd"), and a region's own separator besides / . -.
  ExpectInstant("26-12-25 10:30", FromPattern("yy-MM-dd"), {2026, 12, 25, 10, 30});
  const RegionalConventions apostrophe = FromPattern("dd'MM'yyyy");
  ExpectInstant("25'12'2026", apostrophe, {2026, 12, 25, 0, 0});
  EXPECT_THROW(ReadRequest("25'12'2026", de), RequestError);
  // A pattern without all three fields leaves month/day/year.
  EXPECT_EQ(FromPattern("MMMM yyyy").date_order, c.date_order);
}

TEST(ReadRequest, IsoAndTimeForms) {
  ExpectInstant("2026-12-25", c, {2026, 12, 25, 0, 0});
  ExpectInstant("2026-12-25T10:30:59", c, {2026, 12, 25, 10, 30});
  ExpectInstant("+1500-03-01 06:00", c, {1500, 3, 1, 6, 0});
  ExpectInstant("12/25/2026 10:30 PM", c, {2026, 12, 25, 22, 30});
  ExpectInstant("12/25/2026 12:15 AM", c, {2026, 12, 25, 0, 15});
  ExpectInstant("12/25/2026 12:15 p.m.", c, {2026, 12, 25, 12, 15});
  ExpectInstant("12/25/2026 10:30:45.5PM", c, {2026, 12, 25, 22, 30});
  // The region's own markers (Austrian German), and the blanks of other scripts: no-break
  // space and the narrow no-break space that some locales put before the marker.
  ExpectInstant("25.12.2026 10:30 nachm.", FromPattern("dd.MM.yy", "vorm.", "nachm."), {2026, 12, 25, 22, 30});
  ExpectInstant("12/25/2026\u00A010:30\u202FPM", c, {2026, 12, 25, 22, 30});
  // Seconds are dropped.
  EXPECT_EQ(ReadRequest("12/25/2026 10:30:59", c).Hours(), ReadRequest("12/25/2026 10:30", c).Hours());
  EXPECT_EQ(ReadRequest("12/25/2026 10:30", c).Hours(), 10.5f);
}

TEST(ReadRequest, TwoDigitYearWindow) {
  EXPECT_EQ(ReadRequest("1/1/29", c).year, 2029);
  EXPECT_EQ(ReadRequest("1/1/30", c).year, 1930);
  EXPECT_EQ(ReadRequest("1/1/00", c).year, 2000);
  // A window that the host sets (a Windows user's "2049" as the last two-digit year).
  RegionalConventions window = c;
  window.two_digit_year_start = 1950;
  EXPECT_EQ(ReadRequest("1/1/49", window).year, 2049);
  EXPECT_EQ(ReadRequest("1/1/50", window).year, 1950);
}

TEST(ReadRequest, TextsWithoutADateAreRefusedByName) {
  for (const char* text :
       {"not a date", "", "   ", "10:30", "2/30/2026", "13/1/2026", "2026-02-29", "1/1/2026 24:00", "1/1/2026 10:60",
        "1/1/2026 13:00 PM", "1/1/2026 10:30 XM", "1/1/2026 garbage", "1 1 2026", "12345/1/1", "2026-12-25T",
        "1/1/2026 10:30 P M", "1/1/2026 10:30:PM", "1/1/2026 0:30 AM", "1/1/2026 10:30:60"}) {
    try {
      ReadRequest(text, c);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RequestError& e) {
      const std::string trimmed(std::string_view(text).substr(0, std::string_view(text).find_last_not_of(' ') + 1));
      EXPECT_NE(std::string(e.what()).find('"' + trimmed), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(ReadRequest("2/29/2024", c).day, 29);  // real leap days
  EXPECT_EQ(ReadRequest("2/29/2000", c).day, 29);
}

// A very long text is named shortened after 80 characters (not bytes); control characters are
// quoted escaped, so that an echoed request cannot retitle a terminal or reorder the message.
TEST(ReadRequest, MessagesShortenAndEscapeTheText) {
  std::string long_text, first_80;
  for (int k = 0; k < 100000; ++k) long_text += "\u2648";
  for (int k = 0; k < 80; ++k) first_80 += "\u2648";
  const std::pair<std::string, std::string> cases[] = {
      {long_text, first_80 + "\u2026"},
      {"\x1b]0;title\a\xc2\x9b"
       "2J \x7f",
       "\\x1B]0;title\\x07\\x9B2J \\x7F"},
      // The edges of the C0, DEL and C1 ranges: 0x1F and 0x9F are controls, 0x7E and 0xA0 not.
      {"\x1f \x7e\xc2\x9f\xc2\xa0.", "\\x1F ~\\x9F\u00A0."},
      // The edges of the bidirectional controls: U+200D (joining emoji), U+202F and U+206A are
      // none; U+061C, U+200E, U+202A, U+202E, U+2066 and U+2069 are.
      {"\u061c\u200d\u200e\u202a\u202e\u202f\u2066\u2069\u206a.",
       "\\u061C\u200D\\u200E\\u202A\\u202E\u202F\\u2066\\u2069\u206A."}};
  for (const auto& [text, shown] : cases) {
    try {
      ReadRequest(text, c);
      ADD_FAILURE();
    } catch (const RequestError& e) {
      EXPECT_EQ(std::string(e.what()), "no date can be read from the request \"" + shown +
                                           "\"; the notations read are MM/DD/YYYY hh:mm (also with AM/PM) and "
                                           "ISO 8601 YYYY-MM-DD[Thh:mm[:ss][Z|\u00b1hh:mm]]");
    }
  }
}

// A time with Z or an offset is civil time, carried to TT: 69.184 s after UTC in 2026 (the
// seconds count before they are dropped), 32.184 + 10 s in 1972, and Espenak and Meeus's
// -2.8 s for 1900, which carries midnight back into 1899.
TEST(ReadRequest, IsoTimesWithAnOffsetFromUtcAreCarriedToTerrestrialTime) {
  ExpectInstant("2026-12-25T10:30:00Z", c, {2026, 12, 25, 10, 31});
  ExpectInstant("2026-12-25T10:29:50Z", c, {2026, 12, 25, 10, 30});
  ExpectInstant("2026-12-25T10:29:51z", c, {2026, 12, 25, 10, 31});
  ExpectInstant("2026-12-26T10:30+13:00", c, {2026, 12, 25, 21, 31});    // Auckland in summer
  ExpectInstant("2026-12-24 13:30:00-0800", c, {2026, 12, 24, 21, 31});  // Los Angeles
  ExpectInstant("2026-12-25T02:00+05", c, {2026, 12, 24, 21, 1});
  ExpectInstant("1972-01-01T00:00Z", c, {1972, 1, 1, 0, 0});  // 42.184 s
  ExpectInstant("1900-01-01T00:00Z", c, {1899, 12, 31, 23, 59});
  ExpectInstant("1900-01-01T00:59:30Z", c, {1900, 1, 1, 0, 59});
  for (const char* text : {"2026-12-25T10:30+1", "2026-12-25T10:30+19:00", "2026-12-25T10:30+05:60",
                           "2026-12-25T10:30Zulu", "2026-12-25Z", "12/25/2026 10:30Z"}) {
    EXPECT_THROW(ReadRequest(text, c), RequestError) << text;
  }
  // A moment carried past the last request year is refused.
  EXPECT_THROW(ReadRequest("3000-12-31T23:59:30Z", c), RequestYearsError);
}

// A moment written as a request reads back as the same minute, in the region's own notation
// or in ISO 8601.
TEST(WriteRequest, ReadsBackInTheRegionsNotation) {
  const RequestInstant instant{1985, 7, 4, 9, 5};
  const struct {
    const RegionalConventions& region;
    bool iso;
    const char* text;
  } cases[] = {{c, false, "07/04/1985 09:05"},
               {de, false, "04.07.1985 09:05"},
               {gb, false, "04/07/1985 09:05"},
               {FromPattern("yyyy-MM-dd"), false, "1985-07-04 09:05"},
               {de, true, "1985-07-04 09:05"}};
  for (const auto& k : cases) {
    EXPECT_EQ(WriteRequest(instant, k.region, {.iso = k.iso, .markers = {}}), k.text);
    ExpectInstant(k.text, k.region, {1985, 7, 4, 9, 5});
  }
}

// The years 1000 to 3000, in every notation; the message names the range.
TEST(ReadRequest, YearsOutsideTheCheckedRangeAreRefused) {
  EXPECT_EQ(ReadRequest("1000-01-01", c).year, 1000);
  EXPECT_EQ(ReadRequest("12/31/3000 23:59", c).year, 3000);
  // Three digits are the year itself: "029" is the year 29, not 2029.
  for (const char* text : {"0999-12-31 23:59", "3001-01-01", "1/1/999", "1/1/029", "-50000-01-01", "+30000-01-01"}) {
    try {
      ReadRequest(text, c);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RequestError& e) {
      EXPECT_NE(std::string(e.what()).find("outside the years 1000 to 3000"), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(WithinRequestYears(2086302.5));  // 1000-01-01 0h
  EXPECT_FALSE(WithinRequestYears(2086302.49));
  EXPECT_TRUE(WithinRequestYears(2817152.49));  // just before 3001-01-01 0h
  EXPECT_FALSE(WithinRequestYears(2817152.5));
}

}  // namespace
}  // namespace orbelle::host
