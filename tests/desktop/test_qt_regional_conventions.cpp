// The regional conventions the Qt program hands to the request reader and the table, for the
// locales the tests use (the CLDR data Qt carries).
#include <gtest/gtest.h>

#include "host/qt/qt_regional_conventions.h"

namespace orbelle::host {
namespace {

TEST(QtRegionalConventions, LocalesTheTestsUse) {
  using enum DateField;
  struct Case {
    QLocale locale;
    std::array<DateField, 3> order;
    const char *separator, *decimal, *am;
  };
  for (const Case& k : {Case{QLocale(QLocale::C), {kMonth, kDay, kYear}, "/", ".", "AM"},
                        Case{QLocale(QLocale::English, QLocale::UnitedStates), {kMonth, kDay, kYear}, "/", ".", "AM"},
                        Case{QLocale(QLocale::German, QLocale::Germany), {kDay, kMonth, kYear}, ".", ",", "AM"},
                        Case{QLocale(QLocale::English, QLocale::UnitedKingdom), {kDay, kMonth, kYear}, "/", ".", "am"},
                        Case{QLocale(QLocale::Swedish, QLocale::Sweden), {kYear, kMonth, kDay}, "-", ",", "fm"}}) {
    SCOPED_TRACE(k.locale.name().toStdString());
    const RegionalConventions region = ConventionsOf(k.locale);
    EXPECT_EQ(region.date_order, k.order);
    EXPECT_EQ(region.date_separator, k.separator);
    EXPECT_EQ(region.decimal_separator, k.decimal);
    EXPECT_EQ(region.am_text, k.am);
    EXPECT_EQ(region.two_digit_year_start, 1930);
  }
}

}  // namespace
}  // namespace orbelle::host
