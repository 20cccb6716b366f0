// The regional conventions of the user's locale as the C library knows it (LC_ALL, LC_TIME,
// LC_NUMERIC, LANG), for the program built without Qt.
#pragma once

#include "host/core/regional_conventions.h"

namespace orbelle::host {

RegionalConventions CLibraryConventions();

}  // namespace orbelle::host
