// The window's size and place between runs, in the position file "OrbelleAnglesPos.Ini":
// section "Size", keys "Height", "Width", "Left" and "Top", all in twips (1/1440 inch) of
// the outer window, converted with the screen's logical dots per inch.
#pragma once

#include <QWidget>
#include <filesystem>

namespace orbelle::host {

inline constexpr const char* kWindowPositionFile = "OrbelleAnglesPos.Ini";

// Restores size and place by the rules of host/core/window_placement.h, the size no smaller
// than the form's minimum size (an outer size restored before the window manager has framed
// the window is kept once it has). Anything unreadable is skipped.
void LoadWindowPosition(const std::filesystem::path& file, QWidget& form);

// Writes "Height", "Width", "Left" and "Top" of the normal (restored) window, all in one
// replacement of the file.
void SaveWindowPosition(const std::filesystem::path& file, QWidget& form);

// Places the window in the middle of the screen.
void CentreWindow(QWidget& form);

}  // namespace orbelle::host
