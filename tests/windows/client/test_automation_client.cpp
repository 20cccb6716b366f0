// The automation server as the suite's programs use it: a C++ client in its own process
// creates OrbelleAngles.QuilanCls out of process and assigns Data through IDispatch. Run
// under wine with a display; the server must be registered (the registration test runs
// first).
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <thread>
#include <vector>

#include "host/windows/orbelle_angles.h"
#include "tests/windows/client/automation_client.h"

namespace orbelle::testing {
namespace {

using Microsoft::WRL::ComPtr;

constexpr const char* kPositionFile = "OrbelleAnglesPos.Ini";
constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000DL);  // Visual Basic error 13

class AutomationClient : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    SetDataDirectory();
    ASSERT_TRUE(EndServer());  // every test starts a server of its own, at the designed place
    WritePrivateProfileStringA("Size", nullptr, nullptr, kPositionFile);
  }
  void TearDown() override {
    EXPECT_TRUE(EndServer()) << "the server did not end after its window was closed";
    CoUninitialize();
  }
};

TEST_F(AutomationClient, AssignmentsRedrawTheTopMostWindowAndBadTextsLeaveTheTable) {
  ComPtr<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  // Started by a client: the window waits for its request, never following the clock.
  EXPECT_EQ(RequestBoxText(FindQuilanWindow()), L"");
  EXPECT_EQ(StatusText(FindQuilanWindow()), L"");
  const Assignment a = AssignData(quilan.Get(), L"12/25/2026 10:30");
  ASSERT_EQ(a.result, S_OK) << std::string(a.description.begin(), a.description.end());
  const HWND window = FindQuilanWindow();
  ASSERT_NE(window, nullptr) << "no window captioned \"Planets Position\"";
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(RequestBoxText(window), L"12/25/2026 10:30");
  EXPECT_TRUE(TableShown(window)) << "a row colour is missing from the screen";
  const std::vector<int> christmas = RowPixels(window);

  const Assignment bad = AssignData(quilan.Get(), L"next Tuesday");
  EXPECT_EQ(bad.result, DISP_E_EXCEPTION);
  EXPECT_EQ(bad.scode, kTypeMismatch);
  EXPECT_NE(bad.description.find(L"next Tuesday"), std::wstring::npos);
  EXPECT_EQ(RowPixels(window), christmas);

  // Data is write-only, with the dispatch identifier early-bound clients compiled in.
  EXPECT_EQ(DataId(quilan.Get()), 0x68030000);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(quilan->Invoke(DataId(quilan.Get()), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  // The vtable path (put_Data) is driven by platform_client early, on each platform of the
  // installer tests.
}

// The flags that make QuilanCls a predeclared application object behind a dual interface.
TEST_F(AutomationClient, TypeLibraryDescribesTheClass) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(LIBID_OrbelleAngles, 1, 0, 0x409, &library), S_OK);
  BSTR help = nullptr;
  library->GetDocumentation(-1, nullptr, &help, nullptr, nullptr);
  EXPECT_STREQ(help, L"Orbelle show planet angles list");
  SysFreeString(help);
  auto flags = [&](REFGUID guid) {
    ComPtr<ITypeInfo> info, vtable_half;
    HREFTYPE half = 0;
    if (FAILED(library->GetTypeInfoOfGuid(guid, &info))) return WORD{0};
    // Of a dual interface the vtable half carries every flag.
    if (guid == IID__QuilanCls && SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &half)) &&
        SUCCEEDED(info->GetRefTypeInfo(half, &vtable_half)))
      info = vtable_half;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return WORD{0};
    const WORD f = attributes->wTypeFlags;
    info->ReleaseTypeAttr(attributes);
    return f;
  };
  EXPECT_EQ(flags(CLSID_QuilanCls), TYPEFLAG_FAPPOBJECT | TYPEFLAG_FCANCREATE | TYPEFLAG_FPREDECLID);
  const WORD dual = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
  EXPECT_EQ(flags(IID__QuilanCls) & dual, dual);
}

TEST_F(AutomationClient, TwoInstancesShareOneWindow) {
  ComPtr<IDispatch> first, second;
  ASSERT_EQ(CreateQuilan(&first), S_OK);
  ASSERT_EQ(CreateQuilan(&second), S_OK);
  ASSERT_EQ(AssignData(first.Get(), L"1/1/2000").result, S_OK);
  ASSERT_EQ(AssignData(second.Get(), L"7/4/1976 12:00").result, S_OK);
  EXPECT_EQ(CountQuilanWindows(), 1);
  EXPECT_EQ(RequestBoxText(FindQuilanWindow()), L"7/4/1976 12:00");
}

TEST_F(AutomationClient, ServerEndsWhenTheWindowIsClosedAndTheLastInstanceReleased) {
  ComPtr<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  const HWND window = FindQuilanWindow();
  ASSERT_NE(window, nullptr);
  const DWORD server = WindowProcessId(window);
  CloseQuilanWindow(window);
  EXPECT_FALSE(WaitForProcessEnd(server, 500)) << "the server ended while a client held an instance";
  // An assignment after the close draws on a form loaded again but does not show it.
  EXPECT_EQ(AssignData(quilan.Get(), L"3/20/2025 9:01").result, S_OK);
  EXPECT_FALSE(FindQuilanWindow() && IsWindowVisible(FindQuilanWindow()));
  quilan.Reset();
  EXPECT_TRUE(WaitForProcessEnd(server)) << "the server outlived its window and its last instance";
}

// Size and place in twips of the outer window, read back at the next start; a stored place
// off the screen, or a size beyond it, does not survive.
TEST_F(AutomationClient, WindowComesBackWhereItWasClosedAndWithinTheScreen) {
  const char* file = kPositionFile;
  const HDC screen = GetDC(nullptr);
  const int twips = 1440 / GetDeviceCaps(screen, LOGPIXELSX);  // per pixel
  ReleaseDC(nullptr, screen);
  RECT work{}, placed{}, r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  auto start = [&] {  // a client that creates the class and lets it go; the window stays
    ComPtr<IDispatch> quilan;
    EXPECT_EQ(CreateQuilan(&quilan), S_OK);
    GetWindowRect(FindQuilanWindow(), &r);
  };
  start();
  SetWindowPos(FindQuilanWindow(), nullptr, 120, 90, 450, 360, SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(FindQuilanWindow(), &placed);
  ASSERT_TRUE(EndServer());
  char left[32] = {};
  GetPrivateProfileStringA("Size", "Left", "", left, sizeof left, file);
  EXPECT_EQ(std::string(left), std::to_string(placed.left * twips));
  start();
  EXPECT_TRUE(EqualRect(&r, &placed));
  ASSERT_TRUE(EndServer());

  // The largest values a file can hold: the size is cut to the work area, the place below
  // the screen is replaced by centring, and what is saved again is that window (the rules'
  // other cases are in the placement rule's own test).
  for (const char* key : {"Height", "Top"}) WritePrivateProfileStringA("Size", key, "2147483647", file);
  WritePrivateProfileStringA("Size", "Left", "1500", file);
  start();
  RECT within{};
  EXPECT_TRUE(IntersectRect(&within, &r, &work) && EqualRect(&within, &r))
      << "window " << r.left << "," << r.top << " to " << r.right << "," << r.bottom << " beyond the work area";
  ASSERT_TRUE(EndServer());
  EXPECT_LE(static_cast<int>(GetPrivateProfileIntA("Size", "Height", 0, file)), (work.bottom - work.top) * twips);
}

// A log-off or shutdown ends the process without closing the window: the place is saved at
// the end of the session as on close.
TEST_F(AutomationClient, SessionEndSavesThePlace) {
  ComPtr<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  const HWND window = FindQuilanWindow();
  SetWindowPos(window, nullptr, 130, 70, 460, 350, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT placed{};
  GetWindowRect(window, &placed);
  const HDC screen = GetDC(nullptr);
  const int twips = 1440 / GetDeviceCaps(screen, LOGPIXELSX);  // per pixel
  ReleaseDC(nullptr, screen);
  DWORD_PTR agreed = 0;
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &agreed);
  EXPECT_TRUE(agreed);
  SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
  EXPECT_EQ(GetPrivateProfileIntA("Size", "Left", -1, kPositionFile), static_cast<UINT>(placed.left * twips));
  EXPECT_EQ(GetPrivateProfileIntA("Size", "Width", -1, kPositionFile),
            static_cast<UINT>((placed.right - placed.left) * twips));
}

// Started by hand with a switch it does not know, the program names it in a message box and
// ends with a status that is not 0.
TEST_F(AutomationClient, UnknownSwitchIsNamedAndFails) {
  const HANDLE process = StartServerByHand(L"/Frobnicate");
  ASSERT_NE(process, nullptr);
  HWND box = nullptr;
  for (int i = 0; i < 500 && !box; ++i, Sleep(20)) box = FindWindowW(L"#32770", L"OrbelleAngles");
  ASSERT_NE(box, nullptr) << "no message box";
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  EXPECT_NE(std::wstring(text).find(L"/Frobnicate"), std::wstring::npos);
  EXPECT_EQ(FindQuilanWindow(), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(WaitForSingleObject(process, kServerEndMilliseconds), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  EXPECT_NE(code, 0u);
  CloseHandle(process);
}

TEST_F(AutomationClient, SecondCopyRestoresTheEarlierWindowAndEnds) {
  ComPtr<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  const HWND window = FindQuilanWindow();
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));
  const HANDLE second = StartServerByHand();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WaitForSingleObject(second, kServerEndMilliseconds), WAIT_OBJECT_0) << "the second copy kept running";
  CloseHandle(second);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(CountQuilanWindows(), 1);
}

TEST_F(AutomationClient, StartedByHandItFollowsTheClockUntilAClientAssigns) {
  const HANDLE process = StartServerByHand();
  ASSERT_NE(process, nullptr);
  CloseHandle(process);
  HWND window = nullptr;
  for (int i = 0; i < 300 && !(window && IsWindowVisible(window)); ++i, Sleep(100)) window = FindQuilanWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(StatusText(window).rfind(L"Now in TT (UTC + 69.184 s)", 0), 0u) << "not live";
  ComPtr<IDispatch> quilan;
  ASSERT_EQ(CreateQuilan(&quilan), S_OK);
  ASSERT_EQ(AssignData(quilan.Get(), L"12/25/2026 10:30").result, S_OK);
  EXPECT_EQ(RequestBoxText(window), L"12/25/2026 10:30");
  EXPECT_EQ(StatusText(window), L"") << "still live after a client's request";
}

// The installation checks: a message box with the application's title, then the process
// ends without showing the window. The creation fails for the client meanwhile.
TEST_F(AutomationClient, InstallationProblemsShowTheirMessageAndNoWindow) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::pair<std::string, std::wstring> cases[] = {{temp, L"Main orbelle module not found"},
                                                        {"", L"Please. Install QUADREX again"}};
  for (const auto& [directory, message] : cases) {
    SCOPED_TRACE(std::string(message.begin(), message.end()));
    SetDataDirectory(directory);
    HRESULT created = S_OK;
    std::thread client([&] {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      ComPtr<IDispatch> quilan;
      created = CreateQuilan(&quilan);
      quilan.Reset();
      CoUninitialize();
    });
    HWND box = nullptr;
    for (int i = 0; i < 1000 && !box; ++i, Sleep(20)) box = FindWindowW(L"#32770", L"OrbelleAngles");
    ASSERT_NE(box, nullptr) << "no message box";
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_EQ(std::wstring(text), message);
    EXPECT_EQ(FindQuilanWindow(), nullptr);
    const DWORD server = WindowProcessId(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    client.join();
    EXPECT_TRUE(FAILED(created));
    EXPECT_TRUE(WaitForProcessEnd(server));
    EXPECT_EQ(FindQuilanWindow(), nullptr);
  }
  SetDataDirectory();
}

}  // namespace
}  // namespace orbelle::testing
