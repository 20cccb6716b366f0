// The regional conventions of the Windows user locale (Control Panel, Region): short date
// pattern, AM/PM designators, decimal separator and the calendar's two-digit-year window.
#pragma once

#include "host/core/regional_conventions.h"

namespace orbelle::windows {

host::RegionalConventions WindowsUserConventions();

}  // namespace orbelle::windows
