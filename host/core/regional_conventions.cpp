#include "host/core/regional_conventions.h"

#include <algorithm>
#include <utility>

namespace orbelle::host {

void TakeShortDatePattern(std::string_view pattern, RegionalConventions& region) {
  std::array<std::pair<std::size_t, DateField>, 3> at = {{{pattern.find('d'), DateField::kDay},
                                                          {pattern.find('M'), DateField::kMonth},
                                                          {pattern.find('y'), DateField::kYear}}};
  for (const auto& [pos, field] : at) {
    if (pos == std::string_view::npos) return;
  }
  std::sort(at.begin(), at.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  region.date_order = {at[0].second, at[1].second, at[2].second};
  const std::size_t first_end = pattern.find_first_not_of(pattern[at[0].first], at[0].first);
  std::string separator(pattern.substr(first_end, at[1].first - first_end));
  std::erase(separator, ' ');
  if (!separator.empty()) region.date_separator = separator;
}

}  // namespace orbelle::host
