// Timing of the automation server as a client sees it, printed (not asserted):
//  - cold start: from the first creation of the class (no server running) to the return of
//    the first Data assignment, that is until the first table is on the window;
//  - one Data assignment with its repaint, median and 99th percentile over 200 requests.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/windows/client/automation_client.h"

int main() {
  using namespace orbelle::testing;
  using Clock = std::chrono::steady_clock;
  auto milliseconds = [](Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
  };
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EndServer();
  const auto start = Clock::now();
  IDispatch* quilan = nullptr;
  if (FAILED(CreateQuilan(&quilan)) || AssignData(quilan, L"12/25/2026 10:30").result != S_OK) {
    std::fprintf(stderr, "the server could not be started\n");
    return 1;
  }
  const double cold = milliseconds(start);

  std::vector<double> times;
  for (int day = 1; day <= 200; ++day) {
    const std::wstring request = std::to_wstring(1 + day % 12) + L"/" + std::to_wstring(1 + day % 28) + L"/" +
                                 std::to_wstring(1900 + day) + L" " + std::to_wstring(day % 24) + L":30";
    const auto before = Clock::now();
    if (AssignData(quilan, request).result != S_OK) {
      std::fprintf(stderr, "assignment of a valid request failed\n");
      return 1;
    }
    times.push_back(milliseconds(before));
  }
  std::sort(times.begin(), times.end());
  std::printf("cold start (creation to first table): %.0f ms\n", cold);
  std::printf("Data assignment with repaint over %zu requests: median %.2f ms, p99 %.2f ms\n", times.size(),
              times[times.size() / 2], times[(times.size() * 99) / 100 - 1]);
  quilan->Release();
  EndServer();
  CoUninitialize();
  return 0;
}
