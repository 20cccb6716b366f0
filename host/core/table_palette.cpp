#include "host/core/table_palette.h"

#include <algorithm>
#include <cmath>

namespace orbelle::host {
namespace {

constexpr double kContrastRatio = 7.0;

// Relative luminance of an sRGB colour (WCAG 2: the channels linearised, weighted 0.2126,
// 0.7152, 0.0722).
double Luminance(const PaletteColour& c) {
  auto linear = [](int channel) {
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

double Contrast(const PaletteColour& a, const PaletteColour& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `start` moved towards `end` (black or white) in 1/64 steps until it stands out from
// `background` by the contrast ratio.
PaletteColour Contrasting(const PaletteColour& start, const PaletteColour& end, const PaletteColour& background) {
  PaletteColour colour = start;
  for (int step = 1; step <= 64 && Contrast(colour, background) < kContrastRatio; ++step) {
    const double t = step / 64.0;
    auto mix = [t](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * t)); };
    colour = {mix(start.red, end.red), mix(start.green, end.green), mix(start.blue, end.blue)};
  }
  return colour;
}

}  // namespace

PaletteColour PaletteBackground(TablePalette palette) {
  switch (palette) {
    case TablePalette::kHighContrast: return {255, 255, 255};
    case TablePalette::kDark: return {24, 24, 24};
    case TablePalette::kDesigned: break;
  }
  return {240, 240, 240};  // the classic button face
}

PaletteColour PaletteColourOf(TablePalette palette, int index) {
  const PaletteColour designed = PaletteEntry(index);
  switch (palette) {
    case TablePalette::kHighContrast: return Contrasting(designed, {0, 0, 0}, PaletteBackground(palette));
    case TablePalette::kDark: return Contrasting(designed, {255, 255, 255}, PaletteBackground(palette));
    case TablePalette::kDesigned: break;
  }
  return designed;
}

PaletteColour PaletteStatusColour(TablePalette palette) {
  return palette == TablePalette::kDark ? PaletteColour{255, 156, 156} : PaletteColour{128, 0, 0};
}

namespace {

// Each palette's name in the menu and in the view settings file.
struct PaletteNames {
  const char* menu;
  const char* stored;
};

PaletteNames NamesOf(TablePalette palette) {
  switch (palette) {
    case TablePalette::kHighContrast: return {"High contrast", "high-contrast"};
    case TablePalette::kDark: return {"Dark", "dark"};
    case TablePalette::kDesigned: break;
  }
  return {"Designed colours", "designed"};
}

}  // namespace

const char* PaletteMenuName(TablePalette palette) { return NamesOf(palette).menu; }

const char* PaletteStoredName(TablePalette palette) { return NamesOf(palette).stored; }

TablePalette PaletteNamed(std::string_view name) {
  for (const TablePalette palette : kTablePalettes) {
    if (name == PaletteStoredName(palette)) return palette;
  }
  return TablePalette::kDesigned;
}

}  // namespace orbelle::host
