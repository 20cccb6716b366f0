// The window "Planets Position" in Win32: the angles table on a persistent GDI image, the
// request box DDEFTGT at the bottom left and, beside it, a status line: why the last request
// drew no table, or else the reports of unusable ephemeris files for the table shown and of
// the load, or that the table shows now (elided to its width, its whole text and every
// report in its tool tip).
//
// Loading the form (Form_Load) applies the duplicate-instance rule, sets the caption, makes
// the window top-most and restores its size and place; closing it (Form_Unload) saves them,
// and so does the end of the session (log-off, shutdown).
// The form object outlives its window: using it after the window was closed loads it again.
//
// A client's text is drawn at once; typed text when the typing pauses for half a second or
// on Enter, so that a date half typed ("07/04/19" on the way to "07/04/1985") is not drawn.
// Opened by a person, the window shows now and follows the clock once a minute (live) until
// a client assigns a request or the person types or steps. In the request box Up and Down
// step the field under the caret, Page Up and Page Down a day, Ctrl+N goes back to now, and
// Ctrl+C without a selection copies the table as `orbelle-angles.exe table` prints it. The
// context menu copies the table as text or JSON, saves the window as PNG and goes back to
// now. A row's tool tip gives its latitudes, distances and daily motions. The table's font
// follows the window's size; the window is never smaller than the table at its designed size.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/core/angles_table.h"
#include "host/core/request_stepping.h"
#include "host/core/status_line.h"
#include "host/windows/gdi_surface.h"

namespace orbelle::windows {

inline constexpr const wchar_t* kWindowCaption = L"Planets Position";
inline constexpr const wchar_t* kWindowClass = L"OrbelleAngles.Quilan";
inline constexpr const wchar_t* kApplicationTitle = L"OrbelleAngles";
// The pause in typing after which the request box's text is drawn.
inline constexpr UINT kTypingPauseMs = 500;

// The context menu's commands (WM_COMMAND identifiers); the palettes follow the first one in
// the order of host::kTablePalettes.
enum MenuCommand : UINT_PTR {
  kCopyTableCommand = 100,
  kCopyJsonCommand,
  kSavePngCommand,
  kNowCommand,
  kFirstPaletteCommand = 110
};

// Why a request drew no table: a text that holds no date, or a fault of the calculation.
struct RequestProblem {
  std::string description;
  bool unreadable_request = false;
};

class QuilanForm {
 public:
  // The form draws `table`'s requests, in the table's regional notation.
  QuilanForm(HINSTANCE instance, host::AnglesTable& table);
  ~QuilanForm();

  bool Loaded() const { return window_ != nullptr; }
  // Form_Load when the window does not exist yet. A second running copy of the program
  // restores the earlier window and ends this process here.
  void Load();
  // Loads the form when needed and shows the window (restored when minimised).
  void Show();
  bool Visible() const { return window_ && IsWindowVisible(window_); }
  HWND Handle() const { return window_; }
  HWND RequestBox() const { return request_box_; }

  // Puts `text` into the request box (loading the form when needed, without showing it) and
  // redraws the table at once; ends live mode. Returns why no table could be drawn; the
  // earlier table then stays.
  std::optional<RequestProblem> SetRequest(const std::wstring& text);

  // Shows now (the clock's UTC carried to TT) and follows the clock once a minute, until a
  // request is set, typed or stepped.
  void GoLive();
  bool Live() const { return live_; }

  // The table last drawn as `orbelle-angles.exe table` prints it (CRLF line ends), and its JSON.
  std::wstring TableText() const;
  std::wstring TableJson() const;
  // The window's client area as it is on the screen, written as PNG; false when it could not.
  bool SavePng(const std::wstring& path) const;
  // Draws the table in `palette` and remembers it in the view file of the Windows directory
  // (OrbelleAnglesView.Ini), which the next load reads.
  void ChoosePalette(host::TablePalette palette);
  host::TablePalette Palette() const { return palette_; }
  // Shows a report in the status line until the next request is drawn.
  void ReportProblem(const std::string& message);
  // The status line's whole message (the line itself may show it elided).
  const std::wstring& StatusText() const { return status_text_; }
  // The tool tip of row `row` (0 the Sun .. 10 the node), empty before a table was drawn.
  std::wstring RowDetails(int row) const;
  // The table's surface, at the window's DPI times the table's scale.
  const GdiSurface& Surface() const { return *surface_; }
  // The outer size at which the table is drawn at its designed size: the least it can be.
  SIZE DesignedSize() const { return designed_outer_; }

  // Called by the load step (to fill the table's rows), after the window was shown and when
  // it has been closed.
  std::function<void()> on_load, on_shown, on_closed;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK RequestBoxProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  // Keys of the request box; true when taken.
  bool RequestBoxKey(UINT message, WPARAM key);
  void DrawRequest();
  void ShowNow();
  void StopLive();
  void Step(host::RequestField field, int count);
  void WriteRequestBox(const std::wstring& text);
  void ShowStatus();
  void Command(UINT_PTR command);
  void ShowContextMenu(POINT screen);
  void LayOut();
  // The window's fonts, margins and designed size at `dots_per_inch`.
  void ScaleTo(int dots_per_inch);
  int Margin() const;
  void ApplyDuplicateInstanceRule();

  HINSTANCE instance_;
  host::AnglesTable& table_;
  HWND window_ = nullptr;
  HWND request_box_ = nullptr;
  HWND status_ = nullptr;
  HWND tool_tips_ = nullptr;
  HFONT box_font_ = nullptr;
  HBRUSH background_ = nullptr;      // the palette's background, behind the status line
  HBRUSH box_background_ = nullptr;  // the request box's in the dark palette
  HANDLE instance_mutex_ = nullptr;
  int dots_per_inch_ = 0;
  host::TablePalette palette_ = host::TablePalette::kDesigned;
  int table_dots_per_inch_ = 0;
  SIZE designed_client_{}, designed_outer_{};
  std::unique_ptr<GdiSurface> surface_;
  std::optional<std::string> request_problem_;
  bool request_problem_unreadable_ = false;
  host::StatusLine status_line_;  // the reports of the engine's files and of the load
  std::wstring status_text_;
  std::array<std::wstring, host::kRowCount> row_details_;
  bool setting_request_ = false;
  bool shown_ = false;
  bool live_ = false;
  bool drawn_ = false;  // a table has been drawn
};

}  // namespace orbelle::windows
