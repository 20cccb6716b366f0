// The window's palettes: the designed colours (the default), a high-contrast one (the same
// hues, darkened on white) and a dark one (the same hues, lightened on near black), and the
// palette the user chose, remembered in a profile file of the program's own.
#pragma once

#include <QColor>
#include <QString>
#include <array>

namespace orbelle::host {

enum class TablePalette { kDesigned, kHighContrast, kDark };
inline constexpr std::array<TablePalette, 3> kTablePalettes = {TablePalette::kDesigned, TablePalette::kHighContrast,
                                                               TablePalette::kDark};

// The file, in the user's profile directory, that holds [View] Palette=designed|high-contrast|dark.
inline constexpr const char* kViewSettingsFile = "OrbelleAnglesView.Ini";

QColor BackgroundOf(TablePalette palette);
// Palette entry `index` (0..15) of the designed colours as drawn in `palette`: in the high
// contrast and the dark palette, the colour darkened towards black or lightened towards
// white just enough for a contrast of 7:1 with the background (WCAG 2 contrast ratio).
QColor ColourOf(TablePalette palette, int index);
// The palette's name in the menu.
QString MenuNameOf(TablePalette palette);

// The palette stored in the view file (the first found by the profile search), the designed
// one when there is none or it names none.
TablePalette StoredPalette();
// Writes the palette to the view file in the user's profile directory; false when it could not.
bool StorePalette(TablePalette palette);

}  // namespace orbelle::host
