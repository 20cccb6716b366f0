// The angles table as it leaves the program: the text that `orbelle-angles table` prints (and
// the window copies), and its rows as JSON and as CSV.
#pragma once

#include <string>

#include "host/core/table_rows.h"

namespace orbelle::host {

// The table drawn on a text surface, each line ended by a newline.
std::string TableText(const TableRows& table);

// One JSON object: {"request": ..., "jd": ..., "rows": [...]}; each row holds its label, body
// number, colour ("#rrggbb"), longitudes, latitudes, distances and daily motions as numbers,
// the sign cells as strings and the decimal cells as numbers, "retrograde", and null for the
// heliocentric values of the node.
std::string TableJson(const TableRows& table);

// The same fields as CSV (RFC 4180): a header line, then one line per row with the request
// and the Julian day repeated; empty fields where the JSON has null. Lines end in CRLF.
std::string TableCsv(const TableRows& table);

}  // namespace orbelle::host
