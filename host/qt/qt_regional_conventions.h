// The regional conventions of a QLocale, for the request reader and the table.
#pragma once

#include <QLocale>

#include "host/core/regional_conventions.h"

namespace orbelle::host {

// Date order and separator from the locale's short date format, its AM/PM texts and decimal
// separator; the C locale, which has no regional notation of its own, reads month/day/year.
RegionalConventions ConventionsOf(const QLocale& locale);

// The conventions of the user's system locale.
RegionalConventions SystemConventions();

}  // namespace orbelle::host
