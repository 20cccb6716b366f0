// What the automation tests do as a client of the suite would: find QuilanCls by its
// programmatic identifier, create it out of process, reach Data through IDispatch by name,
// and look at the window as a user sees it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>

namespace orbelle::testing {

inline constexpr const wchar_t* kProgId = L"OrbelleAngles.QuilanCls";
inline constexpr const wchar_t* kWindowClass = L"OrbelleAngles.Quilan";
inline constexpr const wchar_t* kCaption = L"Planets Position";
inline constexpr DWORD kServerEndMilliseconds = 15000;

// True under wine, whose COM differs from Windows in places (error info on the vtable path).
bool RunningUnderWine();

// A new QuilanCls from its programmatic identifier, or the failure.
HRESULT CreateQuilan(IDispatch** object);

// The outcome of one assignment to Data through IDispatch::Invoke.
struct Assignment {
  HRESULT result = E_FAIL;
  HRESULT scode = S_OK;      // from EXCEPINFO when result is DISP_E_EXCEPTION
  std::wstring description;  // from EXCEPINFO
};
Assignment AssignData(IDispatch* object, const std::wstring& text);

// Reading Data through IDispatch::Invoke (a property get).
HRESULT ReadData(IDispatch* object);

HWND FindQuilanWindow();
int CountQuilanWindows();
std::wstring RequestBoxText(HWND window);
DWORD WindowProcessId(HWND window);

// Closes the window as a user does and waits until it is gone.
void CloseQuilanWindow(HWND window);

// Waits until process `id` has ended; false after the time limit.
bool WaitForProcessEnd(DWORD id, DWORD milliseconds = kServerEndMilliseconds);

// Counts the screen's pixels of each exact colour in the window's table (above the request box).
std::map<COLORREF, int> TableColourCounts(HWND window);

// The private-profile file `name` in the Windows directory, as a full path.
std::string WindowsDirectoryFile(const char* name);

// Points ZODRIX.INI (in the Windows directory) at `directory`.
void SetDataDirectory(const std::string& directory);

// The shipped data directory of the source tree, with its final separator.
std::string ShippedDataDirectory();

}  // namespace orbelle::testing
