#include "host/drawing_surface.h"

#include <array>

namespace orbelle::host {

PaletteColour PaletteEntry(int index) {
  static constexpr std::array<PaletteColour, 16> kPalette = {{{0, 0, 0},
                                                              {0, 0, 128},
                                                              {0, 128, 0},
                                                              {0, 128, 128},
                                                              {128, 0, 0},
                                                              {128, 0, 128},
                                                              {128, 128, 0},
                                                              {192, 192, 192},
                                                              {128, 128, 128},
                                                              {0, 0, 255},
                                                              {0, 255, 0},
                                                              {0, 255, 255},
                                                              {255, 0, 0},
                                                              {255, 0, 255},
                                                              {255, 255, 0},
                                                              {255, 255, 255}}};
  return kPalette[static_cast<std::size_t>(index & 15)];
}

QString SignGlyphText(int code) {
  constexpr int kAries = 94, kPisces = 105;
  if (code >= kAries && code <= kPisces) return QString(QChar(char16_t(0x2648 + (code - kAries))));
  if (code == kAries - 1) return QStringLiteral("\u2205");
  if (code == kPisces + 1) return QStringLiteral("\u21BB");
  return QString(QChar(char16_t(0xFFFD)));
}

}  // namespace orbelle::host
