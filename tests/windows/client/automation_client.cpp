#include "tests/windows/client/automation_client.h"

namespace orbelle::testing {

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

std::wstring RequestBoxText(HWND window) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(FindWindowExW(window, nullptr, L"EDIT", nullptr), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

DWORD WindowProcessId(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
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

void SetDataDirectory(const std::string& directory) {
  WritePrivateProfileStringA("EPHEM", "Directory", directory.c_str(), "ZODRIX.INI");
}

}  // namespace orbelle::testing
