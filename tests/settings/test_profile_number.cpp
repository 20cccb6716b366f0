// Numbers taken from the start of profile values and their conversion to the field widths.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <optional>

#include "settings/profile_number.h"

namespace orbelle::settings {
namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStartOfTheText) {
  const std::pair<const char*, double> cases[] = {
      {" \t12abc", 12}, {"-5.5", -5.5}, {"+7 8", 7},       {".25W", 0.25}, {"3.", 3}, {"1.5e3x", 1500},
      {"2E-1", 0.2},    {"4e", 4},      {"1.5e+3x", 1500}, {"4e+", 4},  // an exponent without digits is not part of it
      {"", 0},          {"   ", 0},     {"abc", 0},        {"-", 0},       {".", 0},  {"- 3", 0},
      {"e5", 0},        {"\"5\"", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

TEST(LeadingNumber, DecimalPointIsAPointInEveryLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  EXPECT_EQ(LeadingNumber("2.75"), 2.75);
  EXPECT_EQ(LeadingNumber("2,75"), 2.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(LeadingNumber, OverflowGivesAnInfinityThatNoFieldAccepts) {
  EXPECT_EQ(LeadingNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_FALSE(RoundToInteger<std::int32_t>(LeadingNumber("1e400")));
  EXPECT_FALSE(RoundToSingle(LeadingNumber("-1e400")));
  EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
  // The size, not the sign of the exponent as written, decides.
  EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(LeadingNumber("-0." + std::string(400, '0') + "1e5"), -0.0);
  EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1e+5"), 0.0);
  EXPECT_EQ(LeadingNumber("1" + std::string(400, '0') + "e-5"), std::numeric_limits<double>::infinity());
}

// Half goes to the even neighbour; a value that rounds beyond the field does not convert.
TEST(RoundToInteger, HalfToEvenWithinTheField) {
  const std::pair<double, std::optional<std::int16_t>> shorts[] = {{-5.5, -6},
                                                                   {2.5, 2},
                                                                   {3.5, 4},
                                                                   {-0.5, 0},
                                                                   {2.5000001, 3},
                                                                   {32767.4, 32767},
                                                                   {32767.5, std::nullopt},
                                                                   {-32768.5, -32768},
                                                                   {-32769.0, std::nullopt}};
  for (const auto& [value, expected] : shorts) EXPECT_EQ(RoundToInteger<std::int16_t>(value), expected) << value;
  EXPECT_EQ(RoundToInteger<std::int32_t>(2147483647.0), 2147483647);
  EXPECT_FALSE(RoundToInteger<std::int32_t>(2147483648.0));
  EXPECT_FALSE(RoundToInteger<std::int32_t>(std::numeric_limits<double>::quiet_NaN()));
}

TEST(RoundToSingle, RoundsToNearestSingleAndRefusesOverflow) {
  EXPECT_EQ(RoundToSingle(0.1), 0.1f);
  EXPECT_EQ(RoundToSingle(3.4e38), 3.4e38f);
  EXPECT_FALSE(RoundToSingle(1e39));
}

}  // namespace
}  // namespace orbelle::settings
