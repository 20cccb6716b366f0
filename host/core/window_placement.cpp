#include "host/core/window_placement.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "settings/profile_number.h"

namespace orbelle::host {
namespace {

// Pixels to twips rounded to single, as a form reports its Left, Top, Width and Height.
float Twips(int pixels, double twips_per_pixel) { return static_cast<float>(pixels * twips_per_pixel); }

// Stored values far beyond any screen (up to the largest single) are cut before conversion.
int Pixels(float twips, double twips_per_pixel) {
  return static_cast<int>(std::lround(std::clamp<double>(twips, -1e9, 1e9) / twips_per_pixel));
}

bool Positive(const StoredValue& v) { return v.value && *v.value > 0; }

// Whether the text starts with a number as LeadingNumber reads it: blanks, an optional sign,
// then a digit or a decimal point followed by one.
bool StartsWithNumber(std::string_view text) {
  const auto digit = [&](std::size_t i) {
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
  };
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return false;
  if (text[i] == '+' || text[i] == '-') ++i;
  return digit(i) || (i < text.size() && text[i] == '.' && digit(i + 1));
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 &&
         std::max(a.left, b.left) < std::min(a.left + a.width, b.left + b.width) &&
         std::max(a.top, b.top) < std::min(a.top + a.height, b.top + b.height);
}

}  // namespace

StoredValue ReadStoredValue(std::string_view text) {
  if (!StartsWithNumber(text)) return {text.size(), std::nullopt};
  return {text.size(), settings::RoundToSingle(settings::LeadingNumber(text))};
}

PixelRect Centred(const PixelRect& outer, const PlacementScreen& screen) {
  const float left = Twips(screen.width, screen.twips_x) / 2 - Twips(outer.width, screen.twips_x) / 2;
  const float top = Twips(screen.height, screen.twips_y) / 2 - Twips(outer.height, screen.twips_y) / 2;
  return {Pixels(left, screen.twips_x), Pixels(top, screen.twips_y), outer.width, outer.height};
}

RestoredPlacement RestorePlacement(const StoredPlacement& stored, const PixelRect& outer, bool sizable,
                                   const PixelRect& smallest, const PlacementScreen& screen) {
  RestoredPlacement placed{outer};
  PixelRect& r = placed.outer;
  // A stored size larger than the available area is cut to it: a window of 32767 x 32767
  // pixels would cost gigabytes and could not be handled by the user.
  if (sizable && Positive(stored.height)) {
    r.height =
        std::max(smallest.height, std::min(Pixels(*stored.height.value, screen.twips_y), screen.available.height));
    placed.size_applied = true;
  }
  if (sizable && Positive(stored.width)) {
    r.width = std::max(smallest.width, std::min(Pixels(*stored.width.value, screen.twips_x), screen.available.width));
    placed.size_applied = true;
  }

  if (stored.left.count == 0) {
    r = Centred(r, screen);
    placed.place_applied = true;
  } else {
    if (stored.left.value) {
      r.left = Pixels(*stored.left.value, screen.twips_x);
      placed.place_applied = true;
    }
    if (Twips(r.left, screen.twips_x) > Twips(screen.width, screen.twips_x) - Twips(r.width, screen.twips_x)) {
      r = Centred(r, screen);
      placed.place_applied = true;
      return placed;
    }
  }
  if (stored.top.value) {
    r.top = Pixels(*stored.top.value, screen.twips_y);
    placed.place_applied = true;
  }
  // A place partly past an edge is the user's choice and is kept; one wholly outside the
  // available area (say, below the screen) could not be reached by the user: the window is
  // centred instead.
  const PixelRect& area = screen.available;
  if (area.width > 0 && area.height > 0 && !Overlap(r, area)) {
    r = Centred(r, screen);
    placed.place_applied = true;
  }
  return placed;
}

std::vector<std::pair<std::string, std::string>> SavedPlacement(const PixelRect& outer, const PlacementScreen& screen) {
  const std::pair<const char*, float> values[] = {{"Height", Twips(outer.height, screen.twips_y)},
                                                  {"Width", Twips(outer.width, screen.twips_x)},
                                                  {"Left", Twips(outer.left, screen.twips_x)},
                                                  {"Top", Twips(outer.top, screen.twips_y)}};
  std::vector<std::pair<std::string, std::string>> stored;
  for (const auto& [key, value] : values) {
    char text[64] = " ";
    char* const start = value < 0 ? text : text + 1;
    const auto end = std::to_chars(start, text + sizeof text, value, std::chars_format::fixed).ptr;
    stored.emplace_back(key, std::string(text, end));
  }
  return stored;
}

}  // namespace orbelle::host
