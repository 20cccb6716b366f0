#include "host/core/table_export.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "host/core/angles_table.h"
#include "host/core/json_text.h"
#include "host/core/text_surface.h"

namespace orbelle::host {
namespace {

// One field of a row: its name and value: a literal (a number, true or false), a string, or none.
struct Field {
  const char* name;
  enum class Kind { kLiteral, kString, kNull } kind;
  std::string value;
};

Field Number(const char* name, std::string text) { return {name, Field::Kind::kLiteral, std::move(text)}; }
Field Text(const char* name, std::string text) { return {name, Field::Kind::kString, std::move(text)}; }

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string HexColour(int palette_index) {
  const PaletteColour c = PaletteEntry(palette_index);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red & 0xff, c.green & 0xff, c.blue & 0xff);
  return buf;
}

// The row's fields in the order both exports give them. The decimal cell is the number as
// shown, with '.' whatever the region (so that it reads back as a number). The node has
// neither a heliocentric place nor a distance and a daily motion.
std::vector<Field> RowFields(const TableRow& row) {
  const RegionalConventions numbers;
  auto value = [](const char* name, float v) { return Number(name, JsonNumber(v)); };
  auto placed = [&](Field field) {
    if (ephemeris::IsLunarNode(row.body)) field = {field.name, Field::Kind::kNull, {}};
    return field;
  };
  return {Text("label", row.label),
          Number("body", std::to_string(row.body)),
          Text("colour", HexColour(row.colour)),
          value("geo_lon", row.geo_lon),
          Text("geo_sign", WithoutTrailingBlanks(row.geo.sign.Shown())),
          Number("geo_decimal", WithoutTrailingBlanks(DecimalCell(row.geo_lon, numbers))),
          value("geo_lat", row.geo_lat),
          placed(value("geo_dist", row.geo_dist)),
          placed(value("geo_speed", row.geo_speed)),
          placed(Field{"retrograde", Field::Kind::kLiteral, row.Retrograde() ? "true" : "false"}),
          placed(value("helio_lon", row.helio_lon)),
          placed(Text("helio_sign", row.helio ? WithoutTrailingBlanks(row.helio->sign.Shown()) : "")),
          placed(Number("helio_decimal", WithoutTrailingBlanks(DecimalCell(row.helio_lon, numbers)))),
          placed(value("helio_lat", row.helio_lat)),
          placed(value("helio_dist", row.helio_dist)),
          placed(value("helio_speed", row.helio_speed))};
}

std::string JsonValue(const Field& field) {
  switch (field.kind) {
    case Field::Kind::kLiteral: return field.value;
    case Field::Kind::kString: return JsonString(field.value);
    case Field::Kind::kNull: break;
  }
  return "null";
}

// A field quoted when it holds a comma, a quote or a line break, its quotes doubled.
std::string CsvValue(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::string TableText(const TableRows& table) {
  TextSurface surface;
  DrawTable(table, surface);
  std::string out;
  for (const std::string& line : surface.Lines()) out += line + '\n';
  return out;
}

std::string TableJson(const TableRows& table) {
  std::string out =
      "{\"request\": " + JsonString(table.request) + ", \"jd\": " + JsonNumber(table.jd) + ", \"rows\": [";
  for (const TableRow& row : table.rows) {
    if (&row != &table.rows.front()) out += ", ";
    std::string object;
    for (const Field& field : RowFields(row)) {
      object += (object.empty() ? "{" : ", ") + JsonString(field.name) + ": " + JsonValue(field);
    }
    out += object + "}";
  }
  return out + "]}";
}

std::string TableCsv(const TableRows& table) {
  std::string out = "request,jd";
  for (const Field& field : RowFields(table.rows.front())) out += std::string(",") + field.name;
  out += "\r\n";
  for (const TableRow& row : table.rows) {
    out += CsvValue(table.request) + "," + JsonNumber(table.jd);
    for (const Field& field : RowFields(row)) out += "," + CsvValue(field.value);
    out += "\r\n";
  }
  return out;
}

}  // namespace orbelle::host
