#include "tests/windows/client/automation_client.h"

#include <algorithm>

namespace orbelle::testing {
namespace {

// The colours of the table's rows (the classic sixteen-colour palette): Sun, Moon, Mercury,
// Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, node.
const COLORREF kRowColours[] = {RGB(0, 0, 255),   RGB(0, 0, 0),       RGB(255, 0, 255),   RGB(0, 255, 255),
                                RGB(255, 0, 0),   RGB(0, 255, 0),     RGB(192, 192, 192), RGB(0, 128, 0),
                                RGB(0, 128, 128), RGB(128, 128, 128), RGB(128, 0, 0)};
constexpr int kLeastRowPixels = 20;

}  // namespace

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

HRESULT CreateQuilan(IDispatch** object) {
  CLSID clsid{};
  const HRESULT found = CLSIDFromProgID(L"OrbelleAngles.QuilanCls", &clsid);
  if (FAILED(found)) return found;
  return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(object));
}

DISPID DataId(IDispatch* object) {
  LPOLESTR name = const_cast<LPOLESTR>(L"Data");
  DISPID id = DISPID_UNKNOWN;
  object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

Assignment AssignData(IDispatch* object, const std::wstring& text) {
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  DISPID named = DISPID_PROPERTYPUT;  // a property put names its one argument so
  DISPPARAMS parameters{&argument, &named, 1, 1};
  EXCEPINFO exception{};
  Assignment a;
  a.result = object->Invoke(DataId(object), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr,
                            &exception, nullptr);
  if (a.result == DISP_E_EXCEPTION) {
    a.scode = exception.scode;
    if (exception.bstrDescription) a.description = exception.bstrDescription;
  }
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  VariantClear(&argument);
  return a;
}

HWND FindQuilanWindow() { return FindWindowW(L"OrbelleAngles.Quilan", L"Planets Position"); }

int CountQuilanWindows() {
  int count = 0;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"OrbelleAngles.Quilan", nullptr));) ++count;
  return count;
}

namespace {

std::wstring ChildText(HWND window, const wchar_t* child_class) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(FindWindowExW(window, nullptr, child_class, nullptr), WM_GETTEXT, 512,
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

}  // namespace

std::wstring RequestBoxText(HWND window) { return ChildText(window, L"EDIT"); }

std::wstring StatusText(HWND window) { return ChildText(window, L"STATIC"); }

DWORD WindowProcessId(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

HANDLE StartServerByHand(const std::wstring& arguments) {
  wchar_t server[MAX_PATH] = {};
  LONG size = sizeof server;
  RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{15970D44-8EE7-4477-A793-44289D155C8D}\\LocalServer32", server, &size);
  std::wstring command = server;
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

bool WaitForProcessEnd(DWORD id, DWORD milliseconds) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return true;  // already gone
  const bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

void CloseQuilanWindow(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 500 && IsWindow(window); ++i) Sleep(10);
}

bool EndServer() {
  const HWND window = FindQuilanWindow();
  if (!window) return true;
  const DWORD process = WindowProcessId(window);
  CloseQuilanWindow(window);
  return WaitForProcessEnd(process);
}

std::map<COLORREF, int> TableColourCounts(HWND window) {
  RECT client{}, box{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  GetWindowRect(FindWindowExW(window, nullptr, L"EDIT", nullptr), &box);
  const int width = client.right, height = box.top - origin.y;
  if (width <= 0 || height <= 0) return {};
  const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  std::map<COLORREF, int> counts;
  for (const DWORD* p = static_cast<const DWORD*>(bits); p < static_cast<const DWORD*>(bits) + width * height; ++p)
    ++counts[RGB((*p >> 16) & 0xFF, (*p >> 8) & 0xFF, *p & 0xFF)];  // 0x00RRGGBB
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return counts;
}

std::vector<int> RowPixels(HWND window) {
  std::vector<int> counts;
  for (int attempt = 0; attempt < 30; ++attempt, Sleep(100)) {
    const std::map<COLORREF, int> pixels = TableColourCounts(window);
    counts.clear();
    for (COLORREF colour : kRowColours) counts.push_back(pixels.count(colour) ? pixels.at(colour) : 0);
    if (*std::min_element(counts.begin(), counts.end()) > kLeastRowPixels) break;
  }
  return counts;
}

bool TableShown(HWND window) {
  const std::vector<int> counts = RowPixels(window);
  return *std::min_element(counts.begin(), counts.end()) > kLeastRowPixels;
}

void SetDataDirectory(const std::string& directory) {
  WritePrivateProfileStringA("EPHEM", "Directory", directory.c_str(), "ZODRIX.INI");
}

}  // namespace orbelle::testing
