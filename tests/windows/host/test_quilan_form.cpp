// The window in this process, without COM: what it does when Windows tells it that its monitor
// has another scale (moved to another monitor, or the scale changed in the settings). Needs a
// display.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/windows/gdi_surface.h"
#include "host/windows/quilan_form.h"

namespace orbelle::windows {
namespace {

int BoxFontHeight(HWND window) {
  const auto font =
      reinterpret_cast<HFONT>(SendMessageW(FindWindowExW(window, nullptr, L"EDIT", nullptr), WM_GETFONT, 0, 0));
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description.lfHeight;
}

TEST(QuilanForm, ScaleChangeRedrawsAtTheNewDpiAndTakesTheSuggestedPlace) {
  int printed_at_dpi = 0;
  QuilanForm form(GetModuleHandleW(nullptr), [&](const std::string&, host::DrawingSurface& surface) {
    printed_at_dpi = static_cast<GdiSurface&>(surface).DotsPerInch();
  });
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  ASSERT_EQ(printed_at_dpi, 96) << "the test expects a screen of 96 dots per inch";
  const HWND window = form.Handle();
  const int box_font_at_96 = BoxFontHeight(window);

  RECT before{};
  GetWindowRect(window, &before);
  RECT suggested{before.left + 10, before.top + 20, before.left + 10 + (before.right - before.left) * 3 / 2,
                 before.top + 20 + (before.bottom - before.top) * 3 / 2};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&after, &suggested));
  EXPECT_EQ(printed_at_dpi, 144) << "the table was not drawn again at the new scale";
  // The request box's 8.25 points: 11 pixels at 96 dots per inch, 16.5 at 144.
  EXPECT_EQ(box_font_at_96, -11);
  EXPECT_EQ(BoxFontHeight(window), -17) << "the request box keeps its font";
}

}  // namespace
}  // namespace orbelle::windows
