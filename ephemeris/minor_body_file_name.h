// Names of the minor-body files of the earlier centuries.
#pragma once

#include <string>

namespace orbelle::ephemeris {

// The file that serves `jd`: for dates before JD 2415020.499 (1900) the century mark of the
// name is changed, to 17 from JD 2341972.5 (1700) on and to 15 before: the first "C19" becomes
// "C17" (or "C15") and the first "19." becomes "17." (or "15."), both looked up in the
// original name, case-sensitively. Any other name is returned unchanged.
std::string MinorBodyFileName(const std::string& path, double jd);

}  // namespace orbelle::ephemeris
