// The window "Planets Position" in Win32: the angles table on a persistent GDI image, the
// request box DDEFTGT at the bottom left and, beside it, why the last request drew no table.
//
// Loading the form (Form_Load) applies the duplicate-instance rule, sets the caption, makes
// the window top-most and restores its size and place; closing it (Form_Unload) saves them,
// and so does the end of the session (log-off, shutdown).
// The form object outlives its window: using it after the window was closed loads it again.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/windows/gdi_surface.h"

namespace orbelle::windows {

inline constexpr const wchar_t* kWindowCaption = L"Planets Position";
inline constexpr const wchar_t* kWindowClass = L"OrbelleAngles.Quilan";
inline constexpr const wchar_t* kApplicationTitle = L"OrbelleAngles";

// Why a request drew no table: a text that holds no date, or a fault of the calculation.
struct RequestProblem {
  std::string description;
  bool unreadable_request = false;
};

class QuilanForm {
 public:
  // Draws the table for a request text (UTF-8) on the surface; throws when it cannot.
  using PrintAngles = std::function<void(const std::string& request, host::DrawingSurface& surface)>;

  QuilanForm(HINSTANCE instance, PrintAngles print_angles);
  ~QuilanForm();

  bool Loaded() const { return window_ != nullptr; }
  // Form_Load when the window does not exist yet. A second running copy of the program
  // restores the earlier window and ends this process here.
  void Load();
  // Loads the form when needed and shows the window (restored when minimised).
  void Show();
  bool Visible() const { return window_ && IsWindowVisible(window_); }
  HWND Handle() const { return window_; }

  // Puts `text` into the request box (loading the form when needed, without showing it) and
  // redraws the table at once. Returns why no table could be drawn; the earlier table then
  // stays.
  std::optional<RequestProblem> SetRequest(const std::wstring& text);

  // Called by the load step (to fill the table's rows), after the window was shown and when
  // it has been closed.
  std::function<void()> on_load, on_shown, on_closed;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  std::optional<RequestProblem> RequestChanged();
  void LayOut();
  // The surface and the request box's font at `dots_per_inch`.
  void ScaleTo(int dots_per_inch);
  int Margin() const;
  void ApplyDuplicateInstanceRule();

  HINSTANCE instance_;
  PrintAngles print_angles_;
  HWND window_ = nullptr;
  HWND request_box_ = nullptr;
  HWND status_ = nullptr;
  HFONT box_font_ = nullptr;
  HANDLE instance_mutex_ = nullptr;
  std::unique_ptr<GdiSurface> surface_;
  bool setting_request_ = false;
  bool shown_ = false;
};

}  // namespace orbelle::windows
