// The request for the present moment in Terrestrial Time (the clock's UTC carried to TT), as
// the window started by hand or from the Start menu shows it.
#pragma once

#include <string>

namespace orbelle::windows {

// In the Windows user locale's short date and a 24-hour time when that text reads back as the
// same minute, otherwise in ISO 8601 ("2026-12-25 10:30").
std::wstring RequestForNow();

}  // namespace orbelle::windows
