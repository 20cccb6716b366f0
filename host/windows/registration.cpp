#include "host/windows/registration.h"

#include <string>

#include "host/windows/orbelle_angles.h"

namespace orbelle::windows {
namespace {

constexpr const wchar_t* kClassName = L"QuilanCls";
constexpr const wchar_t* kInterfaceName = L"_QuilanCls";
constexpr const wchar_t* kProgId = L"OrbelleAngles.QuilanCls";
constexpr const wchar_t* kLibraryHelp = L"Orbelle show planet angles list";
constexpr const wchar_t* kVersion = L"1.0";
// The type-library marshaler of oleaut32 (PSOAInterface).
constexpr const wchar_t* kTypeLibraryMarshaler = L"{00020424-0000-0000-C000-000000000046}";

// The two registry views of 64-bit Windows. 64-bit Windows gives a 32-bit process its own
// copy of Classes\CLSID and Classes\Interface (the 32-bit view), so a 32-bit client finds
// the class and the interface's marshaler only there. 32-bit Windows ignores both flags.
constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

// This program holds the type library twice, as resources of its file: number 1 built for
// its own platform, number 2 for the other one (a 32-bit client's marshaler lays out the
// interface from the win32 library, a 64-bit one from the win64 library).
constexpr bool kProgramIs64Bit = sizeof(void*) == 8;

std::wstring Text(REFGUID guid) {
  wchar_t text[64];
  StringFromGUID2(guid, text, 64);
  return text;
}

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}

std::wstring LibraryPath(const std::wstring& program, bool for_64_bit) {
  return for_64_bit == kProgramIs64Bit ? program : program + L"\\2";
}

// Software\Classes of the scope in one view. The view is chosen here, on the first key
// opened from the root: a key opened relative to a handle lands in that handle's view,
// whatever view flag the relative call passes.
HKEY ClassesRoot(RegistrationScope scope, REGSAM access, REGSAM view, LONG& error) {
  HKEY key = nullptr;
  error = RegCreateKeyExW(scope == RegistrationScope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                          L"Software\\Classes", 0, nullptr, 0, access | view, nullptr, &key, nullptr);
  return error == ERROR_SUCCESS ? key : nullptr;
}

// Sets the value `name` (nullptr: the default value) of `subkey` below `root`.
LONG SetValue(HKEY root, const std::wstring& subkey, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  LONG error = RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (error != ERROR_SUCCESS) return error;
  error = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return error;
}

// The keys below Software\Classes that belong to this server, each removed as a whole.
std::wstring ClassKey() { return L"CLSID\\" + Text(CLSID_QuilanCls); }
std::wstring InterfaceKey() { return L"Interface\\" + Text(IID__QuilanCls); }
std::wstring LibraryKey() { return L"TypeLib\\" + Text(LIBID_OrbelleAngles); }

LONG RegisterInView(HKEY root) {
  const std::wstring program = ProgramPath();
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
  const std::wstring library = Text(LIBID_OrbelleAngles), clsid = Text(CLSID_QuilanCls);
  const std::wstring class_key = ClassKey(), interface_key = InterfaceKey();
  const std::wstring library_key = LibraryKey() + L"\\" + kVersion;
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } values[] = {
      {class_key, nullptr, kClassName},
      {class_key + L"\\LocalServer32", nullptr, L"\"" + program + L"\""},
      {class_key + L"\\ProgID", nullptr, kProgId},
      {class_key + L"\\TypeLib", nullptr, library},
      {class_key + L"\\Version", nullptr, kVersion},
      {class_key + L"\\Programmable", nullptr, L""},
      {kProgId, nullptr, kClassName},
      {std::wstring(kProgId) + L"\\CLSID", nullptr, clsid},
      {interface_key, nullptr, kInterfaceName},
      {interface_key + L"\\ProxyStubClsid", nullptr, kTypeLibraryMarshaler},
      {interface_key + L"\\ProxyStubClsid32", nullptr, kTypeLibraryMarshaler},
      {interface_key + L"\\TypeLib", nullptr, library},
      {interface_key + L"\\TypeLib", L"Version", kVersion},
      {library_key, nullptr, kLibraryHelp},
      {library_key + L"\\0\\win64", nullptr, LibraryPath(program, true)},
      {library_key + L"\\0\\win32", nullptr, LibraryPath(program, false)},
      {library_key + L"\\FLAGS", nullptr, L"0"},
      {library_key + L"\\HELPDIR", nullptr, folder},
  };
  for (const auto& v : values)
    if (const LONG error = SetValue(root, v.key, v.name, v.value); error != ERROR_SUCCESS) return error;
  return ERROR_SUCCESS;
}

}  // namespace

RegistrationScope DefaultRegistrationScope() {
  LONG error = ERROR_SUCCESS;
  const HKEY root = ClassesRoot(RegistrationScope::kMachine, KEY_WRITE, KEY_WOW64_64KEY, error);
  if (!root) return RegistrationScope::kUser;
  RegCloseKey(root);
  return RegistrationScope::kMachine;
}

LONG RegisterServer(RegistrationScope scope) {
  LONG error = ERROR_SUCCESS;
  for (REGSAM view : kViews) {
    const HKEY root = ClassesRoot(scope, KEY_WRITE, view, error);
    if (!root) break;
    error = RegisterInView(root);
    RegCloseKey(root);
    if (error != ERROR_SUCCESS) break;
  }
  if (error != ERROR_SUCCESS) UnregisterServer();
  return error;
}

LONG UnregisterServer() {
  LONG result = ERROR_SUCCESS;
  for (RegistrationScope scope : {RegistrationScope::kMachine, RegistrationScope::kUser}) {
    for (REGSAM view : kViews) {
      LONG error = ERROR_SUCCESS;
      const HKEY root = ClassesRoot(scope, KEY_ALL_ACCESS, view, error);
      if (!root) {
        if (scope == RegistrationScope::kUser) result = error;
        continue;
      }
      for (const std::wstring& key : {ClassKey(), InterfaceKey(), LibraryKey(), std::wstring(kProgId)}) {
        error = RegDeleteTreeW(root, key.c_str());
        if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) result = error;
      }
      RegCloseKey(root);
    }
  }
  return result;
}

}  // namespace orbelle::windows
