// What the angles table needs from a window to draw on: the operations of a classic desktop
// form's print surface. The text surface renders lines of text; each desktop host paints its
// window through one of its own. Text is UTF-8.
//
// Text goes to a print position; printing either stays on the line (the position moves to the
// end of the text) or ends it (the next line starts at the left edge, one line lower).
// Widths are in the surface's own units, the same units as SetX.
#pragma once

#include <string>

namespace orbelle::host {

// The sixteen-colour palette of classic desktop forms, as (red, green, blue).
struct PaletteColour {
  int red, green, blue;
};
PaletteColour PaletteEntry(int index);

// The font name that selects the zodiac-sign glyph font. In that font the characters of
// codes 94..105 are the signs Aries..Pisces (Unicode U+2648..U+2653).
inline constexpr const char* kSignFontName = "WingDings";

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // Clears everything drawn and puts the print position at the top left.
  virtual void Clear() = 0;
  // Sets the text colour to palette entry 0..15.
  virtual void SetColour(int palette_index) = 0;
  virtual std::string FontName() const = 0;
  virtual void SetFontName(const std::string& name) = 0;
  // Width of `text` in the current font.
  virtual float TextWidth(const std::string& text) const = 0;
  // Moves the print position to x on the current line.
  virtual void SetX(float x) = 0;
  // Prints at the print position; with end_line, the next print starts on a new line.
  virtual void Print(const std::string& text, bool end_line) = 0;
};

// Text of a sign-font character as it should be shown with a Unicode font: the zodiac
// symbols for codes 94..105; "∅" for code 93 (one before Aries: the DATE ERROR position -1)
// and "↻" for code 106 (one past Pisces: a longitude of exactly 360); U+FFFD for any other
// code.
std::string SignGlyphText(char32_t code);
// Text printed in the sign font as it should be shown with a Unicode font: SignGlyphText of
// each character.
std::string SignFontTextShown(const std::string& text);

}  // namespace orbelle::host
