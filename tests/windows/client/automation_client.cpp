#include "tests/windows/client/automation_client.h"

#include <vector>

namespace orbelle::testing {

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

HRESULT CreateQuilan(IDispatch** object) {
  CLSID clsid{};
  const HRESULT found = CLSIDFromProgID(kProgId, &clsid);
  if (FAILED(found)) return found;
  return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(object));
}

namespace {

DISPID DataId(IDispatch* object) {
  LPOLESTR name = const_cast<LPOLESTR>(L"Data");
  DISPID id = DISPID_UNKNOWN;
  object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

}  // namespace

Assignment AssignData(IDispatch* object, const std::wstring& text) {
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  DISPID named = DISPID_PROPERTYPUT;  // a property put names its one argument so
  DISPPARAMS parameters{&argument, &named, 1, 1};
  EXCEPINFO exception{};
  UINT argument_error = 0;
  Assignment a;
  a.result = object->Invoke(DataId(object), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr,
                            &exception, &argument_error);
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

HRESULT ReadData(IDispatch* object) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr =
      object->Invoke(DataId(object), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
  VariantClear(&result);
  return hr;
}

HWND FindQuilanWindow() { return FindWindowW(kWindowClass, kCaption); }

int CountQuilanWindows() {
  int count = 0;
  EnumWindows(
      [](HWND window, LPARAM counter) -> BOOL {
        wchar_t name[64];
        if (GetClassNameW(window, name, 64) && std::wstring(name) == kWindowClass) ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

std::wstring RequestBoxText(HWND window) {
  const HWND box = FindWindowExW(window, nullptr, L"EDIT", nullptr);
  wchar_t text[256] = {};
  if (box) SendMessageTimeoutW(box, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

DWORD WindowProcessId(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

void CloseQuilanWindow(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 500 && IsWindow(window); ++i) Sleep(10);
}

bool WaitForProcessEnd(DWORD id, DWORD milliseconds) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return true;  // already gone
  const bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

std::map<COLORREF, int> TableColourCounts(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  // The table is everything above the request box.
  RECT box{};
  GetWindowRect(FindWindowExW(window, nullptr, L"EDIT", nullptr), &box);
  const int width = client.right, height = box.top - origin.y;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  std::map<COLORREF, int> counts;
  const auto* pixel = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width * height; ++i) {
    const DWORD p = pixel[i];  // 0x00RRGGBB
    ++counts[RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return counts;
}

std::string WindowsDirectoryFile(const char* name) {
  char directory[MAX_PATH];
  GetWindowsDirectoryA(directory, MAX_PATH);
  return std::string(directory) + "\\" + name;
}

void SetDataDirectory(const std::string& directory) {
  WritePrivateProfileStringA("EPHEM", "Directory", directory.c_str(), "ZODRIX.INI");
}

std::string ShippedDataDirectory() { return std::string(ORBELLE_SOURCE_DIR_WINDOWS) + "\\data\\"; }

}  // namespace orbelle::testing
