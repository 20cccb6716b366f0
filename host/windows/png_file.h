// A bitmap written as a PNG file, through GDI+'s PNG encoder (present on every Windows since
// XP, and in wine).
#pragma once

#include <windows.h>

#include <string>

namespace orbelle::windows {

// Writes `bitmap` to `path`; false when it could not be written.
bool WritePng(HBITMAP bitmap, const std::wstring& path);

}  // namespace orbelle::windows
