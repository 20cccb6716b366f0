#include "host/windows/clipboard_text.h"

#include <cstring>

namespace orbelle::windows {

bool PutOnClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it now
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

}  // namespace orbelle::windows
