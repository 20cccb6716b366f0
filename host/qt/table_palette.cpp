#include "host/qt/table_palette.h"

#include <cmath>
#include <string>

#include "host/core/drawing_surface.h"
#include "settings/profile_file.h"
#include "settings/profile_search.h"

namespace orbelle::host {
namespace {

constexpr double kContrastRatio = 7.0;
constexpr const char* kSection = "View";
constexpr const char* kKey = "Palette";

// Relative luminance of an sRGB colour (WCAG 2: the channels linearised, weighted 0.2126,
// 0.7152, 0.0722).
double Luminance(const QColor& c) {
  auto linear = [](int channel) {
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `colour` moved towards `end` (black or white) in 1/64 steps until it stands out from
// `background` by the contrast ratio.
QColor Contrasting(QColor colour, const QColor& end, const QColor& background) {
  const QColor start = colour;
  for (int step = 1; step <= 64 && Contrast(colour, background) < kContrastRatio; ++step) {
    const double t = step / 64.0;
    colour = QColor::fromRgbF(static_cast<float>(start.redF() + (end.redF() - start.redF()) * t),
                              static_cast<float>(start.greenF() + (end.greenF() - start.greenF()) * t),
                              static_cast<float>(start.blueF() + (end.blueF() - start.blueF()) * t));
  }
  return colour;
}

const char* StoredName(TablePalette palette) {
  switch (palette) {
    case TablePalette::kHighContrast: return "high-contrast";
    case TablePalette::kDark: return "dark";
    case TablePalette::kDesigned: break;
  }
  return "designed";
}

}  // namespace

QColor BackgroundOf(TablePalette palette) {
  switch (palette) {
    case TablePalette::kHighContrast: return QColor(255, 255, 255);
    case TablePalette::kDark: return QColor(24, 24, 24);
    case TablePalette::kDesigned: break;
  }
  return QColor(240, 240, 240);  // the classic button face
}

QColor ColourOf(TablePalette palette, int index) {
  const PaletteColour entry = PaletteEntry(index);
  const QColor designed(entry.red, entry.green, entry.blue);
  switch (palette) {
    case TablePalette::kHighContrast: return Contrasting(designed, Qt::black, BackgroundOf(palette));
    case TablePalette::kDark: return Contrasting(designed, Qt::white, BackgroundOf(palette));
    case TablePalette::kDesigned: break;
  }
  return designed;
}

QString MenuNameOf(TablePalette palette) {
  switch (palette) {
    case TablePalette::kHighContrast: return QStringLiteral("High contrast");
    case TablePalette::kDark: return QStringLiteral("Dark");
    case TablePalette::kDesigned: break;
  }
  return QStringLiteral("Designed colours");
}

TablePalette StoredPalette() {
  const std::filesystem::path file = settings::FindProfile(kViewSettingsFile);
  const std::string name = settings::GetPrivateProfileString(kSection, kKey, "", 64, file);
  for (const TablePalette palette : kTablePalettes) {
    if (name == StoredName(palette)) return palette;
  }
  return TablePalette::kDesigned;
}

bool StorePalette(TablePalette palette) {
  return settings::WritePrivateProfileString(kSection, kKey, StoredName(palette),
                                             settings::ProfilePath(kViewSettingsFile));
}

}  // namespace orbelle::host
