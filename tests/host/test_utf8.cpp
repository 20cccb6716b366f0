// UTF-8 decoding of request texts and table pieces.
#include <gtest/gtest.h>

#include <vector>

#include "host/core/utf8.h"

namespace orbelle::host {
namespace {

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t pos = 0; pos < text.size();) out.push_back(NextCodePoint(text, pos));
  return out;
}

TEST(Utf8, WellFormedRoundTripsAndEveryMalformedByteIsOneReplacement) {
  for (const char32_t code : {U'a', U'\u00E9', U'\u2648', U'\U0001F30D', U'\u007F', U'\u0080', U'\uFFFF'}) {
    EXPECT_EQ(CodePoints(Utf8(code)), std::vector<char32_t>{code}) << std::hex << static_cast<unsigned>(code);
  }
  constexpr char32_t R = kReplacementCharacter;
  EXPECT_EQ(CodePoints("\xC0\xAF"), (std::vector<char32_t>{R, R}));                // overlong "/"
  EXPECT_EQ(CodePoints("\xED\xA0\x80"), (std::vector<char32_t>{R, R, R}));         // a surrogate
  EXPECT_EQ(CodePoints("\xE2\x99"), (std::vector<char32_t>{R, R}));                // cut short
  EXPECT_EQ(CodePoints("\xF4\x90\x80\x80"), (std::vector<char32_t>{R, R, R, R}));  // past U+10FFFF
  EXPECT_EQ(CodePoints("a\x80z"), (std::vector<char32_t>{U'a', R, U'z'}));
  EXPECT_EQ(Utf8(0xD800), Utf8(R));
}

}  // namespace
}  // namespace orbelle::host
