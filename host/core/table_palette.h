// The window's palettes: the designed colours (the default), a high-contrast one (the same
// hues, darkened on white) and a dark one (the same hues, lightened on near black), with the
// names under which the chosen one is remembered.
#pragma once

#include <array>
#include <string_view>

#include "host/core/drawing_surface.h"

namespace orbelle::host {

enum class TablePalette { kDesigned, kHighContrast, kDark };
inline constexpr std::array<TablePalette, 3> kTablePalettes = {TablePalette::kDesigned, TablePalette::kHighContrast,
                                                               TablePalette::kDark};

// The file, in the user's profile directory, that holds [View] Palette=designed|high-contrast|dark.
inline constexpr const char* kViewSettingsFile = "OrbelleAnglesView.Ini";
inline constexpr const char* kViewSection = "View";
inline constexpr const char* kPaletteKey = "Palette";

PaletteColour PaletteBackground(TablePalette palette);
// Palette entry `index` (0..15) of the designed colours as drawn in `palette`: in the high
// contrast and the dark palette, the colour darkened towards black or lightened towards
// white just enough for a contrast of 7:1 with the background (WCAG 2 contrast ratio).
PaletteColour PaletteColourOf(TablePalette palette, int index);
// The status line's text colour in `palette`.
PaletteColour PaletteStatusColour(TablePalette palette);
// The palette's name in the menu.
const char* PaletteMenuName(TablePalette palette);
// The palette's name in the view file, and the palette of such a name (the designed one for
// any other text).
const char* PaletteStoredName(TablePalette palette);
TablePalette PaletteNamed(std::string_view name);

}  // namespace orbelle::host
