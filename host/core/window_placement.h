// The rules that restore and save the window's size and place in the position file (section
// "Size", keys "Height", "Width", "Left", "Top": the outer window in twips, 1/1440 inch). The
// hosts read and write the file and move the window; these functions decide what to apply
// and what to store, in screen pixels, the same way on every platform.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orbelle::host {

// The default text the hosts read each key with. No number starts with it, so a missing key
// (or file) applies nothing, while a stored "0" is a place at the screen's edge.
inline constexpr const char* kMissingPlacementValue = "-";

// One key as read into a 256-character buffer: the count of characters returned and the
// number at their start rounded to single (nothing when they start with no number or it
// overflows a single).
struct StoredValue {
  std::size_t count = 0;
  std::optional<float> value;
};

// The key's text as the read returned it.
StoredValue ReadStoredValue(std::string_view text);

struct StoredPlacement {
  StoredValue height, width, left, top;
};

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The screen in pixels, the part of it left free by panels and task bars, and its twips per
// pixel across and down (15 at 96 dots per inch).
struct PlacementScreen {
  int width = 0, height = 0;
  PixelRect available;
  double twips_x = 15, twips_y = 15;
};

struct RestoredPlacement {
  PixelRect outer;
  bool size_applied = false;   // "Height" or "Width" was applied
  bool place_applied = false;  // the window was moved or centred
};

// Applies "Height" and "Width" when above 0 and the border is sizable, cut to the available
// area and raised to `smallest` (the least outer size that shows the whole window); "Left"
// when it holds a number, then centres the window if it reaches beyond the right edge of the
// screen (and "Top" is not used); otherwise "Top" when it holds a number, and the window is
// centred if it ends up wholly outside the available area. Places at or past the left and top
// edges are applied as stored. A "Left" that is present but empty centres the window.
RestoredPlacement RestorePlacement(const StoredPlacement& stored, const PixelRect& outer, bool sizable,
                                   const PixelRect& smallest, const PlacementScreen& screen);

// The outer rectangle moved to the middle of the screen.
PixelRect Centred(const PixelRect& outer, const PlacementScreen& screen);

// The keys and texts to store for an outer rectangle: twips as BASIC's Str$ writes a single
// (a leading blank for a positive value, the sign for a negative one).
std::vector<std::pair<std::string, std::string>> SavedPlacement(const PixelRect& outer, const PlacementScreen& screen);

}  // namespace orbelle::host
