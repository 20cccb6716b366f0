// The dots per inch a window is drawn at. The program declares per-monitor DPI awareness in
// its manifest, so Windows does not stretch its window: the window scales itself to the DPI
// of the monitor it is on (96 at 100 %, 144 at 150 %).
#pragma once

#include <windows.h>

namespace orbelle::windows {

inline constexpr int kDefaultDotsPerInch = 96;

// The window's own DPI (GetDpiForWindow, Windows 10 1607 and later); otherwise, and for no
// window, the screen's.
int WindowDotsPerInch(HWND window);

}  // namespace orbelle::windows
