// OrbelleAngles.exe: the out-of-process automation server of QuilanCls.
//
//   OrbelleAngles.exe /RegServer [/User]   register (per machine when allowed, else per user;
//                                          /User asks for the user's registration)
//   OrbelleAngles.exe /UnregServer         remove the registration
//   OrbelleAngles.exe -Embedding           started by COM for a client
//   OrbelleAngles.exe                      started by hand: shows the window
//
// The exit code of the registration commands is 0 on success, 1 otherwise.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

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
    for (wchar_t& c : s) c = static_cast<wchar_t>(towlower(c));
    switches.push_back(s);
  }
  LocalFree(arguments);
  return switches;
}

bool Has(const std::vector<std::wstring>& switches, const wchar_t* name) {
  for (const std::wstring& s : switches)
    if (s == name) return true;
  return false;
}

int RunServer(HINSTANCE instance, bool embedded) {
  QuilanServer server(instance);
  IClassFactory* factory = CreateQuilanClassFactory(server);
  if (!factory) return 1;
  DWORD cookie = 0;
  if (FAILED(CoRegisterClassObject(CLSID_QuilanCls, factory, CLSCTX_LOCAL_SERVER,
                                   REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie)) ||
      FAILED(CoResumeClassObjects())) {
    factory->Release();
    return 1;
  }
  if (!embedded) {
    // Started by hand: the window of one instance that nobody else holds.
    IUnknown* own = nullptr;
    if (SUCCEEDED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&own)))) own->Release();
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
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int code = 0;
  if (Has(switches, L"regserver")) {
    const RegistrationScope scope = Has(switches, L"user") ? RegistrationScope::kUser : DefaultRegistrationScope();
    code = RegisterServer(scope) == ERROR_SUCCESS ? 0 : 1;
  } else if (Has(switches, L"unregserver")) {
    code = UnregisterServer() == ERROR_SUCCESS ? 0 : 1;
  } else {
    code = RunServer(instance, Has(switches, L"embedding"));
  }
  CoUninitialize();
  return code;
}
