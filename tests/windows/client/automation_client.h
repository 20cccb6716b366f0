// What the automation tests do as a client of the suite would: find QuilanCls by its
// programmatic identifier, create it out of process, reach Data through IDispatch by name,
// and look at the window as a user sees it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace orbelle::testing {

inline constexpr DWORD kServerEndMilliseconds = 15000;

// True under wine, whose COM differs from Windows in places (error info on the vtable path).
bool RunningUnderWine();

// A new QuilanCls from its programmatic identifier, or the failure.
HRESULT CreateQuilan(IDispatch** object);

// Data's dispatch identifier, looked up by name.
DISPID DataId(IDispatch* object);

// The outcome of one assignment to Data through IDispatch::Invoke.
struct Assignment {
  HRESULT result = E_FAIL;
  HRESULT scode = S_OK;      // from EXCEPINFO when result is DISP_E_EXCEPTION
  std::wstring description;  // from EXCEPINFO
};
Assignment AssignData(IDispatch* object, const std::wstring& text);

HWND FindQuilanWindow();  // by its class and the caption "Planets Position"
int CountQuilanWindows();
std::wstring RequestBoxText(HWND window);
// The status line beside the request box.
std::wstring StatusText(HWND window);
DWORD WindowProcessId(HWND window);

// Starts the registered server's program as a user would, with `arguments` (none: the window);
// the process handle, or nullptr.
HANDLE StartServerByHand(const std::wstring& arguments = L"");

// Waits until process `id` has ended; false after the time limit.
bool WaitForProcessEnd(DWORD id, DWORD milliseconds = kServerEndMilliseconds);

// Closes the window as a user does and waits until it is gone.
void CloseQuilanWindow(HWND window);

// Closes a running server's window and waits for the server to end; false if it outlived it.
bool EndServer();

// The screen's pixels of each exact colour in the window's table (above the request box).
std::map<COLORREF, int> TableColourCounts(HWND window);

// The screen's pixels of each row's colour (Sun to the node, in the table's order), read
// again for up to 3 s until every row shows: under wine on a loaded machine one read right
// after the synchronous repaint found none of them.
std::vector<int> RowPixels(HWND window);
// Whether every row of the table is on the screen.
bool TableShown(HWND window);

// Points ZODRIX.INI (in the Windows directory) at `directory`, by default the shipped data.
void SetDataDirectory(const std::string& directory = ORBELLE_SOURCE_DIR_WINDOWS "\\data\\");

}  // namespace orbelle::testing
