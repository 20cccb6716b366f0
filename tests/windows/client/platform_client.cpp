// A client of the installed server as the suite's programs are, in the bitness this file is
// built for (the 64-bit and the 32-bit build both have it):
//   platform_client late    late bound: the class by its programmatic identifier, Data through
//                           IDispatch, as CreateObject in Visual Basic or VBScript
//   platform_client early   early bound: the class by its identifier and Data through the
//                           vtable of _QuilanCls from the type library, as a compiled Visual
//                           Basic program that references the library
//   platform_client shown   the running server's window shows the whole table; then closes it
//                           and waits for the server to end
//   platform_client now     the window of a server started by hand: its request is the present
//                           moment (TT), the table is shown and the status line says so
// `late` and `early` leave the window with the table of 25 December 2026, 10:30. Each check
// prints "ok: ..." or "FAILED: ..."; "all checks passed" and exit code 0 when none failed.
#include <windows.h>
#include <wrl/client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/core/request_text.h"
#include "host/core/terrestrial_time.h"
#include "host/windows/orbelle_angles.h"
#include "host/windows/wide_text.h"
#include "host/windows/windows_conventions.h"
#include "tests/windows/client/automation_client.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace orbelle::testing;

constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000DL);  // Visual Basic error 13
constexpr const wchar_t* kChristmas = L"12/25/2026 10:30";
constexpr const wchar_t* kNotADate = L"next Tuesday";

int failures = 0;

void Check(bool condition, const std::string& what) {
  std::printf("%s: %s\n", condition ? "ok" : "FAILED", what.c_str());
  failures += condition ? 0 : 1;
}

std::string Hex(HRESULT code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// Reading the write-only Data through the interface's IDispatch half.
HRESULT ReadData(IDispatch* object) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT value;
  VariantInit(&value);
  const HRESULT result = object->Invoke(DataId(object), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                        &value, nullptr, nullptr);
  VariantClear(&value);
  return result;
}

void CheckWindow(const std::wstring& request) {
  const HWND window = FindQuilanWindow();
  Check(window && IsWindowVisible(window), "the window \"Planets Position\" is shown");
  if (!window) return;
  Check(RequestBoxText(window) == request, "the request box holds " + orbelle::windows::Narrow(request));
  Check(TableShown(window), "the window shows every row of the table");
}

void LateBound() {
  ComPtr<IDispatch> quilan;
  const HRESULT created = CreateQuilan(&quilan);
  Check(created == S_OK, "CreateObject(\"OrbelleAngles.QuilanCls\") " + Hex(created));
  if (FAILED(created)) return;
  const Assignment good = AssignData(quilan.Get(), kChristmas);
  Check(good.result == S_OK, "Data = a date " + Hex(good.result));
  const Assignment bad = AssignData(quilan.Get(), kNotADate);
  Check(bad.result == DISP_E_EXCEPTION && bad.scode == kTypeMismatch,
        "Data = a non-date gives error 13 " + Hex(bad.scode));
  Check(bad.description.find(kNotADate) != std::wstring::npos,
        "its description names the text: " + orbelle::windows::Narrow(bad.description));
  Check(FAILED(ReadData(quilan.Get())), "reading Data fails");
  Check(AssignData(quilan.Get(), kChristmas).result == S_OK, "Data = the date again");
  CheckWindow(kChristmas);
}

// The marshaler of an early-bound client lays out _QuilanCls from the type library registered
// for the client's platform (win32 or win64): it must load, and be built for that platform.
void CheckRegisteredTypeLibrary() {
  ComPtr<ITypeLib> library;
  const HRESULT loaded = LoadRegTypeLib(LIBID_OrbelleAngles, 1, 0, 0, &library);
  Check(loaded == S_OK, "the type library registered for this platform loads " + Hex(loaded));
  if (FAILED(loaded)) return;
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return;
  const SYSKIND platform = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  Check(attributes->syskind == platform, "and is built for it");
  library->ReleaseTLibAttr(attributes);
}

void EarlyBound() {
  CheckRegisteredTypeLibrary();
  ComPtr<IUnknown> object;
  const HRESULT created = CoCreateInstance(CLSID_QuilanCls, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                           reinterpret_cast<void**>(object.GetAddressOf()));
  Check(created == S_OK, "New QuilanCls " + Hex(created));
  if (FAILED(created)) return;
  ComPtr<_QuilanCls> quilan;
  const HRESULT found = object.As(&quilan);
  Check(found == S_OK, "the vtable interface _QuilanCls " + Hex(found));
  if (FAILED(found)) return;
  BSTR good = SysAllocString(kChristmas), bad = SysAllocString(kNotADate);
  const HRESULT assigned = quilan->put_Data(good);
  Check(assigned == S_OK, "Data = a date " + Hex(assigned));
  const HRESULT refused = quilan->put_Data(bad);
  Check(refused == kTypeMismatch, "Data = a non-date gives error 13 " + Hex(refused));
  // Windows carries the description across processes on the vtable path too; wine 8 does not.
  ComPtr<IErrorInfo> info;
  BSTR description = nullptr;
  if (!RunningUnderWine() && GetErrorInfo(0, &info) == S_OK && info->GetDescription(&description) == S_OK) {
    Check(std::wstring(description).find(kNotADate) != std::wstring::npos, "its description names the text");
    SysFreeString(description);
  }
  Check(FAILED(ReadData(quilan.Get())), "reading Data fails");
  Check(quilan->put_Data(good) == S_OK, "Data = the date again");
  SysFreeString(good);
  SysFreeString(bad);
  CheckWindow(kChristmas);
}

void Shown() {
  const HWND window = FindQuilanWindow();
  Check(window && TableShown(window), "the window shows every row of the table");
  Check(EndServer(), "the server ends when its window is closed");
}

std::chrono::sys_seconds Moment(const orbelle::host::RequestInstant& r) {
  using namespace std::chrono;
  return sys_days{year{r.year} / r.month / r.day} + hours{r.hour} + minutes{r.minute};
}

void StartedByHand() {
  HWND window = nullptr;
  for (int i = 0; i < 300 && !(window && IsWindowVisible(window)); ++i, Sleep(100)) window = FindQuilanWindow();
  Check(window != nullptr, "the program started by hand shows its window");
  if (!window) return;
  const std::wstring request = RequestBoxText(window);
  try {
    const auto shown =
        orbelle::host::ReadRequest(orbelle::windows::Narrow(request), orbelle::windows::WindowsUserConventions());
    const auto minutes = std::chrono::abs(Moment(shown) - Moment(orbelle::host::TerrestrialNow()));
    Check(minutes <= std::chrono::minutes(3), "the request " + orbelle::windows::Narrow(request) + " is now (TT)");
  } catch (const orbelle::host::RequestError& e) {
    Check(false, e.what());
  }
  Check(TableShown(window), "the window shows every row of the table");
  Check(StatusText(window).rfind(L"Now in TT (UTC + ", 0) == 0, "the status line says that the table shows now, in TT");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  if (mode == L"late") {
    LateBound();
  } else if (mode == L"early") {
    EarlyBound();
  } else if (mode == L"shown") {
    Shown();
  } else if (mode == L"now") {
    StartedByHand();
  } else {
    std::fprintf(stderr, "usage: platform_client late|early|shown|now\n");
    return 2;
  }
  CoUninitialize();
  if (failures == 0) std::printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}
