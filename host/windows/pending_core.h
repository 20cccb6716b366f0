// Stand-in for the portable table core until it is merged: the drawing-surface interface
// (UTF-8 text) and a request printer that draws the request line only.
#pragma once

#include <stdexcept>
#include <string>

namespace orbelle::host {

struct PaletteColour {
  int red, green, blue;
};
inline PaletteColour PaletteEntry(int index) {
  static constexpr PaletteColour kPalette[16] = {
      {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
      {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
      {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
  return kPalette[index & 15];
}
inline constexpr const char* kSignFontName = "WingDings";
inline std::string SignGlyphText(int code) {
  static const char* kSigns[12] = {"♈", "♉", "♊", "♋", "♌", "♍", "♎", "♏", "♐", "♑", "♒", "♓"};
  if (code >= 94 && code <= 105) return kSigns[code - 94];
  return code == 93 ? "∅" : code == 106 ? "↻" : "\xEF\xBF\xBD";
}

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void Clear() = 0;
  virtual void SetColour(int palette_index) = 0;
  virtual std::string FontName() const = 0;
  virtual void SetFontName(const std::string& name) = 0;
  virtual float TextWidth(const std::string& text) const = 0;
  virtual void SetX(float x) = 0;
  virtual void Print(const std::string& text, bool end_line) = 0;
};

}  // namespace orbelle::host
