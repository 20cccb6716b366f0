// The request notation and the decimal separator follow the Windows user locale. The test
// runs once per locale (the wine stage selects the user locale with LANG); reference
// notations from the Windows locale tables (en-US M/d/yyyy, de-DE dd.MM.yyyy, en-GB
// dd/MM/yyyy).
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "host/core/angle_cells.h"
#include "host/core/request_text.h"
#include "host/windows/windows_conventions.h"

namespace orbelle::windows {
namespace {

TEST(WindowsUserConventions, RequestAndDecimalsInTheUserLocale) {
  // 25 December 2026, 22:30 in the locale's short notation, and 75.5 as a decimal cell.
  const std::map<std::wstring, std::pair<const char*, const char*>> cases = {
      {L"en-US", {"12/25/2026 10:30 PM", "75.50   "}},
      {L"de-DE", {"25.12.2026 22:30", "75,50   "}},
      {L"en-GB", {"25/12/2026 22:30", "75.50   "}},
  };
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  const auto found = cases.find(name);
  if (found == cases.end()) GTEST_SKIP() << "no reference for this user locale";
  const host::RegionalConventions region = WindowsUserConventions();
  const host::RequestInstant i = host::ReadRequest(found->second.first, region);
  EXPECT_EQ(std::vector<int>({i.year, i.month, i.day, i.hour, i.minute}), std::vector<int>({2026, 12, 25, 22, 30}));
  EXPECT_EQ(host::DecimalCell(75.5f, region), found->second.second);
}

}  // namespace
}  // namespace orbelle::windows
