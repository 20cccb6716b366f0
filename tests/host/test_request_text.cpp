// Reading request texts in regional and ISO notations.
#include <gtest/gtest.h>

#include "host/request_text.h"
#include "qt_printers.h"

namespace orbelle::host {
namespace {

struct Expected {
  int year, month, day, hour, minute;
};

void ExpectInstant(const QString& text, const QLocale& locale, Expected e) {
  SCOPED_TRACE(text.toStdString() + " in " + locale.name().toStdString());
  const RequestInstant got = ReadRequest(text, locale);
  EXPECT_EQ(got.year, e.year);
  EXPECT_EQ(got.month, e.month);
  EXPECT_EQ(got.day, e.day);
  EXPECT_EQ(got.hour, e.hour);
  EXPECT_EQ(got.minute, e.minute);
}

TEST(ReadRequest, RegionalOrders) {
  const QLocale c(QLocale::C), us(QLocale::English, QLocale::UnitedStates);
  const QLocale de(QLocale::German, QLocale::Germany), gb(QLocale::English, QLocale::UnitedKingdom);
  ExpectInstant("12/25/2026 10:30", c, {2026, 12, 25, 10, 30});
  ExpectInstant("12/25/2026 10:30", us, {2026, 12, 25, 10, 30});
  ExpectInstant("25.12.2026 10:30", de, {2026, 12, 25, 10, 30});
  ExpectInstant("25/12/2026 22:05", gb, {2026, 12, 25, 22, 5});
  ExpectInstant("  3/4/2026  ", c, {2026, 3, 4, 0, 0});  // only a date: midnight
}

TEST(ReadRequest, IsoAndTimeForms) {
  const QLocale c(QLocale::C);
  ExpectInstant("2026-12-25", c, {2026, 12, 25, 0, 0});
  ExpectInstant("2026-12-25T10:30:59", c, {2026, 12, 25, 10, 30});
  ExpectInstant("-0500-03-01 06:00", c, {-500, 3, 1, 6, 0});
  ExpectInstant("12/25/2026 10:30 PM", c, {2026, 12, 25, 22, 30});
  ExpectInstant("12/25/2026 12:15 AM", c, {2026, 12, 25, 0, 15});
  ExpectInstant("12/25/2026 12:15 pm", c, {2026, 12, 25, 12, 15});
  // Seconds are dropped.
  EXPECT_EQ(ReadRequest("12/25/2026 10:30:59", c).Hours(), ReadRequest("12/25/2026 10:30", c).Hours());
  EXPECT_EQ(ReadRequest("12/25/2026 10:30", c).Hours(), 10.5f);
}

TEST(ReadRequest, TwoDigitYearWindow) {
  const QLocale c(QLocale::C);
  EXPECT_EQ(ReadRequest("1/1/29", c).year, 2029);
  EXPECT_EQ(ReadRequest("1/1/30", c).year, 1930);
  EXPECT_EQ(ReadRequest("1/1/99", c).year, 1999);
  EXPECT_EQ(ReadRequest("1/1/00", c).year, 2000);
}

TEST(ReadRequest, TextsWithoutADateAreRefusedByName) {
  const QLocale c(QLocale::C);
  for (const char* text : {"not a date", "", "   ", "10:30", "2/30/2026", "13/1/2026", "2026-02-29", "1/1/2026 24:00",
                           "1/1/2026 10:60", "1/1/2026 13:00 PM", "1/1/2026 10:30 XM", "1/1/2026 garbage"}) {
    try {
      ReadRequest(QString::fromUtf8(text), c);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RequestError& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("\"") + QString::fromUtf8(text).simplified().toStdString()),
                std::string::npos)
          << e.what();
    }
  }
  // A very long text is named, shortened.
  const QString long_text(100000, QLatin1Char('x'));
  try {
    ReadRequest(long_text, c);
    ADD_FAILURE();
  } catch (const RequestError& e) {
    EXPECT_LT(std::string(e.what()).size(), 200u);
  }
  EXPECT_EQ(ReadRequest("2/29/2024", c).day, 29);  // a real leap day
}

}  // namespace
}  // namespace orbelle::host
