// The position file's rules: what a stored size and place restore, and what a window stores.
#include <gtest/gtest.h>

#include <map>

#include "host/core/window_placement.h"

namespace orbelle::host {

std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
  return out << "(" << r.left << ", " << r.top << ") " << r.width << "x" << r.height;
}

namespace {

// 1024 x 768 pixels at 96 dots per inch with a 28-pixel panel at the bottom.
const PlacementScreen kScreen{1024, 768, {0, 0, 1024, 740}, 15, 15};
const PixelRect kCreated{40, 30, 300, 200};
const PixelRect kSmallest{0, 0, 200, 150};

// Keys as the position file holds them (in twips); a key not named reads as missing.
StoredPlacement Stored(const std::map<std::string, std::string>& keys) {
  const auto key = [&](const char* name) {
    const auto found = keys.find(name);
    return ReadStoredValue(found == keys.end() ? kMissingPlacementValue : found->second);
  };
  return {key("Height"), key("Width"), key("Left"), key("Top")};
}
std::string Twips(int pixels) { return std::to_string(pixels * 15); }

TEST(RestorePlacement, StoredSizesAndPlaces) {
  const PixelRect centred{362, 284, 300, 200};  // 1024/2 - 300/2, 768/2 - 200/2
  const struct {
    const char* what;
    std::map<std::string, std::string> keys;
    PixelRect expected;
  } cases[] = {
      {"no file: the created place", {}, kCreated},
      {"size and place", {{"Height", "3750"}, {"Width", "4800"}, {"Left", "150"}, {"Top", "300"}}, {10, 20, 320, 250}},
      {"the corner (0, 0)", {{"Left", " 0"}, {"Top", " 0"}}, {0, 0, 300, 200}},
      {"(10, 10)", {{"Left", " 150"}, {"Top", " 150"}}, {10, 10, 300, 200}},
      {"(200, 15)", {{"Left", " 3000"}, {"Top", " 225"}}, {200, 15, 300, 200}},
      {"the far corner of the work area", {{"Left", Twips(724)}, {"Top", Twips(540)}}, {724, 540, 300, 200}},
      {"one pixel past the right edge: centred, Top not used", {{"Left", Twips(725)}, {"Top", "15"}}, centred},
      {"partly past the left and top edges: kept", {{"Left", "-1500"}, {"Top", "-750"}}, {-100, -50, 300, 200}},
      {"one pixel column left on the screen: kept", {{"Left", Twips(-299)}}, {-299, 30, 300, 200}},
      {"wholly left of the screen: centred", {{"Left", Twips(-300)}, {"Top", "15"}}, centred},
      {"one line left above the panel: kept", {{"Top", Twips(739)}}, {40, 739, 300, 200}},
      {"wholly on or below the panel: centred", {{"Top", Twips(740)}}, centred},
      {"wholly above the screen: centred", {{"Top", Twips(-200)}}, centred},
      {"empty Left: centred, Top applied", {{"Left", ""}, {"Top", "105"}}, {362, 7, 300, 200}},
      {"no number, or beyond a single: not applied", {{"Left", "abc"}, {"Top", "1e39"}, {"Width", "-"}}, kCreated},
      {"zero or negative sizes: not applied", {{"Height", "0"}, {"Width", "-4500"}}, kCreated},
      {"larger than the work area: cut to it",
       {{"Height", "99999"}, {"Width", "99999"}, {"Left", "0"}, {"Top", "0"}},
       {0, 0, 1024, 740}},
      {"15 x 15 twips: raised to the smallest size", {{"Height", "15"}, {"Width", "15"}}, {40, 30, 200, 150}},
      {"the smallest size itself: kept", {{"Height", Twips(150)}, {"Width", Twips(200)}}, {40, 30, 200, 150}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RestorePlacement(Stored(c.keys), kCreated, true, kSmallest, kScreen).outer, c.expected) << c.what;
  }
  // A fixed border keeps its size.
  const StoredPlacement tiny = Stored({{"Height", "15"}, {"Width", "15"}});
  EXPECT_EQ(RestorePlacement(tiny, kCreated, false, kSmallest, kScreen).outer, kCreated);
}

// What a window stores brings it back to the same place and size, edges, corners and places
// partly off the screen included, at any resolution.
TEST(SavedPlacement, WrittenAsStrAndRestoredToTheSameRectangle) {
  const auto saved = SavedPlacement({-100, 0, 300, 200}, kScreen);
  const decltype(saved) expected = {{"Height", " 3000"}, {"Width", " 4500"}, {"Left", "-1500"}, {"Top", " 0"}};
  EXPECT_EQ(saved, expected);

  const PixelRect places[] = {{0, 0, 300, 200},     {10, 10, 300, 200},    {200, 15, 300, 200},
                              {724, 540, 300, 200}, {-100, -20, 320, 250}, {0, 28, 1024, 740}};
  for (const double twips : {15.0, 12.0, 10.0}) {  // 96, 120 and 144 dots per inch
    PlacementScreen screen = kScreen;
    screen.twips_x = screen.twips_y = twips;
    for (const PixelRect& place : places) {
      std::map<std::string, std::string> keys;
      for (const auto& [key, text] : SavedPlacement(place, screen)) keys[key] = text;
      EXPECT_EQ(RestorePlacement(Stored(keys), kCreated, true, kSmallest, screen).outer, place)
          << twips << " " << place;
    }
  }
}

}  // namespace
}  // namespace orbelle::host
