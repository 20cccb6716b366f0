#include "host/core/table_rows.h"

namespace orbelle::host {

using ephemeris::Integer;

const std::array<int, kRowCount> kRowColours = {9, 0, 13, 11, 12, 10, 7, 2, 3, 8, 4};

namespace {

LongitudeCells CellsOf(float longitude, const RegionalConventions& region) {
  return {SignCell(longitude), DecimalCell(longitude, region)};
}

}  // namespace

TableRows RowsOf(const std::string& request, double jd, const ephemeris::ResultArrays& results,
                 const std::array<Integer, 16>& bodies, const std::array<std::string, kRowCount>& names,
                 const std::array<int, kRowCount>& colours, const RegionalConventions& region) {
  TableRows table{request, jd, {}};
  for (std::size_t k = 0; k < table.rows.size(); ++k) {
    TableRow& row = table.rows[k];
    row.label = names[k];
    row.body = bodies[k];
    row.colour = colours[k];
    const auto b = static_cast<std::size_t>(row.body);
    row.geo_lon = results.GeoLon[b];
    row.helio_lon = results.HelioLon[b];
    row.geo_lat = results.GeoLat[b];
    row.geo_dist = results.GeoDist[b];
    row.geo_speed = results.GeoSpeed[b];
    row.helio_lat = results.HelioLat[b];
    row.helio_dist = results.HelioDist[b];
    row.helio_speed = results.HelioSpeed[b];
    row.geo = CellsOf(row.geo_lon, region);
    if (row.body != ephemeris::kNorthNode) row.helio = CellsOf(row.helio_lon, region);
  }
  return table;
}

}  // namespace orbelle::host
