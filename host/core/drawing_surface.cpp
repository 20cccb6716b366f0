#include "host/core/drawing_surface.h"

#include <array>

#include "host/core/utf8.h"

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

std::string SignGlyphText(char32_t code) {
  constexpr char32_t kAries = 94, kPisces = 105;
  if (code >= kAries && code <= kPisces) return Utf8(0x2648 + (code - kAries));
  if (code == kAries - 1) return "\u2205";
  if (code == kPisces + 1) return "\u21BB";
  return Utf8(kReplacementCharacter);
}

std::string SignFontTextShown(const std::string& text) {
  std::string shown;
  for (std::size_t pos = 0; pos < text.size();) shown += SignGlyphText(NextCodePoint(text, pos));
  return shown;
}

}  // namespace orbelle::host
