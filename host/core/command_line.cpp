#include "host/core/command_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "ephemeris/engine_error.h"
#include "host/core/angles_table.h"
#include "host/core/request_text.h"
#include "host/core/text_surface.h"
#include "host/core/utf8.h"
#include "settings/suite_settings.h"

namespace orbelle::host {

namespace {

using ephemeris::Integer;

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
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

std::string TableJson(const TableRows& table) {
  std::string out = "{\"request\": " + JsonString(table.request) + ", \"jd\": " + JsonNumber(table.jd) + ", \"rows\": [";
  for (const TableRow& row : table.rows) {
    if (&row != &table.rows.front()) out += ", ";
    out += "{\"label\": " + JsonString(row.label) + ", \"body\": " + std::to_string(row.body) +
           ", \"colour\": " + std::to_string(row.colour) + ", \"geo_lon\": " + JsonNumber(row.geo_lon) +
           ", \"helio_lon\": " + JsonNumber(row.helio_lon) + ", \"geo_sign\": " + JsonString(row.geo.sign.Shown()) +
           ", \"geo_decimal\": " + JsonString(row.geo.decimal) +
           ", \"helio_sign\": " + (row.helio ? JsonString(row.helio->sign.Shown()) : "null") +
           ", \"helio_decimal\": " + (row.helio ? JsonString(row.helio->decimal) : "null") + "}";
  }
  return out + "]}";
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// The whole text as one number, blanks around it allowed.
template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  text = Trimmed(text);
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ParseBodies(std::string_view list, std::vector<Integer>& bodies) {
  bodies.clear();
  for (std::size_t start = 0;;) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    std::string_view item = Trimmed(list.substr(start, comma - start));
    if (!item.empty() && item.front() == '+') item.remove_prefix(1);
    // Body 0 (the time arguments) and 18..22 have no position.
    int body = 0;
    if (!ParseNumber(item, body) || body < 1 || (body >= 18 && body <= 22) ||
        body >= static_cast<int>(ephemeris::kBodySlots))
      return false;
    bodies.push_back(static_cast<Integer>(body));
    if (comma == list.size()) return true;
    start = comma + 1;
  }
}

bool ParseJulianDay(const std::string& text, double& jd) {
  return ParseNumber(std::string_view(text), jd) && std::isfinite(jd);
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

// The installed data beside the installed program: PREFIX/share/orbelle-angles for
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

namespace {

// The default ephemeris directory in `table`, after a message naming it when it does not
// exist (every file body would otherwise be shown as -1 without a word).
std::optional<std::string> ExistingDefaultDirectory() {
  std::string dir = DefaultEphemerisDirectory();
  if (std::error_code ec; std::filesystem::is_directory(dir, ec)) return dir;
  Fail("the ephemeris directory \"" + Printable(dir) + "\" (the data directory of " + settings::kSuiteSettingsFile +
       ", else the shipped data) does not exist");
  return std::nullopt;
}

// Unusable ephemeris files are named on standard error and fail the command (exit 1); their
// bodies show the DATE ERROR result as in the window.
void ReportInvalidFiles(AnglesTable& table, int& status) {
  table.Engine.SetProblemReporter([&status](const std::string& message) {
    Fail(Printable(message));
    status = kExitFailed;
  });
}

}  // namespace

int TableCommand(const std::vector<std::string>& args, const RegionalConventions& region) {
  bool json = false;
  std::vector<std::string> rest;
  for (const std::string& a : args) {
    if (a == "--json") json = true;
    else rest.push_back(a);
  }
  if (rest.size() != 1) {
    Fail("usage: orbelle-angles table [--json] REQUEST");
    return kExitUsage;
  }
  AnglesTable table;
  const std::optional<std::string> dir = ExistingDefaultDirectory();
  if (!dir) return kExitFailed;
  table.EphemerisDirectory = *dir;
  table.Region = region;
  int status = kExitOk;
  ReportInvalidFiles(table, status);
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
    std::cout << TableJson(table.Rows()) << '\n';
  } else {
    for (const std::string& line : surface.Lines()) std::cout << line << '\n';
  }
  return status;
}

int PositionsCommand(const std::vector<std::string>& args) {
  AnglesTable table;
  bool dir_given = false;
  std::vector<Integer> bodies(ephemeris::kTableRows.begin(), ephemeris::kTableRows.end());
  std::vector<std::string> jd_texts;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    if ((a == "--ephem-dir" || a == "--bodies") && k + 1 >= args.size()) {
      Fail("usage: " + a + " needs a value");
      return kExitUsage;
    }
    if (a == "--ephem-dir") {
      table.EphemerisDirectory = args[++k];
      if (std::error_code ec; !std::filesystem::is_directory(table.EphemerisDirectory, ec)) {
        Fail("usage: --ephem-dir: no directory \"" + Printable(table.EphemerisDirectory) + "\"");
        return kExitUsage;
      }
      if (table.EphemerisDirectory.back() != '/') table.EphemerisDirectory += '/';
      dir_given = true;
    } else if (a == "--bodies") {
      if (!ParseBodies(args[++k], bodies)) {
        Fail("usage: --bodies takes body numbers 1..17 and 23.." + std::to_string(ephemeris::kBodySlots - 1) +
             " separated by commas");
        return kExitUsage;
      }
    } else {
      jd_texts.push_back(a);
    }
  }
  std::vector<double> jds;
  for (const std::string& text : jd_texts) {
    double jd = 0;
    if (!ParseJulianDay(text, jd)) {
      Fail("usage: not a Julian day: " + Printable(text));
      return kExitUsage;
    }
    jds.push_back(jd);
  }
  if (!dir_given) {
    const std::optional<std::string> dir = ExistingDefaultDirectory();
    if (!dir) return kExitFailed;
    table.EphemerisDirectory = *dir;
  }
  int status = kExitOk;
  ReportInvalidFiles(table, status);
  auto answer = [&](double jd) {
    if (!WithinRequestYears(jd)) {
      Fail("JD " + JsonNumber(jd) + " lies outside " + RequestYears() + ", the range in which the positions are checked");
      status = kExitFailed;
      return;
    }
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
      Fail("not a Julian day: " + Printable(line.substr(0, 80)));
      status = kExitFailed;
      continue;
    }
    answer(jd);
  }
  return status;
}

namespace {

constexpr std::string_view kHelpHead =
    "Usage: orbelle-angles COMMAND ...\n"
    "Geocentric and heliocentric zodiacal longitudes of the Sun, the Moon, Mercury to Pluto\n"
    "and the Moon's true node for one moment.\n"
    "\n"
    "Commands:\n"
    "  table [--json] REQUEST   the angles table for REQUEST, a date and a time in the\n"
    "                           regional notation (e.g. \"12/25/2026 10:30\" in the C or US\n"
    "                           locale, \"25.12.2026 10:30\" in German) or ISO 8601\n"
    "                           (\"2026-12-25 10:30\"); the time is used as given (TT);\n"
    "                           years 1000 to 3000\n"
    "  positions [--ephem-dir DIR] [--bodies LIST] [JD ...]\n"
    "                           one JSON line of positions per Julian day (from the\n"
    "                           arguments or one per line on standard input); LIST is\n"
    "                           comma-separated body numbers 1..17, 23..86 (default\n"
    "                           1,2,3,4,5,10,11,13,14,15,16); JD within the years 1000 to 3000;\n"
    "                           DIR holds the ephemeris files (default: the data directory\n"
    "                           of ZODRIX.INI in the profile directory, else the shipped data)\n";

constexpr std::string_view kHelpTail =
    "  --help                   this text\n"
    "  --version                the program's version\n"
    "\n"
    "Exit status: 0 success, 1 a request failed, 2 usage error.\n";

}  // namespace

std::optional<int> RunPortableCommand(const std::vector<std::string>& args, RegionalConventions (*region)(),
                                      std::string_view host_commands_help) {
  const std::string help = std::string(kHelpHead) + std::string(host_commands_help) + std::string(kHelpTail);
  if (args.empty()) {
    std::cerr << help;
    return kExitUsage;
  }
  const std::string& command = args.front();
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << help;
    return kExitOk;
  }
  if (command == "--version") {
    std::cout << "orbelle-angles " ORBELLE_VERSION "\n";
    return kExitOk;
  }
  if (command == "table") return TableCommand(rest, region());
  if (command == "positions") return PositionsCommand(rest);
  return std::nullopt;
}

int UnknownCommand(const std::string& command) {
  std::cerr << "orbelle-angles: unknown command \"" << command << "\" (see --help)\n";
  return kExitUsage;
}

}  // namespace orbelle::host
