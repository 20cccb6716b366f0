// The details of a table row that the window shows when the pointer rests on it: latitude,
// distance and daily motion, geocentric and heliocentric, and whether the planet is
// retrograde.
#pragma once

#include <string>

#include "host/core/regional_conventions.h"
#include "host/core/table_rows.h"

namespace orbelle::host {

// Lines of text (ended by '\n' between them), the numbers with the region's decimal
// separator: longitudes, latitudes and motions in degrees to 4 decimals, distances in AU to 6.
std::string RowDetails(const TableRow& row, const RegionalConventions& region);

}  // namespace orbelle::host
