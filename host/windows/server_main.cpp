// OrbelleAngles.exe: the out-of-process automation server of QuilanCls.
//
//   OrbelleAngles.exe /RegServer [/User]   register (per machine when allowed, else per user;
//                                          /User asks for the user's registration)
//   OrbelleAngles.exe /UnregServer         remove the registration
//   OrbelleAngles.exe -Embedding           started by COM for a client (also /Automation)
//   OrbelleAngles.exe                      started by hand (or from the Start menu): shows
//                                          the window with the table for now
//
// The exit code of the registration commands is 0 on success, 1 otherwise. A switch not
// listed here is named in a message box, and the exit code is 2.
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/windows/orbelle_angles.h"
#include "host/windows/quilan_cls.h"
#include "host/windows/quilan_server.h"
#include "host/windows/registration.h"
#include "host/windows/server_lifetime.h"

namespace {

using namespace orbelle::windows;

std::vector<std::wstring> Switches() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> switches;
  for (int i = 1; i < count; ++i) {
    std::wstring s = arguments[i];
    if (!s.empty() && (s[0] == L'/' || s[0] == L'-')) s.erase(0, 1);
    switches.push_back(s);
  }
  LocalFree(arguments);
  return switches;
}

bool Has(const std::vector<std::wstring>& switches, const wchar_t* name) {
  for (const std::wstring& s : switches)
    if (_wcsicmp(s.c_str(), name) == 0) return true;
  return false;
}

constexpr int kUnknownSwitch = 2;

// The first switch this program does not know, or nothing.
const std::wstring* UnknownSwitch(const std::vector<std::wstring>& switches) {
  for (const std::wstring& s : switches) {
    bool known = false;
    for (const wchar_t* name : {L"regserver", L"unregserver", L"user", L"embedding", L"automation"})
      known = known || _wcsicmp(s.c_str(), name) == 0;
    if (!known) return &s;
  }
  return nullptr;
}

int RunServer(HINSTANCE instance, bool embedded) {
  QuilanServer server(instance);
  IClassFactory* factory = CreateQuilanClassFactory(server);
  if (!factory) return 1;
  DWORD cookie = 0;
  if (FAILED(CoRegisterClassObject(CLSID_QuilanCls, factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED,
                                   &cookie)) ||
      FAILED(CoResumeClassObjects())) {
    factory->Release();
    return 1;
  }
  if (!embedded) {
    // Started by hand: the window of one instance that nobody else holds, with the table for
    // the present moment, following the clock.
    IUnknown* own = nullptr;
    if (SUCCEEDED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&own)))) {
      server.Form().GoLive();
      own->Release();
    }
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoRevokeClassObject(cookie);
  factory->Release();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  const std::vector<std::wstring> switches = Switches();
  if (const std::wstring* unknown = UnknownSwitch(switches)) {
    const std::wstring message = L"Unknown switch: /" + *unknown +
                                 L"\n\nOrbelleAngles.exe knows /RegServer [/User], /UnregServer and /Embedding; "
                                 L"without a switch it shows the window.";
    MessageBoxW(nullptr, message.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
    return kUnknownSwitch;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int code = 0;
  if (Has(switches, L"regserver")) {
    const RegistrationScope scope = Has(switches, L"user") ? RegistrationScope::kUser : DefaultRegistrationScope();
    code = RegisterServer(scope) == ERROR_SUCCESS ? 0 : 1;
  } else if (Has(switches, L"unregserver")) {
    code = UnregisterServer() == ERROR_SUCCESS ? 0 : 1;
  } else {
    code = RunServer(instance, Has(switches, L"embedding") || Has(switches, L"automation"));
  }
  CoUninitialize();
  return code;
}
