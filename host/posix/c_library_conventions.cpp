#include "host/posix/c_library_conventions.h"

#include <langinfo.h>
#include <locale.h>

#include <string>

namespace orbelle::host {
namespace {

// The date format of the C library ("%d.%m.%Y") written with the pattern letters d, M, y.
std::string PatternOf(const std::string& format) {
  std::string pattern;
  for (std::size_t k = 0; k < format.size(); ++k) {
    if (format[k] != '%' || k + 1 == format.size()) {
      pattern += format[k];
      continue;
    }
    switch (format[++k]) {
      case 'd':
      case 'e': pattern += 'd'; break;
      case 'm': pattern += 'M'; break;
      case 'y':
      case 'Y': pattern += 'y'; break;
      case 'D': pattern += "M/d/y"; break;
      case 'F': pattern += "y-M-d"; break;
      default: break;
    }
  }
  return pattern;
}

}  // namespace

RegionalConventions CLibraryConventions() {
  RegionalConventions region;
  const locale_t user = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return region;
  const std::string am = nl_langinfo_l(AM_STR, user), pm = nl_langinfo_l(PM_STR, user);
  const std::string decimal = nl_langinfo_l(RADIXCHAR, user);
  if (!am.empty()) region.am_text = am;
  if (!pm.empty()) region.pm_text = pm;
  if (!decimal.empty()) region.decimal_separator = decimal;
  TakeShortDatePattern(PatternOf(nl_langinfo_l(D_FMT, user)), region);
  freelocale(user);
  return region;
}

}  // namespace orbelle::host
