// The window's palettes (host/core/table_palette.h) as Qt colours, and the palette the user
// chose, remembered in a profile file of the program's own.
#pragma once

#include <QColor>
#include <QString>

#include "host/core/table_palette.h"

namespace orbelle::host {

QColor BackgroundOf(TablePalette palette);
// Palette entry `index` (0..15) as drawn in `palette` (PaletteColourOf).
QColor ColourOf(TablePalette palette, int index);
// The palette's name in the menu.
QString MenuNameOf(TablePalette palette);

// The palette stored in the view file (the first found by the profile search), the designed
// one when there is none or it names none.
TablePalette StoredPalette();
// Writes the palette to the view file in the user's profile directory; false when it could not.
bool StorePalette(TablePalette palette);

}  // namespace orbelle::host
