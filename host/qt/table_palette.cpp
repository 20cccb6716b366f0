#include "host/qt/table_palette.h"

#include <string>

#include "settings/profile_file.h"
#include "settings/profile_search.h"

namespace orbelle::host {
namespace {

QColor Qt(const PaletteColour& c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

QColor BackgroundOf(TablePalette palette) { return Qt(PaletteBackground(palette)); }

QColor ColourOf(TablePalette palette, int index) { return Qt(PaletteColourOf(palette, index)); }

QString MenuNameOf(TablePalette palette) { return QString::fromLatin1(PaletteMenuName(palette)); }

TablePalette StoredPalette() {
  const std::filesystem::path file = settings::FindProfile(kViewSettingsFile);
  return PaletteNamed(settings::GetPrivateProfileString(kViewSection, kPaletteKey, "", 64, file));
}

bool StorePalette(TablePalette palette) {
  return settings::WritePrivateProfileString(kViewSection, kPaletteKey, PaletteStoredName(palette),
                                             settings::ProfilePath(kViewSettingsFile));
}

}  // namespace orbelle::host
