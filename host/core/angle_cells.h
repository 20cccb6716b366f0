// The two cells in which the table shows a longitude: the sign cell (degrees within the
// sign, the sign's glyph, minutes of arc) and the decimal cell (the whole longitude with two
// decimals).
#pragma once

#include <string>

#include "host/core/regional_conventions.h"

namespace orbelle::host {

// The three pieces of a sign cell: degrees within the sign, the sign font's character code
// (94 Aries .. 105 Pisces) and the two-digit minutes followed by a blank. Minutes that round
// to 60 carry into the degrees and the sign (29.9999 gives 0, Taurus, 00).
struct SignCellText {
  std::string degrees;
  int glyph_code = 0;
  std::string minutes;

  // The character printed in the sign font (U+FFFD for a code no character has).
  char32_t GlyphCharacter() const;
  // The cell as it reads with a Unicode font: degrees, zodiac symbol, minutes.
  std::string Shown() const;
};
SignCellText SignCell(float longitude);

// The longitude with two decimals and the regional decimal separator, then three blanks.
std::string DecimalCell(float longitude, const RegionalConventions& region);

}  // namespace orbelle::host
