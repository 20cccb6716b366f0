// Timing of the automation server as a client sees it, printed (not asserted):
//  - cold start: from the first creation of the class (no server running) to the return of
//    the first Data assignment, that is until the first table is on the window;
//  - one Data assignment with its repaint, median and 99th percentile over 200 requests.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/windows/client/automation_client.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

}  // namespace

int main() {
  using namespace orbelle::testing;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (const HWND running = FindQuilanWindow()) {
    const DWORD process = WindowProcessId(running);
    CloseQuilanWindow(running);
    WaitForProcessEnd(process);
  }
  const LARGE_INTEGER start = Now();
  IDispatch* quilan = nullptr;
  if (FAILED(CreateQuilan(&quilan)) || AssignData(quilan, L"12/25/2026 10:30").result != S_OK) {
    std::fprintf(stderr, "the server could not be started\n");
    return 1;
  }
  const double cold = Milliseconds(start, Now());

  std::vector<double> times;
  for (int day = 1; day <= 200; ++day) {
    const std::wstring request = std::to_wstring(1 + day % 12) + L"/" + std::to_wstring(1 + day % 28) + L"/" +
                                 std::to_wstring(1900 + day) + L" " + std::to_wstring(day % 24) + L":30";
    const LARGE_INTEGER before = Now();
    if (AssignData(quilan, request).result != S_OK) {
      std::fprintf(stderr, "assignment of a valid request failed\n");
      return 1;
    }
    times.push_back(Milliseconds(before, Now()));
  }
  std::sort(times.begin(), times.end());
  std::printf("cold start (creation to first table): %.0f ms\n", cold);
  std::printf("Data assignment with repaint over %zu requests: median %.2f ms, p99 %.2f ms\n", times.size(),
              times[times.size() / 2], times[(times.size() * 99) / 100 - 1]);

  const HWND window = FindQuilanWindow();
  const DWORD process = WindowProcessId(window);
  CloseQuilanWindow(window);
  quilan->Release();
  WaitForProcessEnd(process);
  CoUninitialize();
  return 0;
}
