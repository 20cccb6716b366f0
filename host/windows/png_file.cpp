#include "host/windows/png_file.h"

#include <gdiplus.h>

namespace orbelle::windows {

bool WritePng(HBITMAP bitmap, const std::wstring& path) {
  // The encoder's class identifier, which GDI+ lists as "image/png".
  constexpr CLSID kPngEncoder{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
  const Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool written = false;
  {
    Gdiplus::Bitmap image(bitmap, nullptr);
    written = image.Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return written;
}

}  // namespace orbelle::windows
