#include "host/windows/quilan_form.h"

#include <algorithm>
#include <exception>

#include "host/core/request_text.h"
#include "host/windows/wide_text.h"
#include "host/windows/window_dpi.h"
#include "host/windows/window_position.h"

namespace orbelle::windows {
namespace {

constexpr int kMarginAt96Dpi = 6;     // pixels at 96 dots per inch
constexpr int kBoxCentipoints = 825;  // the request box: "MS Sans Serif", 8.25 points, bold
constexpr int kBoxCharacters = 24;
constexpr int kTableLines = 14;  // request, blank line, header, eleven rows
constexpr UINT_PTR kRequestBoxId = 1;
constexpr UINT_PTR kStatusId = 2;
constexpr COLORREF kStatusColour = RGB(128, 0, 0);
// Held by the first running copy; a second copy finds it taken.
constexpr const wchar_t* kInstanceMutex = L"Local\\OrbelleAngles.Quilan.Instance";

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

QuilanForm::QuilanForm(HINSTANCE instance, PrintAngles print_angles)
    : instance_(instance), print_angles_(std::move(print_angles)) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  // The program's icon (resource 1), in the caption and the task bar at their sizes.
  window_class.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(
      instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);
}

QuilanForm::~QuilanForm() {
  if (window_) DestroyWindow(window_);
  if (box_font_) DeleteObject(box_font_);
  if (instance_mutex_) CloseHandle(instance_mutex_);
}

void QuilanForm::ApplyDuplicateInstanceRule() {
  if (!instance_mutex_) instance_mutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutex);
  if (!instance_mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) return;
  // Another copy runs: bring its window back (the window menu's Restore) and end this one.
  if (const HWND earlier = FindWindowW(kWindowClass, kWindowCaption)) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(earlier, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    SetForegroundWindow(earlier);
  }
  ExitProcess(0);
}

int QuilanForm::Margin() const { return MulDiv(kMarginAt96Dpi, surface_->DotsPerInch(), kDefaultDotsPerInch); }

void QuilanForm::ScaleTo(int dots_per_inch) {
  surface_ = std::make_unique<GdiSurface>(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), dots_per_inch);
  const HFONT old_font = box_font_;
  box_font_ = CreateFontW(-MulDiv(kBoxCentipoints, dots_per_inch, 7200), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                          surface_->TextFace().c_str());
  for (HWND child : {request_box_, status_})
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(box_font_), TRUE);
  if (old_font) DeleteObject(old_font);
}

void QuilanForm::Load() {
  if (window_) return;
  if (!surface_) ScaleTo(WindowDotsPerInch(nullptr));
  // The designed size: the table's columns and lines, then the request box.
  GdiSurface& s = *surface_;
  const int margin = Margin();
  const float table_width = s.TextWidth("NORTH TRUE N") + 2 * s.TextWidth("0000000") + s.TextWidth("  00000000000") +
                            s.TextWidth("000.00   ");
  const int box_height = s.LineHeight() + 2 * margin;
  RECT outer{0, 0, static_cast<LONG>(table_width) + 2 * margin, kTableLines * s.LineHeight() + box_height + 3 * margin};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&outer, style, FALSE, 0);

  // No caption yet, so that a second copy cannot take this window for the earlier one.
  window_ = CreateWindowExW(0, kWindowClass, L"", style, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                            nullptr, nullptr, instance_, this);
  if (!window_) return;
  request_box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(kRequestBoxId), instance_, nullptr);
  status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0, 0, 0, 0,
                            window_, reinterpret_cast<HMENU>(kStatusId), instance_, nullptr);
  for (HWND child : {request_box_, status_}) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(box_font_), 0);
  LayOut();
  CentreWindow(window_);

  ApplyDuplicateInstanceRule();
  SetWindowTextW(window_, kWindowCaption);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  if (on_load) on_load();
  LoadWindowPosition(kPositionFile, window_, SIZE{outer.right - outer.left, outer.bottom - outer.top});
}

void QuilanForm::Show() {
  Load();
  if (!window_) return;
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  UpdateWindow(window_);
  if (!shown_) {
    shown_ = true;
    if (on_shown) on_shown();
  }
}

std::optional<RequestProblem> QuilanForm::SetRequest(const std::wstring& text) {
  Load();
  if (!window_) return RequestProblem{"the window could not be created"};
  // The box's change handler, run here for every assignment (also of the same text twice).
  setting_request_ = true;
  SetWindowTextW(request_box_, text.c_str());
  setting_request_ = false;
  return RequestChanged();
}

std::optional<RequestProblem> QuilanForm::RequestChanged() {
  std::optional<RequestProblem> problem;
  try {
    print_angles_(Narrow(WindowText(request_box_)), *surface_);
  } catch (const host::RequestError& e) {
    problem = RequestProblem{e.what(), true};
  } catch (const std::exception& e) {
    problem = RequestProblem{e.what()};
  }
  SetWindowTextW(status_, problem ? Widen(problem->description).c_str() : L"");
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);  // paints before the caller returns
  return problem;
}

void QuilanForm::LayOut() {
  RECT client{};
  GetClientRect(window_, &client);
  const int margin = Margin();
  const int box_height = surface_->LineHeight() + 2 * margin;
  const int box_width = static_cast<int>(surface_->TextWidth(std::string(kBoxCharacters, '0')));
  const int top = std::max(0, static_cast<int>(client.bottom) - box_height - margin);
  MoveWindow(request_box_, margin, top, box_width, box_height, TRUE);
  MoveWindow(status_, 2 * margin + box_width, top, std::max(0, static_cast<int>(client.right) - 3 * margin - box_width),
             box_height, TRUE);
}

LRESULT CALLBACK QuilanForm::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  }
  auto* form = reinterpret_cast<QuilanForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form || !form->window_) return DefWindowProcW(window, message, w, l);
  return form->Handle(message, w, l);
}

LRESULT QuilanForm::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(w) == EN_CHANGE && reinterpret_cast<HWND>(l) == request_box_ && !setting_request_) RequestChanged();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) == status_) {
        SetTextColor(reinterpret_cast<HDC>(w), kStatusColour);
        SetBkColor(reinterpret_cast<HDC>(w), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      break;
    case WM_SIZE: LayOut(); return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale (or the scale changed): fonts and table at the new
      // DPI, the window at the size Windows suggests for it.
      ScaleTo(HIWORD(w));
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (GetWindowTextLengthW(request_box_) > 0) RequestChanged();
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the image covers the whole client area
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      const RECT& r = paint.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, surface_->Dc(), r.left, r.top, SRCCOPY);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_CLOSE:  // Form_Unload
      SaveWindowPosition(kPositionFile, window_);
      DestroyWindow(window_);
      return 0;
    case WM_ENDSESSION:
      // Log-off or shutdown: the process ends after this without WM_CLOSE, so the place is
      // kept here as on close.
      if (w) SaveWindowPosition(kPositionFile, window_);
      return 0;
    case WM_DESTROY: {
      window_ = request_box_ = status_ = nullptr;
      const bool was_shown = shown_;
      shown_ = false;
      if (was_shown && on_closed) on_closed();
      return 0;
    }
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace orbelle::windows
