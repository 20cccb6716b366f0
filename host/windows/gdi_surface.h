// The angles table's drawing surface on Windows: a GDI memory bitmap that keeps what was
// printed (as a classic form with a persistent image does), copied to the window when it
// paints. Widths and positions are in pixels.
//
// The table's font is "MS Sans Serif" at 9.75 points, drawn from its TrueType version
// "Microsoft Sans Serif" (same design and widths) where present: Windows keeps "MS Sans
// Serif" as a bitmap font, which is never smoothed. Text is anti-aliased. The signs: the
// Unicode zodiac symbols U+2648..U+2653 from "Segoe UI Symbol" where that font really holds
// them (Windows 7 and later); else Wingdings where it really holds the zodiac glyphs at codes
// 94..105; else the Unicode symbols in DejaVu Sans (under wine, which maps "Wingdings" to a
// text font).
#pragma once

#include <windows.h>

#include <string>

#include "host/core/drawing_surface.h"
#include "host/core/table_palette.h"

namespace orbelle::windows {

inline constexpr const wchar_t* kTableFontFace = L"MS Sans Serif";
inline constexpr int kTableFontCentipoints = 975;

class GdiSurface : public host::DrawingSurface {
 public:
  // A bitmap of width x height pixels in the background of `palette`; fonts are sized for
  // `dots_per_inch`.
  GdiSurface(int width, int height, int dots_per_inch, host::TablePalette palette = host::TablePalette::kDesigned);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  void Clear() override;
  void SetColour(int palette_index) override;
  std::string FontName() const override;
  void SetFontName(const std::string& name) override;
  float TextWidth(const std::string& text) const override;
  void SetX(float x) override;
  void Print(const std::string& text, bool end_line) override;

  HDC Dc() const { return dc_; }
  host::TablePalette Palette() const { return palette_; }
  // The palette's background: white for the designed colours, as this window always drew them.
  host::PaletteColour Background() const;
  int DotsPerInch() const { return dots_per_inch_; }
  // The face that draws the table's text.
  const std::wstring& TextFace() const { return text_face_; }
  int LineHeight() const { return line_height_; }
  // The face that draws the sign glyphs, and whether it is Wingdings with its own codes.
  const std::wstring& SignFace() const { return sign_face_; }
  bool SignsFromWingdings() const { return signs_from_wingdings_; }

 private:
  bool InSignFont() const;
  // Whether the font selected has no glyph for a character of `shown`.
  bool CurrentFontLacks(const std::wstring& shown) const;
  std::wstring Shown(const std::string& text) const;
  void ChooseSignFont(int height);

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  HFONT table_font_ = nullptr;
  HFONT sign_font_ = nullptr;
  HFONT other_font_ = nullptr;  // a font the table named that is neither of the two
  std::wstring text_face_;
  std::wstring sign_face_;
  bool signs_from_wingdings_ = false;
  int width_, height_, dots_per_inch_;
  host::TablePalette palette_;
  int line_height_ = 0;
  std::string font_name_;
  float x_ = 0;
  int y_ = 0;
};

}  // namespace orbelle::windows
