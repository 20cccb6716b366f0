#include "host/command_line.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "ephemeris/engine_error.h"
#include "host/angles_table.h"
#include "host/text_surface.h"
#include "settings/suite_settings.h"

namespace orbelle::host {

namespace {

using ephemeris::Integer;

std::string JsonString(const QString& text) {
  std::string out = "\"";
  for (const char c : text.toStdString()) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// Shortest decimal text that reads back to the same value (a single or a double).
template <typename Number>
std::string JsonNumber(Number v) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, result.ptr);
}

void Fail(const std::string& message) { std::cerr << "orbelle-angles: " << message << '\n'; }

// The text of a sign cell as the text surface prints it.
QString SignCellShown(float longitude) {
  const SignCellText cell = SignCell(longitude);
  return cell.degrees + SignGlyphText(cell.glyph_code) + cell.minutes;
}

std::string TableJson(const QString& request, const AnglesTable& table) {
  std::string out = "{\"request\": " + JsonString(request) + ", \"jd\": " + JsonNumber(table.LastJulianDay()) +
                    ", \"rows\": [";
  for (int row = 0; row < kRowCount; ++row) {
    const Integer body = table.RowBodies[static_cast<std::size_t>(row)];
    const float geo = table.Results.GeoLon[static_cast<std::size_t>(body)];
    const float helio = table.Results.HelioLon[static_cast<std::size_t>(body)];
    const bool helio_cells = row < kRowCount - 1;
    if (row) out += ", ";
    out += "{\"label\": " + JsonString(table.RowNames.value(row)) + ", \"body\": " + std::to_string(body) +
           ", \"colour\": " + std::to_string(table.RowColours[static_cast<std::size_t>(row)]) +
           ", \"geo_lon\": " + JsonNumber(geo) + ", \"helio_lon\": " + JsonNumber(helio) +
           ", \"geo_sign\": " + JsonString(SignCellShown(geo)) +
           ", \"geo_decimal\": " + JsonString(DecimalCell(geo, table.Locale)) +
           ", \"helio_sign\": " + (helio_cells ? JsonString(SignCellShown(helio)) : "null") +
           ", \"helio_decimal\": " + (helio_cells ? JsonString(DecimalCell(helio, table.Locale)) : "null") + "}";
  }
  return out + "]}";
}

bool ParseBodies(const QString& list, std::vector<Integer>& bodies) {
  bodies.clear();
  for (const QString& item : list.split(',')) {
    bool ok = false;
    const int body = item.trimmed().toInt(&ok);
    if (!ok || body < 0 || body >= static_cast<int>(ephemeris::kBodySlots)) return false;
    bodies.push_back(static_cast<Integer>(body));
  }
  return !bodies.empty();
}

bool ParseJulianDay(const std::string& text, double& jd) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(*begin))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
  const auto result = std::from_chars(begin, end, jd);
  return result.ec == std::errc() && result.ptr == end && std::isfinite(jd);
}

// One line of the positions output: body 0, body 1, then the listed bodies, as the table
// calls them.
std::string PositionsJson(AnglesTable& t, double jd, const std::vector<Integer>& bodies) {
  auto call = [&](Integer body) { t.CallEngine(body, jd); };
  call(ephemeris::kTimeArguments);
  call(ephemeris::kSun);
  const auto& r = t.Results;
  std::string out = "{\"jd\": " + JsonNumber(jd) + ", \"bodies\": [";
  for (std::size_t k = 0; k < bodies.size(); ++k) {
    const Integer body = bodies[k];
    call(body);
    const auto b = static_cast<std::size_t>(body);
    if (k) out += ", ";
    out += "{\"body\": " + std::to_string(body) + ", \"geo_lon\": " + JsonNumber(r.GeoLon[b]) +
           ", \"geo_lat\": " + JsonNumber(r.GeoLat[b]) + ", \"geo_dist\": " + JsonNumber(r.GeoDist[b]) +
           ", \"geo_speed\": " + JsonNumber(r.GeoSpeed[b]) + ", \"helio_lon\": " + JsonNumber(r.HelioLon[b]) +
           ", \"helio_lat\": " + JsonNumber(r.HelioLat[b]) + ", \"helio_dist\": " + JsonNumber(r.HelioDist[b]) +
           ", \"helio_speed\": " + JsonNumber(r.HelioSpeed[b]) + "}";
  }
  return out + "]}";
}

// The installed data next to the installed program: PREFIX/share/orbelle-angles beside
// PREFIX/bin/orbelle-angles, whatever the prefix; empty when the program does not run from
// an installation (but from its build tree).
std::filesystem::path InstalledDataDirectory() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec) return {};
  const std::filesystem::path data = program.parent_path().parent_path() / "share" / "orbelle-angles";
  return std::filesystem::is_regular_file(data / "ZodrixTC2.Dat", ec) ? data : std::filesystem::path();
}

}  // namespace

std::string ShippedDataDirectory() {
  std::string dir;
  if (const char* env = std::getenv("ORBELLE_DATA_DIR"); env && *env) {
    dir = env;
  } else if (const std::filesystem::path installed = InstalledDataDirectory(); !installed.empty()) {
    dir = installed.string();
  } else {
    dir = ORBELLE_DATA_DIR_BUILD;
  }
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string DefaultEphemerisDirectory() {
  settings::SuiteSettings suite;
  try {
    settings::LoadSuiteSettings(suite);
    return suite.EphemerisDirectory;
  } catch (const settings::SuiteNotInstalled&) {
    return ShippedDataDirectory();
  }
}

int TableCommand(const QStringList& args) {
  bool json = false;
  QStringList rest;
  for (const QString& a : args) {
    if (a == QLatin1String("--json")) json = true;
    else rest << a;
  }
  if (rest.size() != 1) {
    Fail("usage: orbelle-angles table [--json] REQUEST");
    return kExitUsage;
  }
  AnglesTable table;
  table.EphemerisDirectory = DefaultEphemerisDirectory();
  TextSurface surface;
  try {
    table.PrintAngles(rest.front(), surface);
  } catch (const RequestError& e) {
    Fail(e.what());
    return kExitFailed;
  } catch (const ephemeris::EngineError& e) {
    Fail(std::string("calculation failed: ") + e.what());
    return kExitFailed;
  }
  if (json) {
    std::cout << TableJson(rest.front(), table) << '\n';
  } else {
    for (const QString& line : surface.Lines()) std::cout << line.toStdString() << '\n';
  }
  return kExitOk;
}

int PositionsCommand(const QStringList& args) {
  AnglesTable table;
  table.EphemerisDirectory = DefaultEphemerisDirectory();
  std::vector<Integer> bodies = {1, 2, 3, 4, 5, 10, 11, 13, 14, 15, 16};
  std::vector<std::string> jd_texts;
  for (qsizetype k = 0; k < args.size(); ++k) {
    const QString& a = args[k];
    if ((a == QLatin1String("--ephem-dir") || a == QLatin1String("--bodies")) && k + 1 >= args.size()) {
      Fail("usage: " + a.toStdString() + " needs a value");
      return kExitUsage;
    }
    if (a == QLatin1String("--ephem-dir")) {
      table.EphemerisDirectory = args[++k].toStdString();
      if (!table.EphemerisDirectory.empty() && table.EphemerisDirectory.back() != '/') table.EphemerisDirectory += '/';
    } else if (a == QLatin1String("--bodies")) {
      if (!ParseBodies(args[++k], bodies)) {
        Fail("usage: --bodies takes body numbers 0.." + std::to_string(ephemeris::kBodySlots - 1) +
             " separated by commas");
        return kExitUsage;
      }
    } else {
      jd_texts.push_back(a.toStdString());
    }
  }
  std::vector<double> jds;
  for (const std::string& text : jd_texts) {
    double jd = 0;
    if (!ParseJulianDay(text, jd)) {
      Fail("usage: not a Julian day: " + text);
      return kExitUsage;
    }
    jds.push_back(jd);
  }
  int status = kExitOk;
  auto answer = [&](double jd) {
    try {
      std::cout << PositionsJson(table, jd, bodies) << '\n';
    } catch (const ephemeris::EngineError& e) {
      Fail("JD " + JsonNumber(jd) + ": calculation failed: " + e.what());
      status = kExitFailed;
    }
  };
  if (!jd_texts.empty()) {
    for (double jd : jds) answer(jd);
    return status;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    double jd = 0;
    if (!ParseJulianDay(line, jd)) {
      Fail("not a Julian day: " + line.substr(0, 80));
      status = kExitFailed;
      continue;
    }
    answer(jd);
  }
  return status;
}

}  // namespace orbelle::host
