// The window's size and place between runs, in the position file "OrbelleAnglesPos.Ini":
// section "Size", keys "Height", "Width", "Left" and "Top", all in twips (1/1440 inch) of
// the outer window, converted with the screen's logical dots per inch.
#pragma once

#include <QWidget>
#include <filesystem>

namespace orbelle::host {

inline constexpr const char* kWindowPositionFile = "OrbelleAnglesPos.Ini";

// Restores size and place: "Height" and "Width" when above 0 and the border is sizable (cut
// to the available screen area; an outer size restored before the window manager has framed
// the window is kept once it has), "Left" when above 0, then the window is centred if it
// reaches beyond the right edge of the screen (and "Top" is not read); otherwise "Top" when
// above 0, and the window is centred if that puts it wholly below the screen. A "Left" that
// is present but empty centres the window. Anything unreadable is skipped.
void LoadWindowPosition(const std::filesystem::path& file, QWidget& form);

// Writes "Height", "Width", "Left" and "Top" of the normal (restored) window, all in one
// replacement of the file; a negative value is not written and the value stored before stays.
void SaveWindowPosition(const std::filesystem::path& file, QWidget& form);

// Places the window in the middle of the screen.
void CentreWindow(QWidget& form);

}  // namespace orbelle::host
