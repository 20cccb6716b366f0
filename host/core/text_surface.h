// A drawing surface that renders to lines of text, for the command line and the tests.
//
// Widths are terminal columns: one per character, two for the zodiac symbols (East Asian
// wide). A print position left of the end of what the line already holds prints right after
// it, so no text is overwritten. The colour of each printed piece is kept beside the text.
#pragma once

#include <string>
#include <vector>

#include "host/core/drawing_surface.h"

namespace orbelle::host {

class TextSurface : public DrawingSurface {
 public:
  // One printed piece: its text (sign-font characters already turned into symbols), its
  // colour and the column it starts at.
  struct Piece {
    std::string text;
    int colour = 0;
    int column = 0;
  };

  void Clear() override;
  void SetColour(int palette_index) override { colour_ = palette_index; }
  std::string FontName() const override { return font_; }
  void SetFontName(const std::string& name) override { font_ = name; }
  float TextWidth(const std::string& text) const override;
  void SetX(float x) override;
  void Print(const std::string& text, bool end_line) override;

  // Every line printed so far; the line in progress is included when not empty.
  std::vector<std::string> Lines() const;
  // The pieces of every line, in the same order as Lines().
  const std::vector<std::vector<Piece>>& Pieces() const { return pieces_; }
  int Colour() const { return colour_; }

 private:
  static int Columns(const std::string& text);

  std::string font_ = "Monospace";
  int colour_ = 0;
  int target_column_ = 0;
  std::vector<std::string> lines_{std::string()};
  std::vector<std::vector<Piece>> pieces_{{}};
};

}  // namespace orbelle::host
