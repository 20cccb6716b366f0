// The automation server as the suite's programs use it: a C++ client in its own process
// creates OrbelleAngles.QuilanCls out of process and assigns Data through IDispatch. Run
// under wine with a display; the server must be registered (the registration test runs
// first).
#include <gtest/gtest.h>

#include <thread>

#include "host/windows/orbelle_angles.h"
#include "tests/windows/client/automation_client.h"

namespace orbelle::testing {
namespace {

constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000DL);  // Visual Basic error 13

// The colours of the table's rows (the classic sixteen-colour palette): Sun, Moon, Mercury,
// Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, node.
const COLORREF kRowColours[] = {RGB(0, 0, 255),     RGB(0, 0, 0),       RGB(255, 0, 255), RGB(0, 255, 255),
                                RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(192, 192, 192), RGB(0, 128, 0),
                                RGB(0, 128, 128),   RGB(128, 128, 128), RGB(128, 0, 0)};

template <class T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
  operator T*() const { return p; }
};

class AutomationClient : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    SetDataDirectory(ShippedDataDirectory());
    EndServer();
  }
  void TearDown() override {
    EndServer();
    CoUninitialize();
  }
  // Closes a window left open, so that every test starts a server of its own.
  static void EndServer() {
    if (const HWND window = FindQuilanWindow()) {
      const DWORD process = WindowProcessId(window);
      CloseQuilanWindow(window);
      EXPECT_TRUE(WaitForProcessEnd(process)) << "the server did not end after its window was closed";
    }
  }
};

TEST_F(AutomationClient, AssignmentShowsTheTableInTheTopMostWindow) {
  Released<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  const Assignment a = AssignData(quilan, L"12/25/2026 10:30");
  ASSERT_EQ(a.result, S_OK) << std::string(a.description.begin(), a.description.end());

  const HWND window = FindQuilanWindow();
  ASSERT_NE(window, nullptr) << "no window captioned \"Planets Position\"";
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(RequestBoxText(window), L"12/25/2026 10:30");
  const std::map<COLORREF, int> pixels = TableColourCounts(window);
  for (COLORREF colour : kRowColours) {
    const auto found = pixels.find(colour);
    EXPECT_GT(found == pixels.end() ? 0 : found->second, 20)
        << "row colour " << std::hex << colour << " is not on the screen";
  }

  // Typing another date into the request box redraws the table.
  const HWND box = FindWindowExW(window, nullptr, L"EDIT", nullptr);
  SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7/4/1976 12:00"), SMTO_ABORTIFHUNG, 5000, nullptr);
  EXPECT_NE(TableColourCounts(window), pixels);
}

TEST_F(AutomationClient, TextWithoutDateFailsNamingItAndTheTableStays) {
  Released<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  ASSERT_EQ(AssignData(quilan, L"12/25/2026 10:30").result, S_OK);
  const HWND window = FindQuilanWindow();
  const std::map<COLORREF, int> before = TableColourCounts(window);

  const Assignment bad = AssignData(quilan, L"next Tuesday");
  EXPECT_EQ(bad.result, DISP_E_EXCEPTION);
  EXPECT_EQ(bad.scode, kTypeMismatch);
  EXPECT_NE(bad.description.find(L"next Tuesday"), std::wstring::npos);
  const std::map<COLORREF, int> after = TableColourCounts(window);
  for (COLORREF colour : kRowColours) EXPECT_EQ(before.count(colour) ? before.at(colour) : 0, after.count(colour) ? after.at(colour) : 0);

  // The vtable path: the same error code. Windows carries the error description across
  // processes here too; wine 8 does not (GetErrorInfo gives nothing in the client), so
  // there only the code is checked.
  Released<_QuilanCls> direct;
  ASSERT_EQ(quilan->QueryInterface(IID__QuilanCls, reinterpret_cast<void**>(&direct)), S_OK);
  BSTR text = SysAllocString(L"31/31/31");
  EXPECT_EQ(direct->put_Data(text), kTypeMismatch);
  SysFreeString(text);
  Released<IErrorInfo> info;
  const HRESULT got_info = GetErrorInfo(0, &info);
  if (!RunningUnderWine()) {
    ASSERT_EQ(got_info, S_OK);
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_NE(std::wstring(description).find(L"31/31/31"), std::wstring::npos);
    SysFreeString(description);
  }
}

TEST_F(AutomationClient, DataCannotBeReadAndTheLibraryDescribesTheClass) {
  Released<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  EXPECT_EQ(ReadData(quilan), DISP_E_MEMBERNOTFOUND);

  Released<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(LIBID_OrbelleAngles, 1, 0, 0x409, &library), S_OK);
  BSTR name = nullptr, help = nullptr;
  library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  EXPECT_STREQ(name, L"OrbelleAngles");
  EXPECT_STREQ(help, L"Orbelle show planet angles list");
  SysFreeString(name);
  SysFreeString(help);
  TLIBATTR* library_attributes = nullptr;
  library->GetLibAttr(&library_attributes);
  EXPECT_EQ(library_attributes->lcid, 0x409u);
  library->ReleaseTLibAttr(library_attributes);

  auto flags = [&](REFGUID guid) {
    Released<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfoOfGuid(guid, &info), S_OK);
    HREFTYPE vtable_half = 0;  // of a dual interface, whose flags say all
    if (guid == IID__QuilanCls && SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable_half))) {
      ITypeInfo* dispatch_half = info.p;
      info.p = nullptr;
      dispatch_half->GetRefTypeInfo(vtable_half, &info);
      dispatch_half->Release();
    }
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    const WORD f = attributes->wTypeFlags;
    info->ReleaseTypeAttr(attributes);
    return f;
  };
  EXPECT_EQ(flags(CLSID_QuilanCls), TYPEFLAG_FAPPOBJECT | TYPEFLAG_FCANCREATE | TYPEFLAG_FPREDECLID);
  const WORD interface_flags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
  EXPECT_EQ(flags(IID__QuilanCls) & interface_flags, interface_flags);

  // Data: one put accessor, dispatch id 0x68030000, a string by value.
  Released<ITypeInfo> info;
  ASSERT_EQ(quilan->GetTypeInfo(0, 0x409, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  int puts = 0, others = 0;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* f = nullptr;
    info->GetFuncDesc(i, &f);
    if (f->memid == 0x68030000 && f->invkind == INVOKE_PROPERTYPUT && f->cParams == 1 &&
        f->lprgelemdescParam[0].tdesc.vt == VT_BSTR)
      ++puts;
    else if (f->memid >= 0x60000000 && f->memid < 0x60020000)
      ;  // the members of IUnknown and IDispatch
    else
      ++others;
    info->ReleaseFuncDesc(f);
  }
  info->ReleaseTypeAttr(attributes);
  EXPECT_EQ(puts, 1);
  EXPECT_EQ(others, 0);
}

TEST_F(AutomationClient, TwoInstancesShareOneWindow) {
  Released<IDispatch> first, second;
  ASSERT_EQ(CreateQuilan(&first), S_OK);
  ASSERT_EQ(CreateQuilan(&second), S_OK);
  ASSERT_EQ(AssignData(first, L"1/1/2000").result, S_OK);
  ASSERT_EQ(AssignData(second, L"7/4/1976 12:00").result, S_OK);
  EXPECT_EQ(CountQuilanWindows(), 1);
  EXPECT_EQ(WindowProcessId(FindQuilanWindow()), WindowProcessId(FindQuilanWindow()));
  EXPECT_EQ(RequestBoxText(FindQuilanWindow()), L"7/4/1976 12:00");
}

TEST_F(AutomationClient, ServerEndsWhenTheWindowIsClosedAndTheLastInstanceReleased) {
  IDispatch* quilan = nullptr;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  const HWND window = FindQuilanWindow();
  ASSERT_NE(window, nullptr);
  const DWORD server = WindowProcessId(window);

  CloseQuilanWindow(window);
  EXPECT_FALSE(WaitForProcessEnd(server, 500)) << "the server ended while a client held an instance";
  // An assignment after the window was closed loads the form again and draws on it but does
  // not show it; a new instance does.
  EXPECT_EQ(AssignData(quilan, L"3/20/2025 9:01").result, S_OK);
  EXPECT_FALSE(FindQuilanWindow() && IsWindowVisible(FindQuilanWindow()));
  {
    Released<IDispatch> another;
    ASSERT_EQ(CreateQuilan(&another), S_OK);
    ASSERT_NE(FindQuilanWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(FindQuilanWindow()));
    CloseQuilanWindow(FindQuilanWindow());
  }
  quilan->Release();
  EXPECT_TRUE(WaitForProcessEnd(server)) << "the server outlived its window and its last instance";
}

TEST_F(AutomationClient, WindowComesBackWhereItWasClosed) {
  DeleteFileA(WindowsDirectoryFile("OrbelleAnglesPos.Ini").c_str());
  RECT placed{};
  {
    Released<IDispatch> quilan;
    ASSERT_EQ(CreateQuilan(&quilan), S_OK);
    const HWND window = FindQuilanWindow();
    SetWindowPos(window, nullptr, 120, 90, 450, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(window, &placed);
    const DWORD server = WindowProcessId(window);
    CloseQuilanWindow(window);
    quilan.p->Release();
    quilan.p = nullptr;
    ASSERT_TRUE(WaitForProcessEnd(server));
  }
  // Twips of the outer window at the screen's dots per inch.
  const HDC screen = GetDC(nullptr);
  const int twips_per_pixel = 1440 / GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  char left[32] = {};
  GetPrivateProfileStringA("Size", "Left", "", left, sizeof left, "OrbelleAnglesPos.Ini");
  EXPECT_EQ(std::string(left), std::to_string(placed.left * twips_per_pixel));

  {
    Released<IDispatch> again;
    ASSERT_EQ(CreateQuilan(&again), S_OK);
    RECT restored{};
    GetWindowRect(FindQuilanWindow(), &restored);
    EXPECT_EQ(restored.left, placed.left);
    EXPECT_EQ(restored.top, placed.top);
    EXPECT_EQ(restored.right - restored.left, placed.right - placed.left);
    EXPECT_EQ(restored.bottom - restored.top, placed.bottom - placed.top);
  }
  EndServer();

  // A stored place beyond the right edge of the screen centres the window.
  const std::string beyond = std::to_string(GetSystemMetrics(SM_CXSCREEN) * twips_per_pixel);
  WritePrivateProfileStringA("Size", "Left", beyond.c_str(), "OrbelleAnglesPos.Ini");
  Released<IDispatch> centred;
  ASSERT_EQ(CreateQuilan(&centred), S_OK);
  RECT r{};
  GetWindowRect(FindQuilanWindow(), &r);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(AutomationClient, SecondCopyRestoresTheEarlierWindowAndEnds) {
  Released<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  const HWND window = FindQuilanWindow();
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));

  wchar_t server[MAX_PATH] = {};
  LONG size = sizeof server;
  ASSERT_EQ(RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{15970D44-8EE7-4477-A793-44289D155C8D}\\LocalServer32",
                           server, &size),
            ERROR_SUCCESS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  ASSERT_TRUE(CreateProcessW(nullptr, server, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &second));
  EXPECT_EQ(WaitForSingleObject(second.hProcess, kServerEndMilliseconds), WAIT_OBJECT_0) << "the second copy kept running";
  CloseHandle(second.hThread);
  CloseHandle(second.hProcess);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(CountQuilanWindows(), 1);
}

// The installation checks: a message box with the application's title, then the process
// ends without showing the window. The creation fails for the client meanwhile.
TEST_F(AutomationClient, InstallationProblemsShowTheirMessageAndNoWindow) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const struct {
    std::string directory;
    std::wstring message;
  } cases[] = {{std::string(temp), L"Main orbelle module not found"}, {"", L"Please. Install QUADREX again"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.message.begin(), c.message.end()));
    SetDataDirectory(c.directory);
    HRESULT created = S_OK;
    std::thread client([&] {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      IDispatch* quilan = nullptr;
      created = CreateQuilan(&quilan);
      if (quilan) quilan->Release();
      CoUninitialize();
    });
    HWND box = nullptr;
    for (int i = 0; i < 1000 && !box; ++i, Sleep(20)) box = FindWindowW(L"#32770", L"OrbelleAngles");
    ASSERT_NE(box, nullptr) << "no message box";
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_EQ(std::wstring(text), c.message);
    EXPECT_EQ(FindQuilanWindow(), nullptr);
    const DWORD server = WindowProcessId(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    client.join();
    EXPECT_TRUE(FAILED(created));
    EXPECT_TRUE(WaitForProcessEnd(server));
    EXPECT_EQ(FindQuilanWindow(), nullptr);
  }
  SetDataDirectory(ShippedDataDirectory());
}

}  // namespace
}  // namespace orbelle::testing
