#include "host/windows/quilan_form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <exception>

#include "ephemeris/engine_error.h"
#include "host/core/request_text.h"
#include "host/core/row_details.h"
#include "host/core/table_export.h"
#include "host/core/table_palette.h"
#include "host/core/terrestrial_time.h"
#include "host/windows/clipboard_text.h"
#include "host/windows/png_file.h"
#include "host/windows/request_for_now.h"
#include "host/windows/wide_text.h"
#include "host/windows/window_dpi.h"
#include "host/windows/window_position.h"

namespace orbelle::windows {
namespace {

constexpr int kMarginAt96Dpi = 6;     // pixels at 96 dots per inch
constexpr int kBoxCentipoints = 825;  // the request box: "MS Sans Serif", 8.25 points, bold
constexpr int kBoxCharacters = 24;
constexpr int kTableLines = 14;       // request, blank line, header, eleven rows
constexpr int kLinesBeforeRows = 3;   // request, blank line, header
constexpr int kLongestRequest = 256;  // characters; a date and a time need a few dozen
constexpr UINT_PTR kRequestBoxId = 1;
constexpr UINT_PTR kStatusId = 2;
constexpr UINT_PTR kTypingTimer = 1;
constexpr UINT_PTR kLiveTimer = 2;
constexpr UINT_PTR kFirstRowTool = 10;  // the rows' tool tips, one tool a row
// Control characters as the request box receives them from TranslateMessage.
constexpr WPARAM kCtrlC = 0x03, kCtrlN = 0x0E;
// Held by the first running copy; a second copy finds it taken.
constexpr const wchar_t* kInstanceMutex = L"Local\\OrbelleAngles.Quilan.Instance";

COLORREF Rgb(const host::PaletteColour& c) { return RGB(c.red, c.green, c.blue); }

// The request box in the dark palette: light text on dark grey.
constexpr COLORREF kDarkBoxText = RGB(240, 240, 240), kDarkBoxBackground = RGB(48, 48, 48);

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Text with Windows' line ends, as a console program's standard output writes it.
std::wstring WithCrLf(const std::string& text) {
  std::wstring out;
  for (const wchar_t c : Widen(text)) {
    if (c == L'\n') out += L'\r';
    out += c;
  }
  return out;
}

TOOLINFOW Tool(HWND window, UINT_PTR id, UINT flags = TTF_SUBCLASS) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = flags;
  tool.hwnd = window;
  tool.uId = id;
  return tool;
}

}  // namespace

QuilanForm::QuilanForm(HINSTANCE instance, host::AnglesTable& table) : instance_(instance), table_(table) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
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
  table_.Engine.SetProblemReporter([this](const std::string& message) { status_line_.ReportDuringRequest(message); });
}

QuilanForm::~QuilanForm() {
  if (window_) DestroyWindow(window_);
  for (HGDIOBJ object :
       {static_cast<HGDIOBJ>(box_font_), static_cast<HGDIOBJ>(background_), static_cast<HGDIOBJ>(box_background_)})
    if (object) DeleteObject(object);
  if (instance_mutex_) CloseHandle(instance_mutex_);
}

void QuilanForm::ApplyDuplicateInstanceRule() {
  if (instance_mutex_) return;  // held by this copy since its first load
  instance_mutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutex);
  if (!instance_mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) return;
  // Another copy runs: bring its window back (the window menu's Restore) and end this one.
  if (const HWND earlier = FindWindowW(kWindowClass, kWindowCaption)) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(earlier, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    SetForegroundWindow(earlier);
  }
  ExitProcess(0);
}

int QuilanForm::Margin() const { return MulDiv(kMarginAt96Dpi, dots_per_inch_, kDefaultDotsPerInch); }

void QuilanForm::ScaleTo(int dots_per_inch) {
  dots_per_inch_ = dots_per_inch;
  // The designed size: the table's columns and lines at this DPI, then the request box.
  const GdiSurface designed(1, 1, dots_per_inch);
  const int margin = Margin();
  const float table_width = designed.TextWidth("NORTH TRUE N") + 2 * designed.TextWidth("0000000") +
                            designed.TextWidth("  00000000000") + designed.TextWidth("000.00   ");
  const int box_height = designed.LineHeight() + 2 * margin;
  designed_client_ = {static_cast<LONG>(table_width) + 2 * margin,
                      kTableLines * designed.LineHeight() + box_height + 3 * margin};
  RECT outer{0, 0, designed_client_.cx, designed_client_.cy};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FALSE, 0);
  designed_outer_ = {outer.right - outer.left, outer.bottom - outer.top};

  table_dots_per_inch_ = 0;  // the table's surface is made again by LayOut
  surface_ = std::make_unique<GdiSurface>(1, 1, dots_per_inch);
  const HFONT old_font = box_font_;
  box_font_ = CreateFontW(-MulDiv(kBoxCentipoints, dots_per_inch, 7200), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                          designed.TextFace().c_str());
  for (HWND child : {request_box_, status_})
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(box_font_), TRUE);
  if (old_font) DeleteObject(old_font);
}

void QuilanForm::Load() {
  if (window_) return;
  if (!dots_per_inch_) ScaleTo(WindowDotsPerInch(nullptr));
  char stored[64] = {};
  GetPrivateProfileStringA(host::kViewSection, host::kPaletteKey, "", stored, sizeof stored, host::kViewSettingsFile);
  palette_ = host::PaletteNamed(stored);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  // No caption yet, so that a second copy cannot take this window for the earlier one.
  window_ = CreateWindowExW(0, kWindowClass, L"", style, 0, 0, designed_outer_.cx, designed_outer_.cy, nullptr, nullptr,
                            instance_, this);
  if (!window_) return;
  request_box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(kRequestBoxId), instance_, nullptr);
  SendMessageW(request_box_, EM_SETLIMITTEXT, kLongestRequest, 0);
  SetWindowSubclass(request_box_, RequestBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
  status_ = CreateWindowExW(0, L"STATIC", L"",
                            WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_NOTIFY, 0,
                            0, 0, 0, window_, reinterpret_cast<HMENU>(kStatusId), instance_, nullptr);
  for (HWND child : {request_box_, status_}) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(box_font_), 0);
  LayOut();
  CentreWindow(window_);

  ApplyDuplicateInstanceRule();
  SetWindowTextW(window_, kWindowCaption);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  // The tool tips after the window is top-most: made before, they leave it an ordinary window
  // under wine.
  tool_tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                               window_, nullptr, instance_, nullptr);
  SendMessageW(tool_tips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(600, dots_per_inch_, kDefaultDotsPerInch));  // lines kept
  TOOLINFOW status_tool = Tool(window_, reinterpret_cast<UINT_PTR>(status_), TTF_SUBCLASS | TTF_IDISHWND);
  status_tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tool_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&status_tool));
  for (int row = 0; row < host::kRowCount; ++row) {
    TOOLINFOW row_tool = Tool(window_, kFirstRowTool + static_cast<UINT_PTR>(row));
    row_tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tool_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&row_tool));
  }
  LayOut();
  if (on_load) on_load();
  LoadWindowPosition(kPositionFile, window_, designed_outer_);
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
  StopLive();
  KillTimer(window_, kTypingTimer);
  // The box's change handler, run here for every assignment (also of the same text twice).
  WriteRequestBox(text);
  DrawRequest();
  if (!request_problem_) return std::nullopt;
  return RequestProblem{*request_problem_, request_problem_unreadable_};
}

void QuilanForm::WriteRequestBox(const std::wstring& text) {
  setting_request_ = true;
  SetWindowTextW(request_box_, text.c_str());
  setting_request_ = false;
}

void QuilanForm::GoLive() {
  Load();
  if (!window_) return;
  KillTimer(window_, kTypingTimer);
  live_ = true;
  ShowNow();
}

void QuilanForm::ShowNow() {
  WriteRequestBox(RequestForNow());
  DrawRequest();
  SetTimer(window_, kLiveTimer,
           static_cast<UINT>(host::MillisecondsToNextTerrestrialMinute(std::chrono::system_clock::now())), nullptr);
}

void QuilanForm::StopLive() {
  if (!live_) return;
  live_ = false;
  KillTimer(window_, kLiveTimer);
  ShowStatus();
}

void QuilanForm::Step(host::RequestField field, int count) {
  StopLive();
  KillTimer(window_, kTypingTimer);
  const std::optional<host::SteppedRequest> stepped =
      host::StepRequest(Narrow(WindowText(request_box_)), field, count, table_.Region);
  if (stepped) {
    WriteRequestBox(Widen(stepped->text));
    const auto caret = static_cast<LPARAM>(Widen(stepped->text.substr(0, stepped->cursor)).size());
    SendMessageW(request_box_, EM_SETSEL, caret, caret);
  }
  DrawRequest();  // without a step, the status line says why the text cannot be stepped
}

void QuilanForm::DrawRequest() {
  request_problem_.reset();
  request_problem_unreadable_ = false;
  status_line_.BeginRequest();
  try {
    table_.PrintAngles(Narrow(WindowText(request_box_)), *surface_, true);
    drawn_ = true;
    status_line_.RequestDrawn();
  } catch (const host::RequestError& e) {
    request_problem_ = e.what();
    request_problem_unreadable_ = true;
  } catch (const std::exception& e) {
    request_problem_ = e.what();
  }
  for (int row = 0; row < host::kRowCount && drawn_; ++row) {
    row_details_[static_cast<std::size_t>(row)] = RowDetails(row);
    TOOLINFOW tool = Tool(window_, kFirstRowTool + static_cast<UINT_PTR>(row));
    tool.lpszText = row_details_[static_cast<std::size_t>(row)].data();
    SendMessageW(tool_tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ShowStatus();
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);  // paints before the caller returns
}

void QuilanForm::ReportProblem(const std::string& message) {
  status_line_.Report(message);
  if (window_) ShowStatus();
}

void QuilanForm::ShowStatus() {
  const host::StatusMessage status = status_line_.Text(
      request_problem_, live_, std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
  status_text_ = Widen(status.text);
  SetWindowTextW(status_, status_text_.c_str());
  std::wstring details = Widen(status.details);
  TOOLINFOW tool = Tool(window_, reinterpret_cast<UINT_PTR>(status_), TTF_SUBCLASS | TTF_IDISHWND);
  tool.lpszText = details.data();
  SendMessageW(tool_tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring QuilanForm::RowDetails(int row) const {
  if (!drawn_ || row < 0 || row >= host::kRowCount) return {};
  return Widen(host::RowDetails(table_.Rows().rows[static_cast<std::size_t>(row)], table_.Region));
}

std::wstring QuilanForm::TableText() const { return WithCrLf(host::TableText(table_.Rows())); }

std::wstring QuilanForm::TableJson() const { return WithCrLf(host::TableJson(table_.Rows()) + "\n"); }

bool QuilanForm::SavePng(const std::wstring& path) const {
  RECT client{};
  GetClientRect(window_, &client);
  const HDC screen = GetDC(window_);
  const HDC copy = CreateCompatibleDC(screen);
  const HBITMAP picture = CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ old = SelectObject(copy, picture);
  BitBlt(copy, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  SelectObject(copy, old);
  DeleteDC(copy);
  ReleaseDC(window_, screen);
  const bool written = WritePng(picture, path);
  DeleteObject(picture);
  return written;
}

void QuilanForm::Command(UINT_PTR command) {
  switch (command) {
    case kCopyTableCommand: PutOnClipboard(window_, TableText()); return;
    case kCopyJsonCommand: PutOnClipboard(window_, TableJson()); return;
    case kNowCommand: GoLive(); return;
    default:
      if (command >= kFirstPaletteCommand && command < kFirstPaletteCommand + host::kTablePalettes.size())
        ChoosePalette(host::kTablePalettes[command - kFirstPaletteCommand]);
      return;
    case kSavePngCommand: {
      wchar_t path[MAX_PATH] = L"planets.png";
      OPENFILENAMEW dialog{};
      dialog.lStructSize = sizeof dialog;
      dialog.hwndOwner = window_;
      dialog.lpstrFilter = L"PNG images (*.png)\0*.png\0";
      dialog.lpstrFile = path;
      dialog.nMaxFile = MAX_PATH;
      dialog.lpstrDefExt = L"png";
      dialog.lpstrTitle = L"Save the table as PNG";
      dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
      if (GetSaveFileNameW(&dialog) && !SavePng(path)) {
        ReportProblem(Narrow(path) + " could not be written");
      }
      return;
    }
  }
}

void QuilanForm::ChoosePalette(host::TablePalette palette) {
  palette_ = palette;
  if (!WritePrivateProfileStringA(host::kViewSection, host::kPaletteKey, host::PaletteStoredName(palette),
                                  host::kViewSettingsFile)) {
    ReportProblem(std::string("The palette could not be saved in ") + host::kViewSettingsFile);
  }
  table_dots_per_inch_ = 0;  // the table's surface made again in the palette
  LayOut();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void QuilanForm::ShowContextMenu(POINT screen) {
  const HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kCopyTableCommand, L"&Copy table\tCtrl+C");
  AppendMenuW(menu, MF_STRING, kCopyJsonCommand, L"Copy as &JSON");
  AppendMenuW(menu, MF_STRING, kSavePngCommand, L"&Save as PNG\u2026");
  AppendMenuW(menu, MF_STRING | (live_ ? MF_CHECKED : 0), kNowCommand, L"&Now (follow the clock)\tCtrl+N");
  const HMENU palettes = CreatePopupMenu();
  for (std::size_t k = 0; k < host::kTablePalettes.size(); ++k) {
    AppendMenuW(palettes, MF_STRING | (host::kTablePalettes[k] == palette_ ? MF_CHECKED : 0), kFirstPaletteCommand + k,
                Widen(host::PaletteMenuName(host::kTablePalettes[k])).c_str());
  }
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(palettes), L"&Palette");
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard: at the window's top left
    screen = {0, 0};
    ClientToScreen(window_, &screen);
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);  // posts WM_COMMAND
  DestroyMenu(menu);
}

bool QuilanForm::RequestBoxKey(UINT message, WPARAM key) {
  if (message == WM_KEYDOWN) {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const auto caret_field = [this] {
      DWORD start = 0, end = 0;
      SendMessageW(request_box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const std::wstring text = WindowText(request_box_);
      return host::FieldAt(Narrow(text), Narrow(text.substr(0, end)).size(), table_.Region);
    };
    switch (key) {
      case VK_UP: Step(caret_field(), 1); return true;
      case VK_DOWN: Step(caret_field(), -1); return true;
      case VK_PRIOR: Step(host::RequestField::kDay, 1); return true;
      case VK_NEXT: Step(host::RequestField::kDay, -1); return true;
      case VK_RETURN:
        StopLive();
        KillTimer(window_, kTypingTimer);
        DrawRequest();
        return true;
      default: return false;
    }
  }
  if (message != WM_CHAR) return false;
  switch (key) {
    case L'\r': return true;  // drawn on its key; the single-line box would only beep
    case kCtrlN: GoLive(); return true;
    case kCtrlC: {
      DWORD start = 0, end = 0;
      SendMessageW(request_box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      if (start != end) return false;  // the box copies its selection
      PutOnClipboard(window_, TableText());
      return true;
    }
    default: return false;
  }
}

void QuilanForm::LayOut() {
  RECT client{};
  GetClientRect(window_, &client);
  // The table's font follows the window: at the designed size exactly the designed one, never
  // smaller (the window's least size is the designed one).
  const double scale = std::min(static_cast<double>(client.right) / designed_client_.cx,
                                static_cast<double>(client.bottom) / designed_client_.cy);
  const int table_dpi = std::max(dots_per_inch_, static_cast<int>(dots_per_inch_ * scale));
  if (table_dpi != table_dots_per_inch_) {
    table_dots_per_inch_ = table_dpi;
    surface_ = std::make_unique<GdiSurface>(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                            table_dpi, palette_);
    if (background_) DeleteObject(background_);
    background_ = CreateSolidBrush(Rgb(surface_->Background()));
    if (drawn_) host::DrawTable(table_.Rows(), *surface_, true);
    InvalidateRect(window_, nullptr, FALSE);
  }
  const int margin = Margin();
  const int line_height = MulDiv(surface_->LineHeight(), dots_per_inch_, table_dpi);  // the box's, unscaled
  const int box_height = line_height + 2 * margin;
  const int box_width =
      MulDiv(static_cast<int>(surface_->TextWidth(std::string(kBoxCharacters, '0'))), dots_per_inch_, table_dpi);
  const int top = std::max(0, static_cast<int>(client.bottom) - box_height - margin);
  MoveWindow(request_box_, margin, top, box_width, box_height, TRUE);
  MoveWindow(status_, 2 * margin + box_width, top, std::max(0, static_cast<int>(client.right) - 3 * margin - box_width),
             box_height, TRUE);
  for (int row = 0; row < host::kRowCount; ++row) {
    TOOLINFOW tool = Tool(window_, kFirstRowTool + static_cast<UINT_PTR>(row));
    const int row_top = (kLinesBeforeRows + row) * surface_->LineHeight();
    tool.rect = {0, row_top, client.right, std::min(row_top + surface_->LineHeight(), top)};
    SendMessageW(tool_tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

LRESULT CALLBACK QuilanForm::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  }
  auto* form = reinterpret_cast<QuilanForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_GETMINMAXINFO && form && form->dots_per_inch_) {
    // Never smaller than the table at its designed size.
    reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {form->designed_outer_.cx, form->designed_outer_.cy};
    return 0;
  }
  if (!form || !form->window_) return DefWindowProcW(window, message, w, l);
  return form->Handle(message, w, l);
}

LRESULT CALLBACK QuilanForm::RequestBoxProcedure(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR form) {
  if (reinterpret_cast<QuilanForm*>(form)->RequestBoxKey(message, w)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, RequestBoxProcedure, 0);
  return DefSubclassProc(box, message, w, l);
}

LRESULT QuilanForm::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(w) == EN_CHANGE && reinterpret_cast<HWND>(l) == request_box_) {
        if (setting_request_) return 0;
        // Typed: drawn when the typing pauses.
        StopLive();
        SetTimer(window_, kTypingTimer, kTypingPauseMs, nullptr);
      } else if (l == 0) {
        Command(LOWORD(w));
      }
      return 0;
    case WM_TIMER:
      KillTimer(window_, w);
      if (w == kTypingTimer) DrawRequest();
      if (w == kLiveTimer && live_) ShowNow();
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(w) != window_) break;  // the request box has its own
      ShowContextMenu({GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) == status_) {
        SetTextColor(reinterpret_cast<HDC>(w), Rgb(host::PaletteStatusColour(palette_)));
        SetBkColor(reinterpret_cast<HDC>(w), Rgb(surface_->Background()));
        return reinterpret_cast<LRESULT>(background_);
      }
      break;
    case WM_CTLCOLOREDIT:
      if (palette_ != host::TablePalette::kDark) break;
      if (!box_background_) box_background_ = CreateSolidBrush(kDarkBoxBackground);
      SetTextColor(reinterpret_cast<HDC>(w), kDarkBoxText);
      SetBkColor(reinterpret_cast<HDC>(w), kDarkBoxBackground);
      return reinterpret_cast<LRESULT>(box_background_);
    case WM_SIZE: LayOut(); return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale (or the scale changed): fonts and table at the new
      // DPI, the window at the size Windows suggests for it.
      ScaleTo(HIWORD(w));
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut();
      if (GetWindowTextLengthW(request_box_) > 0) DrawRequest();
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
      StopLive();   // a window shown again later is a client's, or a person's that asks for now again
      SaveWindowPosition(kPositionFile, window_);
      DestroyWindow(window_);
      return 0;
    case WM_ENDSESSION:
      // Log-off or shutdown: the process ends after this without WM_CLOSE, so the place is
      // kept here as on close.
      if (w) SaveWindowPosition(kPositionFile, window_);
      return 0;
    case WM_DESTROY: {
      window_ = request_box_ = status_ = tool_tips_ = nullptr;
      const bool was_shown = shown_;
      shown_ = false;
      if (was_shown && on_closed) on_closed();
      return 0;
    }
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace orbelle::windows
