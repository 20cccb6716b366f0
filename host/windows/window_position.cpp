#include "host/windows/window_position.h"

#include <algorithm>
#include <string_view>

#include "host/core/window_placement.h"

namespace orbelle::windows {
namespace {

using host::PixelRect;

constexpr int kTwipsPerInch = 1440;

// The primary screen in pixels, its work area (less the task bars) and twips per pixel: 15 at
// 96 dots per inch.
host::PlacementScreen Screen() {
  const HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  const float twips = static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi > 0 ? dpi : 96);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
          PixelRect{work.left, work.top, work.right - work.left, work.bottom - work.top}, twips, twips};
}

PixelRect Outer(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Place(HWND window, const PixelRect& r) {
  SetWindowPos(window, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

host::StoredValue Read(const char* file, const char* key) {
  char buffer[256];
  const DWORD count = GetPrivateProfileStringA("Size", key, host::kMissingPlacementValue, buffer, sizeof buffer, file);
  return host::ReadStoredValue(std::string_view(buffer, count));
}

bool SizableBorder(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0; }

}  // namespace

void CentreWindow(HWND window) { Place(window, host::Centred(Outer(window), Screen())); }

void LoadWindowPosition(const char* file, HWND window, SIZE designed) {
  const host::StoredPlacement stored{Read(file, "Height"), Read(file, "Width"), Read(file, "Left"), Read(file, "Top")};
  // The designed size shows the whole table; the system gives a sizable window no less than
  // its minimum tracking size either.
  const PixelRect smallest{0, 0, std::max<int>(designed.cx, GetSystemMetrics(SM_CXMINTRACK)),
                           std::max<int>(designed.cy, GetSystemMetrics(SM_CYMINTRACK))};
  Place(window, host::RestorePlacement(stored, Outer(window), SizableBorder(window), smallest, Screen()).outer);
}

void SaveWindowPosition(const char* file, HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  for (const auto& [key, text] : host::SavedPlacement(Outer(window), Screen()))
    WritePrivateProfileStringA("Size", key.c_str(), text.c_str(), file);
}

}  // namespace orbelle::windows
