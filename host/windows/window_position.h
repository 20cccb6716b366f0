// The window's size and place between runs, in the position file "OrbelleAnglesPos.Ini",
// section "Size", keys "Height", "Width", "Left", "Top": the outer window in twips (1/1440
// inch) at the screen's dots per inch. The file is read and written with the system's
// private-profile functions; its bare name puts it in the Windows directory.
#pragma once

#include <windows.h>

namespace orbelle::windows {

inline constexpr const char* kPositionFile = "OrbelleAnglesPos.Ini";

// Restores size and place by the rules of host/core/window_placement.h, the size no smaller
// than the `designed` outer size (the least that shows the whole table).
void LoadWindowPosition(const char* file, HWND window, SIZE designed);

// Writes the four values of the normal (not minimised) window.
void SaveWindowPosition(const char* file, HWND window);

void CentreWindow(HWND window);

}  // namespace orbelle::windows
