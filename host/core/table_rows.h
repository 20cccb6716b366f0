// The computed rows of the angles table: what the window, the text table, `table --json` and
// the PNG all show for one request.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "ephemeris/body_numbers.h"
#include "ephemeris/result_arrays.h"
#include "host/core/angle_cells.h"

namespace orbelle::host {

// The rows are the bodies of ephemeris::kTableRows, labelled with their ephemeris::BodyName.
inline constexpr int kRowCount = static_cast<int>(ephemeris::kTableRows.size());

// Palette indices of the rows' colours.
extern const std::array<int, kRowCount> kRowColours;

// The cells of one longitude.
struct LongitudeCells {
  SignCellText sign;
  std::string decimal;
};

struct TableRow {
  std::string label;
  ephemeris::Integer body = 0;
  int colour = 0;  // palette index
  // The longitudes the engine gave, in degrees (-1 where it has no position).
  float geo_lon = 0;
  float helio_lon = 0;
  // Latitudes in degrees, distances in AU, daily motions in degrees per day, as the engine
  // gave them (the heliocentric ones mean nothing for the node: see `helio`).
  float geo_lat = 0, geo_dist = 0, geo_speed = 0;
  float helio_lat = 0, helio_dist = 0, helio_speed = 0;
  LongitudeCells geo;
  // Absent for the Moon's node, which is a point of the Moon's geocentric orbit: its row
  // shows geocentric cells only.
  std::optional<LongitudeCells> helio;

  // Moving backwards along the zodiac as seen from the Earth.
  bool Retrograde() const { return geo_speed < 0; }
};

struct TableRows {
  std::string request;  // the request text, printed unchanged as the table's first line
  double jd = 0;
  std::array<TableRow, kRowCount> rows;
};

// The rows for `request` at `jd` from the engine's results at each row's body, with the
// row labels and colours given and the decimal cells in the notation of `region`.
TableRows RowsOf(const std::string& request, double jd, const ephemeris::ResultArrays& results,
                 const std::array<ephemeris::Integer, 16>& bodies, const std::array<std::string, kRowCount>& names,
                 const std::array<int, kRowCount>& colours, const RegionalConventions& region);

}  // namespace orbelle::host
