// Text put on the Windows clipboard as CF_UNICODETEXT.
#pragma once

#include <windows.h>

#include <string>

namespace orbelle::windows {

// Replaces the clipboard's contents by `text`, owned by `owner`; false when the clipboard
// could not be opened or the memory not had.
bool PutOnClipboard(HWND owner, const std::wstring& text);

}  // namespace orbelle::windows
