#include "host/core/row_details.h"

#include <cstdio>

namespace orbelle::host {
namespace {

std::string Number(float value, int decimals, const RegionalConventions& region) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
  std::string out = text;
  if (const std::size_t point = out.find('.'); point != std::string::npos)
    out.replace(point, 1, region.decimal_separator);
  return out;
}

}  // namespace

std::string RowDetails(const TableRow& row, const RegionalConventions& region) {
  auto degrees = [&](float v) { return Number(v, 4, region) + "\u00b0"; };
  if (ephemeris::IsLunarNode(row.body)) {
    return row.label + "\ngeocentric longitude " + degrees(row.geo_lon) + ", latitude " + degrees(row.geo_lat) +
           "\na point of the Moon's orbit: no distance, daily motion or heliocentric place";
  }
  auto line = [&](const char* name, float lon, float lat, float dist, float speed) {
    return std::string(name) + ": longitude " + degrees(lon) + ", latitude " + degrees(lat) + ", distance " +
           Number(dist, 6, region) + " AU, daily motion " + degrees(speed);
  };
  std::string details = row.label + '\n' + line("geocentric", row.geo_lon, row.geo_lat, row.geo_dist, row.geo_speed) +
                        '\n' + line("heliocentric", row.helio_lon, row.helio_lat, row.helio_dist, row.helio_speed);
  if (row.Retrograde()) details += "\nretrograde";
  return details;
}

}  // namespace orbelle::host
