#include "host/windows/window_position.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "settings/profile_number.h"

namespace orbelle::windows {
namespace {

constexpr int kTwipsPerInch = 1440;

// Twips per pixel of the screen: 15 at 96 dots per inch.
float TwipsPerPixel() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi > 0 ? dpi : 96);
}

// Stored values far beyond any screen (up to the largest single) are cut before conversion.
int ToPixels(float twips) { return static_cast<int>(std::lround(std::clamp(twips, -1e9f, 1e9f) / TwipsPerPixel())); }
float ToTwips(int pixels) { return static_cast<float>(pixels) * TwipsPerPixel(); }

// The outer rectangle in pixels.
RECT Outer(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

void Place(HWND window, int left, int top, int width, int height) {
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// One key as the classic read gives it: the count of characters returned and the number at
// their start rounded to single (nothing when it overflows a single).
struct StoredValue {
  DWORD count;
  std::optional<float> value;
};

StoredValue Read(const char* file, const char* key) {
  char buffer[256];
  const DWORD count = GetPrivateProfileStringA("Size", key, "0", buffer, sizeof buffer, file);
  return {count, settings::RoundToSingle(settings::LeadingNumber(std::string_view(buffer, count)))};
}

bool Positive(const StoredValue& v) { return v.count > 0 && v.value && *v.value > 0; }

// The primary screen less its task bars, in pixels.
RECT WorkArea() {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

bool SizableBorder(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0; }

}  // namespace

void CentreWindow(HWND window) {
  const RECT r = Outer(window);
  const float screen_width = ToTwips(GetSystemMetrics(SM_CXSCREEN));
  const float screen_height = ToTwips(GetSystemMetrics(SM_CYSCREEN));
  const float width = ToTwips(r.right - r.left), height = ToTwips(r.bottom - r.top);
  Place(window, ToPixels(screen_width / 2 - width / 2), ToPixels(screen_height / 2 - height / 2), r.right - r.left,
        r.bottom - r.top);
}

void LoadWindowPosition(const char* file, HWND window) {
  const bool fixed = !SizableBorder(window);
  const RECT work = WorkArea();
  RECT r = Outer(window);
  int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;

  // A stored size larger than the work area is cut to it: a window of 32767 x 32767 pixels
  // would cost gigabytes and could not be handled by the user.
  if (const StoredValue h = Read(file, "Height"); !fixed && Positive(h))
    height = std::min<int>(ToPixels(*h.value), work.bottom - work.top);
  if (const StoredValue w = Read(file, "Width"); !fixed && Positive(w))
    width = std::min<int>(ToPixels(*w.value), work.right - work.left);
  Place(window, left, top, width, height);

  const StoredValue l = Read(file, "Left");
  if (l.count == 0) {
    CentreWindow(window);
    r = Outer(window);
    left = r.left;
    top = r.top;
  } else {
    if (Positive(l)) left = ToPixels(*l.value);
    Place(window, left, top, width, height);
    if (ToTwips(left) > ToTwips(GetSystemMetrics(SM_CXSCREEN)) - ToTwips(width)) {
      CentreWindow(window);
      return;
    }
  }
  if (const StoredValue t = Read(file, "Top"); Positive(t)) top = ToPixels(*t.value);
  // A place wholly outside the work area (say, below the screen) could not be reached by the
  // user: the window is centred instead.
  const RECT placed{left, top, left + width, top + height};
  RECT common{};
  if (!IntersectRect(&common, &placed, &work)) {
    CentreWindow(window);
    return;
  }
  Place(window, left, top, width, height);
}

void SaveWindowPosition(const char* file, HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  const RECT r = Outer(window);
  const std::pair<const char*, int> values[] = {
      {"Height", r.bottom - r.top}, {"Width", r.right - r.left}, {"Left", r.left}, {"Top", r.top}};
  for (const auto& [key, pixels] : values) {
    if (pixels < 0) continue;
    // The single's shortest decimal text with a leading blank, as BASIC's Str$ writes it.
    char text[32] = " ";
    const auto end = std::to_chars(text + 1, text + sizeof text - 1, ToTwips(pixels)).ptr;
    *end = '\0';
    WritePrivateProfileStringA("Size", key, text, file);
  }
}

}  // namespace orbelle::windows
