// The table drawn from arbitrary longitudes (every finite single, NaN excluded by
// construction): always the request line, an empty line, the header and eleven rows, with
// no infinity or NaN text and every sign cell made of degrees, one glyph and two-digit minutes.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/core/angles_table.h"
#include "host/core/text_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orbelle::host::AnglesTable table;
  std::size_t used = 0;
  auto next = [&]() {
    float v = 0;
    if (used + sizeof v <= size) std::memcpy(&v, data + used, sizeof v);
    used += sizeof v;
    return std::isfinite(v) ? v : 0.0f;
  };
  for (const auto body : orbelle::ephemeris::kTableRows) {
    table.Results.GeoLon[static_cast<std::size_t>(body)] = next();
    table.Results.HelioLon[static_cast<std::size_t>(body)] = next();
  }
  orbelle::host::TextSurface surface;
  const orbelle::host::TableRows rows = table.RowsOfResults("request", 0);
  orbelle::host::DrawTable(rows, surface);
  const std::vector<std::string> lines = surface.Lines();
  if (lines.size() != 14) std::abort();
  for (std::string line : lines) {
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (line.find("nan") != std::string::npos || line.find("inf") != std::string::npos) std::abort();
  }
  for (const orbelle::host::TableRow& row : rows.rows) {
    if (row.geo.sign.minutes.size() != 3 || row.geo.sign.degrees.empty()) std::abort();
  }
  return 0;
}
