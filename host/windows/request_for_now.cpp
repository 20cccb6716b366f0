#include "host/windows/request_for_now.h"

#include <windows.h>

#include <cstdio>
#include <tuple>

#include "host/core/request_text.h"
#include "host/core/terrestrial_time.h"
#include "host/windows/wide_text.h"
#include "host/windows/windows_conventions.h"

namespace orbelle::windows {

std::wstring RequestForNow() {
  const host::RequestInstant now = host::TerrestrialNow();
  wchar_t time[8];
  std::swprintf(time, 8, L"%02d:%02d", now.hour, now.minute);
  SYSTEMTIME day{};
  day.wYear = static_cast<WORD>(now.year);
  day.wMonth = static_cast<WORD>(now.month);
  day.wDay = static_cast<WORD>(now.day);
  wchar_t date[80] = {};
  if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, date, 80, nullptr) > 0) {
    const std::wstring regional = std::wstring(date) + L' ' + time;
    try {
      const host::RequestInstant read = host::ReadRequest(Narrow(regional), WindowsUserConventions());
      if (std::tie(read.year, read.month, read.day, read.hour, read.minute) ==
          std::tie(now.year, now.month, now.day, now.hour, now.minute))
        return regional;
    } catch (const host::RequestError&) {
    }
  }
  wchar_t iso[32];
  std::swprintf(iso, 32, L"%04d-%02d-%02d %ls", now.year, now.month, now.day, time);
  return iso;
}

}  // namespace orbelle::windows
