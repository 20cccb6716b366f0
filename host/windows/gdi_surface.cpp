#include "host/windows/gdi_surface.h"

#include <cmath>
#include <cwctype>
#include <vector>

#include "host/windows/wide_text.h"

namespace orbelle::windows {
namespace {

constexpr int kFirstSignCode = 94;  // Aries in Wingdings; Pisces is 105
constexpr int kSignCount = 12;
constexpr const wchar_t* kTrueTypeTableFontFace = L"Microsoft Sans Serif";

bool SameFace(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

HFONT MakeFont(const wchar_t* face, int height, int weight = FW_NORMAL) {
  return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

// Whether `font` is really the face asked for (not a substitute) and has a glyph for every
// character of `codes`. Symbol fonts such as Wingdings keep their glyphs at U+F000 + code.
bool FontHolds(HDC dc, HFONT font, const std::wstring& face, const std::wstring& codes) {
  const HGDIOBJ old = SelectObject(dc, font);
  wchar_t actual[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, actual);
  bool holds = SameFace(actual, face);
  for (const std::wstring& candidate : {codes, std::wstring()}) {
    std::wstring text = candidate;
    if (text.empty())
      for (wchar_t c : codes) text += static_cast<wchar_t>(0xF000 + c);
    std::vector<WORD> glyphs(text.size());
    const bool found = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                        GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR;
    bool all = found;
    for (WORD g : glyphs) all = all && g != 0xFFFF;
    if (all) break;
    if (candidate.empty()) holds = false;
  }
  SelectObject(dc, old);
  return holds;
}

}  // namespace

GdiSurface::GdiSurface(int width, int height, int dots_per_inch, host::TablePalette palette)
    : width_(width), height_(height), dots_per_inch_(dots_per_inch), palette_(palette) {
  dc_ = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  old_bitmap_ = SelectObject(dc_, bitmap_);
  SetBkMode(dc_, TRANSPARENT);

  const int font_height = MulDiv(kTableFontCentipoints, dots_per_inch, 7200);
  text_face_ = kTableFontFace;
  table_font_ = MakeFont(kTrueTypeTableFontFace, font_height);
  if (FontHolds(dc_, table_font_, kTrueTypeTableFontFace, L"0")) {
    text_face_ = kTrueTypeTableFontFace;
  } else {
    DeleteObject(table_font_);
    table_font_ = MakeFont(kTableFontFace, font_height);
  }
  ChooseSignFont(font_height);
  font_name_ = Narrow(kTableFontFace);
  SelectObject(dc_, table_font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  line_height_ = metrics.tmHeight + metrics.tmExternalLeading;
  Clear();
}

GdiSurface::~GdiSurface() {
  SelectObject(dc_, old_bitmap_);
  DeleteObject(bitmap_);
  for (HFONT font : {table_font_, sign_font_, other_font_})
    if (font) DeleteObject(font);
  DeleteDC(dc_);
}

void GdiSurface::ChooseSignFont(int height) {
  std::wstring zodiac, wingdings_codes;
  for (int k = 0; k < kSignCount; ++k) {
    zodiac += static_cast<wchar_t>(0x2648 + k);
    wingdings_codes += static_cast<wchar_t>(kFirstSignCode + k);
  }
  const struct {
    const wchar_t* face;
    const std::wstring& codes;
  } candidates[] = {{L"Segoe UI Symbol", zodiac}, {L"Wingdings", wingdings_codes}, {L"DejaVu Sans", zodiac}};
  for (const auto& candidate : candidates) {
    sign_font_ = MakeFont(candidate.face, height);
    if (FontHolds(dc_, sign_font_, candidate.face, candidate.codes)) {
      sign_face_ = candidate.face;
      signs_from_wingdings_ = &candidate.codes == &wingdings_codes;
      return;
    }
    DeleteObject(sign_font_);
  }
  sign_font_ = MakeFont(kTableFontFace, height);  // no better choice: the table's own font
  sign_face_ = kTableFontFace;
}

host::PaletteColour GdiSurface::Background() const {
  return palette_ == host::TablePalette::kDesigned ? host::PaletteColour{255, 255, 255}
                                                   : host::PaletteBackground(palette_);
}

void GdiSurface::Clear() {
  const RECT all{0, 0, width_, height_};
  const host::PaletteColour c = Background();
  const HBRUSH background = CreateSolidBrush(RGB(c.red, c.green, c.blue));
  FillRect(dc_, &all, background);
  DeleteObject(background);
  x_ = 0;
  y_ = 0;
}

void GdiSurface::SetColour(int palette_index) {
  const host::PaletteColour c = host::PaletteColourOf(palette_, palette_index);
  SetTextColor(dc_, RGB(c.red, c.green, c.blue));
}

std::string GdiSurface::FontName() const { return font_name_; }

bool GdiSurface::InSignFont() const { return SameFace(Widen(font_name_), Widen(host::kSignFontName)); }

void GdiSurface::SetFontName(const std::string& name) {
  font_name_ = name;
  HFONT font = table_font_;
  if (InSignFont()) {
    font = sign_font_;
  } else if (!SameFace(Widen(name), kTableFontFace)) {
    if (other_font_) DeleteObject(other_font_);
    other_font_ = MakeFont(Widen(name).c_str(), MulDiv(kTableFontCentipoints, dots_per_inch_, 7200));
    font = other_font_;
  }
  SelectObject(dc_, font);
}

// In the sign font a character code stands for a zodiac glyph: Wingdings draws the code
// itself; a Unicode font draws the symbol the code stands for.
std::wstring GdiSurface::Shown(const std::string& text) const {
  return Widen(InSignFont() && !signs_from_wingdings_ ? host::SignFontTextShown(text) : text);
}

float GdiSurface::TextWidth(const std::string& text) const {
  const std::wstring shown = Shown(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
  return static_cast<float>(size.cx);
}

void GdiSurface::SetX(float x) { x_ = x; }

bool GdiSurface::CurrentFontLacks(const std::wstring& shown) const {
  std::vector<WORD> glyphs(shown.size());
  if (GetGlyphIndicesW(dc_, shown.c_str(), static_cast<int>(shown.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return false;
  for (WORD g : glyphs)
    if (g == 0xFFFF) return true;
  return false;
}

void GdiSurface::Print(const std::string& text, bool end_line) {
  const std::wstring shown = Shown(text);
  // GDI draws a missing glyph as a box: a symbol the table's font lacks (the retrograde mark ℞
  // in "Microsoft Sans Serif") comes from the sign font, which holds it.
  const HGDIOBJ table_font = !InSignFont() && CurrentFontLacks(shown) ? SelectObject(dc_, sign_font_) : nullptr;
  TextOutW(dc_, static_cast<int>(std::lround(x_)), y_, shown.c_str(), static_cast<int>(shown.size()));
  if (end_line) {
    x_ = 0;
    y_ += line_height_;
  } else {
    SIZE size{};
    GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
    x_ += static_cast<float>(size.cx);
  }
  if (table_font) SelectObject(dc_, table_font);
}

}  // namespace orbelle::windows
