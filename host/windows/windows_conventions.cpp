#include "host/windows/windows_conventions.h"

#include <windows.h>

#include <string>

#include "host/windows/wide_text.h"

namespace orbelle::windows {
namespace {

std::string LocaleText(LCTYPE what) {
  wchar_t text[128] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, what, text, 128);
  return length > 1 ? Narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1))) : std::string();
}

}  // namespace

host::RegionalConventions WindowsUserConventions() {
  host::RegionalConventions region;
  host::TakeShortDatePattern(LocaleText(LOCALE_SSHORTDATE), region);
  if (std::string am = LocaleText(LOCALE_S1159); !am.empty()) region.am_text = am;
  if (std::string pm = LocaleText(LOCALE_S2359); !pm.empty()) region.pm_text = pm;
  if (std::string decimal = LocaleText(LOCALE_SDECIMAL); !decimal.empty()) region.decimal_separator = decimal;
  // The last year that a two-digit year can mean (2049 by default on Windows).
  DWORD last_year = 0;
  if (GetCalendarInfoEx(LOCALE_NAME_USER_DEFAULT, CAL_GREGORIAN, nullptr, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                        nullptr, 0, &last_year) &&
      last_year >= 99 && last_year <= 9999) {
    region.two_digit_year_start = static_cast<int>(last_year) - 99;
  }
  return region;
}

}  // namespace orbelle::windows
