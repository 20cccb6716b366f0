// The window in this process, without COM: the request box's keys, the context menu's
// commands, typing, live mode, the clipboard, scaling and what Windows tells it when its
// monitor has another scale. Needs a display and ZODRIX.INI naming the shipped data (the
// Windows stage writes it); the clipboard is compared with what orbelle-angles.exe prints.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/core/angles_table.h"
#include "host/core/table_palette.h"
#include "host/windows/gdi_surface.h"
#include "host/windows/quilan_form.h"
#include "host/windows/request_for_now.h"
#include "host/windows/wide_text.h"
#include "host/windows/window_position.h"
#include "host/windows/windows_conventions.h"
#include "settings/suite_settings.h"

namespace orbelle::windows {
namespace {

int BoxFontHeight(HWND window) {
  const auto font =
      reinterpret_cast<HFONT>(SendMessageW(FindWindowExW(window, nullptr, L"EDIT", nullptr), WM_GETFONT, 0, 0));
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description.lfHeight;
}

// What `orbelle-angles.exe arguments` writes on its standard output, as UTF-16.
std::wstring CommandLineOutput(const std::wstring& arguments) {
  std::wstring program = Widen(ORBELLE_COMMAND_LINE);
  for (wchar_t& c : program) c = c == L'/' ? L'\\' : c;
  std::wstring command = L"\"" + program + L"\" " + arguments;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &inherited, 0);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(write);
  std::string out;
  char buffer[4096];
  DWORD got = 0;
  while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(read);
  if (started) {
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  return Widen(out);
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Runs the window's messages (timers among them) for `milliseconds`.
void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  for (MSG message; GetTickCount() < end; Sleep(10)) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

class QuilanFormTest : public ::testing::Test {
 public:
  QuilanFormTest() : form(GetModuleHandleW(nullptr), table) {
    settings::SuiteSettings suite;
    settings::LoadSuiteSettings(suite);
    table.EphemerisDirectory = suite.EphemerisDirectory;
    table.Region = WindowsUserConventions();
    form.on_load = [this] { table.LoadRows(); };
    WritePrivateProfileStringA("Size", nullptr, nullptr, kPositionFile);
    WritePrivateProfileStringA(host::kViewSection, nullptr, nullptr, host::kViewSettingsFile);
  }
  std::wstring Box() const {
    wchar_t text[300] = {};
    GetWindowTextW(form.RequestBox(), text, 300);
    return text;
  }
  void Key(WPARAM key) { SendMessageW(form.RequestBox(), WM_KEYDOWN, key, 0); }
  void Character(WPARAM c) { SendMessageW(form.RequestBox(), WM_CHAR, c, 0); }
  void Caret(int at) { SendMessageW(form.RequestBox(), EM_SETSEL, at, at); }
  std::wstring Drawn() const { return Widen(table.Rows().request); }

  host::AnglesTable table;
  QuilanForm form;
};

TEST_F(QuilanFormTest, KeysStepTheFieldUnderTheCaretAndDrawAtOnce) {
  const struct {
    const wchar_t* request;
    int caret;
    WPARAM key;
    const wchar_t* stepped;
  } cases[] = {
      {L"12/25/2026 10:30", 16, VK_UP, L"12/25/2026 10:31"},        // minute
      {L"12/25/2026 10:30", 12, VK_DOWN, L"12/25/2026 09:30"},      // hour
      {L"12/25/2026 10:30", 4, VK_UP, L"12/26/2026 10:30"},         // day
      {L"12/25/2026 10:30", 0, VK_DOWN, L"11/25/2026 10:30"},       // month
      {L"12/25/2026 10:30", 8, VK_UP, L"12/25/2027 10:30"},         // year
      {L"12/31/2026 23:30", 0, VK_PRIOR, L"01/01/2027 23:30"},      // a day, wherever the caret is
      {L"12/25/2026 10:30", 16, VK_NEXT, L"12/24/2026 10:30"},      // a day back
      {L"2026-12-31 23:59", 16, VK_UP, L"2027-01-01 00:00"},        // ISO 8601 stays ISO 8601
      {L"12/25/2026 11:30 PM", 12, VK_UP, L"12/26/2026 12:30 AM"},  // the 12-hour clock stays
  };
  for (const auto& c : cases) {
    const std::optional<RequestProblem> problem = form.SetRequest(c.request);
    ASSERT_FALSE(problem) << problem->description;
    Caret(c.caret);
    Key(c.key);
    EXPECT_EQ(Box(), c.stepped) << c.request << " at " << c.caret;
    EXPECT_EQ(Drawn(), c.stepped) << "not drawn at once";
  }
}

TEST_F(QuilanFormTest, TypedTextIsDrawnWhenTheTypingPausesOrOnEnter) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  SetWindowTextW(form.RequestBox(), L"07/04/19");  // on the way to 07/04/1985
  EXPECT_EQ(Drawn(), L"12/25/2026 10:30") << "drawn half typed";
  SetWindowTextW(form.RequestBox(), L"07/04/1985 9:05");
  Pump(kTypingPauseMs / 2);
  EXPECT_EQ(Drawn(), L"12/25/2026 10:30") << "drawn before the pause";
  Pump(kTypingPauseMs * 2);
  EXPECT_EQ(Drawn(), L"07/04/1985 9:05");

  SetWindowTextW(form.RequestBox(), L"12/25/3500");
  Key(VK_RETURN);
  EXPECT_EQ(Drawn(), L"07/04/1985 9:05") << "a request out of the years drew a table";
  EXPECT_NE(form.StatusText().find(L"3500"), std::wstring::npos);
  SetWindowTextW(form.RequestBox(), L"next Tuesday");
  Pump(kTypingPauseMs * 2);
  EXPECT_EQ(Drawn(), L"07/04/1985 9:05");
  EXPECT_NE(form.StatusText().find(L"next Tuesday"), std::wstring::npos) << "the whole message";
}

TEST_F(QuilanFormTest, LiveUntilTypedSteppedOrAssignedAndCtrlNGoesBack) {
  form.GoLive();
  EXPECT_TRUE(form.Live());
  EXPECT_EQ(Box(), RequestForNow());
  EXPECT_EQ(Drawn(), Box());
  EXPECT_EQ(form.StatusText(), L"Now in TT (UTC + 69.184 s)");
  const struct {
    const char* what;
    void (*end)(QuilanFormTest&);
  } enders[] = {
      {"typing", [](QuilanFormTest& t) { SetWindowTextW(t.form.RequestBox(), L"12/25/2026"); }},
      {"a step", [](QuilanFormTest& t) { t.Key(VK_UP); }},
      {"a client", [](QuilanFormTest& t) { t.form.SetRequest(L"12/25/2026 10:30"); }},
  };
  for (const auto& e : enders) {
    Character(0x0E);  // Ctrl+N
    ASSERT_TRUE(form.Live()) << e.what;
    e.end(*this);
    EXPECT_FALSE(form.Live()) << e.what;
    EXPECT_EQ(form.StatusText(), L"") << e.what;
  }
  SendMessageW(form.Handle(), WM_COMMAND, kNowCommand, 0);
  EXPECT_TRUE(form.Live()) << "the menu's Now";
}

TEST_F(QuilanFormTest, CopiesAreWhatTheCommandLinePrints) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  const struct {
    void (*copy)(QuilanFormTest&);
    const wchar_t* arguments;
  } cases[] = {
      {[](QuilanFormTest& t) { t.Character(0x03); }, L"table \"12/25/2026 10:30\""},  // Ctrl+C, nothing selected
      {[](QuilanFormTest& t) { SendMessageW(t.form.Handle(), WM_COMMAND, kCopyTableCommand, 0); },
       L"table \"12/25/2026 10:30\""},
      {[](QuilanFormTest& t) { SendMessageW(t.form.Handle(), WM_COMMAND, kCopyJsonCommand, 0); },
       L"table --json \"12/25/2026 10:30\""},
  };
  for (const auto& c : cases) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    c.copy(*this);
    const std::wstring printed = CommandLineOutput(c.arguments);
    ASSERT_NE(printed.find(L"SUN/EARTH"), std::wstring::npos) << c.arguments;
    EXPECT_EQ(ClipboardText(), printed) << c.arguments;
  }
  SendMessageW(form.RequestBox(), EM_SETSEL, 0, 5);
  Character(0x03);
  EXPECT_EQ(ClipboardText(), L"12/25") << "Ctrl+C with a selection copies the selection";
}

// The menu of a right click on the table, read while it is open (TrackPopupMenu runs its own
// message loop: a timer reads it and closes it).
TEST_F(QuilanFormTest, ContextMenuOffersTheCommandsAndMarksThePalette) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  form.Show();
  static std::vector<std::wstring> items;
  static UINT palette_state = 0;
  items.clear();
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND popup = FindWindowW(L"#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int k = 0; k < GetMenuItemCount(menu); ++k) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(k), text, 64, MF_BYPOSITION);
      items.push_back(text);
    }
    palette_state = GetMenuState(GetSubMenu(menu, 4), 0, MF_BYPOSITION);
    EndMenu();
  });
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Handle()),
               MAKELPARAM(window.left + 40, window.top + 80));
  const std::vector<std::wstring> expected{L"&Copy table\tCtrl+C", L"Copy as &JSON", L"&Save as PNG\u2026",
                                           L"&Now (follow the clock)\tCtrl+N", L"&Palette"};
  EXPECT_EQ(items, expected);
  EXPECT_TRUE(palette_state & MF_CHECKED) << "the designed colours are not marked as chosen";
}

TEST_F(QuilanFormTest, RetrogradeRowsSayItAndThePictureIsAPng) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  int retrograde = 0;
  for (int row = 0; row < host::kRowCount; ++row) {
    const bool said = form.RowDetails(row).find(L"retrograde") != std::wstring::npos;
    EXPECT_EQ(said, table.Rows().rows[static_cast<std::size_t>(row)].Retrograde()) << row;
    retrograde += said;
  }
  EXPECT_GT(retrograde, 0) << "the test wants a moment with a retrograde planet";
  EXPECT_NE(form.RowDetails(0).find(L"heliocentric: longitude"), std::wstring::npos);

  form.Show();
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, path);
  const std::wstring file = std::wstring(path) + L"orbelle-window.png";
  ASSERT_TRUE(form.SavePng(file));
  char signature[8] = {};
  const HANDLE png = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD got = 0;
  ReadFile(png, signature, 8, &got, nullptr);
  CloseHandle(png);
  DeleteFileW(file.c_str());
  EXPECT_EQ(std::string(signature, 8), "\x89PNG\r\n\x1a\n");
}

// The status line names the unusable ephemeris files of the table shown (a damaged JUPITER,
// the other outer planets' files missing), gives way to a request's problem, and is clear
// again once the files are usable.
TEST_F(QuilanFormTest, StatusLineReportsTheUnusableEphemerisFiles) {
  const std::string shipped = table.EphemerisDirectory;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring directory = std::wstring(temp) + L"orbelle-damaged-ephemeris\\";
  CreateDirectoryW(directory.c_str(), nullptr);
  const HANDLE file =
      CreateFileW((directory + L"JUPITER").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "not an ephemeris file", 21, &written, nullptr);
  CloseHandle(file);
  table.EphemerisDirectory = Narrow(directory);

  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  const std::wstring report = L"INVALID EPHEMERIS:  " + directory + L"JUPITER (and 4 more)";
  EXPECT_EQ(form.StatusText(), report);
  ASSERT_TRUE(form.SetRequest(L"no date here"));
  EXPECT_NE(form.StatusText().find(L"no date here"), std::wstring::npos);
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  EXPECT_EQ(form.StatusText(), report);
  table.EphemerisDirectory = shipped;
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  EXPECT_EQ(form.StatusText(), L"");
  DeleteFileW((directory + L"JUPITER").c_str());
  RemoveDirectoryW(directory.c_str());
}

TEST_F(QuilanFormTest, ThePaletteChosenIsDrawnAndRemembered) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  EXPECT_EQ(GetPixel(form.Surface().Dc(), 1, 1), RGB(255, 255, 255)) << "the designed colours on white";
  for (std::size_t k : {2u, 1u}) {  // dark, then high contrast
    const host::TablePalette palette = host::kTablePalettes[k];
    SendMessageW(form.Handle(), WM_COMMAND, kFirstPaletteCommand + k, 0);
    EXPECT_EQ(form.Palette(), palette);
    const host::PaletteColour background = host::PaletteBackground(palette);
    EXPECT_EQ(GetPixel(form.Surface().Dc(), 1, 1), RGB(background.red, background.green, background.blue));
    char stored[64] = {};
    GetPrivateProfileStringA("View", "Palette", "", stored, sizeof stored, "OrbelleAnglesView.Ini");
    EXPECT_STREQ(stored, host::PaletteStoredName(palette));
    EXPECT_EQ(Drawn(), L"12/25/2026 10:30");
  }
  // Loaded again, the form draws in the palette the file names.
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  WritePrivateProfileStringA("View", "Palette", "dark", "OrbelleAnglesView.Ini");
  form.Load();
  EXPECT_EQ(form.Palette(), host::TablePalette::kDark);
  WritePrivateProfileStringA(host::kViewSection, nullptr, nullptr, host::kViewSettingsFile);
}

TEST_F(QuilanFormTest, TheTableFollowsTheWindowsSizeNeverBelowTheDesignedOne) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  const HWND window = form.Handle();
  RECT loaded{};
  GetWindowRect(window, &loaded);
  const SIZE designed = form.DesignedSize();
  EXPECT_EQ(loaded.right - loaded.left, designed.cx);
  EXPECT_EQ(loaded.bottom - loaded.top, designed.cy);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, designed.cx);
  EXPECT_EQ(limits.ptMinTrackSize.y, designed.cy);
  ASSERT_EQ(form.Surface().DotsPerInch(), 96) << "the test expects a screen of 96 dots per inch";

  RECT client{};
  GetClientRect(window, &client);
  const int frame_x = designed.cx - client.right, frame_y = designed.cy - client.bottom;
  SetWindowPos(window, nullptr, 0, 0, 2 * client.right + frame_x, 2 * client.bottom + frame_y,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form.Surface().DotsPerInch(), 192) << "twice the size, twice the font";
  EXPECT_EQ(Drawn(), L"12/25/2026 10:30");
  SetWindowPos(window, nullptr, 0, 0, designed.cx, designed.cy, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form.Surface().DotsPerInch(), 96);
}

TEST_F(QuilanFormTest, ScaleChangeRedrawsAtTheNewDpiAndTakesTheSuggestedPlace) {
  ASSERT_FALSE(form.SetRequest(L"12/25/2026 10:30"));
  ASSERT_EQ(form.Surface().DotsPerInch(), 96) << "the test expects a screen of 96 dots per inch";
  const HWND window = form.Handle();
  const int box_font_at_96 = BoxFontHeight(window);

  RECT before{};
  GetWindowRect(window, &before);
  // Twice the size: more than the designed size at 144 dots per inch, the least the window takes.
  RECT suggested{before.left + 10, before.top + 20, before.left + 10 + (before.right - before.left) * 2,
                 before.top + 20 + (before.bottom - before.top) * 2};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&after, &suggested));
  // Drawn at the new scale, the table's font a little larger since the window is larger than
  // the designed size at 144 dots per inch.
  EXPECT_GT(form.Surface().DotsPerInch(), 144) << "the table was not drawn again at the new scale";
  EXPECT_LT(form.Surface().DotsPerInch(), 192);
  // The request box's 8.25 points: 11 pixels at 96 dots per inch, 16.5 at 144.
  EXPECT_EQ(box_font_at_96, -11);
  EXPECT_EQ(BoxFontHeight(window), -17) << "the request box keeps its font";
}

}  // namespace
}  // namespace orbelle::windows
