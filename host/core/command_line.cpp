#include "host/core/command_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <variant>

#include "ephemeris/engine_error.h"
#include "ephemeris/julian_day.h"
#include "host/core/angles_table.h"
#include "host/core/json_text.h"
#include "host/core/request_text.h"
#include "host/core/table_export.h"
#include "host/core/terrestrial_time.h"
#include "host/core/text_surface.h"
#include "host/core/utf8.h"
#include "settings/suite_settings.h"

namespace orbelle::host {

namespace {

using ephemeris::Integer;

void Fail(const std::string& message) { std::cerr << "orbelle-angles: " << message << '\n'; }

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

// The moment "now" (the clock's UTC carried to TT) as a request in the region's notation.
std::string RequestForNow(const RegionalConventions& region) { return WriteRequest(TerrestrialNow(), region); }

// The Julian day (TT) of an instant given as a Julian day number, as a request in one of the
// notations read, or as "now". Throws RequestError naming them.
double ReadInstantJulianDay(const std::string& text, const RegionalConventions& region) {
  if (double jd = 0; ParseNumber(std::string_view(text), jd) && std::isfinite(jd)) return jd;
  try {
    const RequestInstant instant = Trimmed(text) == "now" ? TerrestrialNow() : ReadRequest(text, region);
    return ephemeris::JulianDay(instant.year, instant.month, instant.day, instant.Hours());
  } catch (const RequestYearsError&) {
    throw;
  } catch (const RequestError&) {
    throw RequestError("neither a Julian day nor a date: \"" + Printable(text.substr(0, 80)) + "\"; " +
                       NotationsRead(region) + ", besides Julian days (2451545.0) and now");
  }
}

enum class LineRead { kLine, kEnd, kTooLong };

// The next line of `in` into `line`, without its '\n'. Reading stops after kLongestInputLine
// bytes without a line end, so that no input (a file without line ends, /dev/zero) can make
// the line grow without bound.
LineRead ReadLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf& buffer = *in.rdbuf();
  for (auto c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
    if (c == '\n') return LineRead::kLine;
    if (line.size() == kLongestInputLine) return LineRead::kTooLong;
    line += static_cast<char>(c);
  }
  return line.empty() ? LineRead::kEnd : LineRead::kLine;
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
    auto value = [&](float v) { return ephemeris::IsLunarNode(body) ? std::string("null") : JsonNumber(v); };
    out += "{\"body\": " + std::to_string(body) + ", \"geo_lon\": " + JsonNumber(r.GeoLon[b]) +
           ", \"geo_lat\": " + JsonNumber(r.GeoLat[b]) + ", \"geo_dist\": " + value(r.GeoDist[b]) +
           ", \"geo_speed\": " + value(r.GeoSpeed[b]) + ", \"helio_lon\": " + value(r.HelioLon[b]) +
           ", \"helio_lat\": " + value(r.HelioLat[b]) + ", \"helio_dist\": " + value(r.HelioDist[b]) +
           ", \"helio_speed\": " + value(r.HelioSpeed[b]) + "}";
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
  bool json = false, csv = false;
  std::vector<std::string> rest;
  for (const std::string& a : args) {
    if (a == "--json")
      json = true;
    else if (a == "--csv")
      csv = true;
    else
      rest.push_back(a);
  }
  if (rest.size() > 1 || (json && csv) || (!rest.empty() && rest.front().starts_with("--"))) {
    Fail("usage: orbelle-angles table [--json | --csv] [REQUEST | now]");
    return kExitUsage;
  }
  const std::string request = rest.empty() || Trimmed(rest.front()) == "now" ? RequestForNow(region) : rest.front();
  AnglesTable table;
  const std::optional<std::string> dir = ExistingDefaultDirectory();
  if (!dir) return kExitFailed;
  table.EphemerisDirectory = *dir;
  table.Region = region;
  int status = kExitOk;
  ReportInvalidFiles(table, status);
  TextSurface surface;
  try {
    table.PrintAngles(request, surface);
  } catch (const RequestError& e) {
    Fail(e.what());
    return kExitFailed;
  } catch (const ephemeris::EngineError& e) {
    Fail(std::string("calculation failed: ") + e.what());
    return kExitFailed;
  }
  if (json) {
    std::cout << TableJson(table.Rows()) << '\n';
  } else if (csv) {
    std::cout << TableCsv(table.Rows());
  } else {
    std::cout << TableText(table.Rows());
  }
  return status;
}

namespace {

// The most instants one `positions` series writes (a day's step over the years 1000 to 3000
// is 730,500 of them).
constexpr double kMostSeriesInstants = 1'000'000;

// The Julian days of --from, --to and --step: from, from + step, ... up to to.
struct Series {
  std::optional<double> from, to;
  double step_days = 1.0;
  bool step_given = false;
};

// The series' Julian days, or a message saying why there are none.
std::variant<std::vector<double>, std::string> SeriesJulianDays(const Series& series) {
  if (!series.from && !series.to && !series.step_given) return std::vector<double>{};
  if (!series.from || !series.to) return std::string("--from and --to go together (and --step with them)");
  if (!(series.step_days > 0) || !std::isfinite(series.step_days))
    return std::string("--step takes a number of days above 0");
  if (*series.to < *series.from) return std::string("--to lies before --from");
  // A hair of tolerance, so that a step like 0.1 that does not add up exactly still reaches --to.
  const double count = std::floor((*series.to - *series.from) / series.step_days + 1e-9) + 1;
  if (count > kMostSeriesInstants) {
    char counts[96];
    std::snprintf(counts, sizeof counts, "give %.0f instants; at most %.0f", count, kMostSeriesInstants);
    return std::string("--from, --to and --step ") + counts + " are written at once";
  }
  std::vector<double> jds;
  for (double k = 0; k < count; ++k) jds.push_back(*series.from + k * series.step_days);
  return jds;
}

}  // namespace

int PositionsCommand(const std::vector<std::string>& args, const RegionalConventions& region) {
  AnglesTable table;
  bool dir_given = false;
  std::vector<Integer> bodies(ephemeris::kTableRows.begin(), ephemeris::kTableRows.end());
  std::vector<double> jds;
  Series series;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    const bool takes_value = a == "--ephem-dir" || a == "--bodies" || a == "--from" || a == "--to" || a == "--step";
    if (takes_value && k + 1 >= args.size()) {
      Fail("usage: " + a + " needs a value");
      return kExitUsage;
    }
    try {
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
      } else if (a == "--from") {
        series.from = ReadInstantJulianDay(args[++k], region);
      } else if (a == "--to") {
        series.to = ReadInstantJulianDay(args[++k], region);
      } else if (a == "--step") {
        series.step_given = true;
        if (!ParseNumber(std::string_view(args[++k]), series.step_days)) series.step_days = 0;
      } else {
        jds.push_back(ReadInstantJulianDay(a, region));
      }
    } catch (const RequestError& e) {
      Fail(std::string("usage: ") + e.what());
      return kExitUsage;
    }
  }
  const auto series_jds = SeriesJulianDays(series);
  if (const auto* problem = std::get_if<std::string>(&series_jds)) {
    Fail("usage: " + *problem);
    return kExitUsage;
  }
  const auto& more = std::get<std::vector<double>>(series_jds);
  jds.insert(jds.end(), more.begin(), more.end());
  if (!dir_given) {
    const std::optional<std::string> dir = ExistingDefaultDirectory();
    if (!dir) return kExitFailed;
    table.EphemerisDirectory = *dir;
  }
  int status = kExitOk;
  ReportInvalidFiles(table, status);
  auto answer = [&](double jd) {
    if (!WithinRequestYears(jd)) {
      Fail("JD " + JsonNumber(jd) + " lies outside " + RequestYears() +
           ", the range in which the positions are checked");
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
  // A series stops once standard output fails (a full disk): what is left could not be written.
  if (!jds.empty()) {
    for (std::size_t k = 0; k < jds.size() && std::cout; ++k) answer(jds[k]);
    return status;
  }
  std::string line;
  for (LineRead read; std::cout && (read = ReadLine(std::cin, line)) != LineRead::kEnd;) {
    if (read == LineRead::kTooLong) {
      Fail("a line of standard input is longer than " + std::to_string(kLongestInputLine) +
           " bytes; reading stops there");
      return kExitFailed;
    }
    // A file saved by a Windows editor starts with the mark (so does each file of a `cat a b`).
    if (line.starts_with(kUtf8ByteOrderMark)) line.erase(0, kUtf8ByteOrderMark.size());
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    double jd = 0;
    try {
      jd = ReadInstantJulianDay(line, region);
    } catch (const RequestError& e) {
      Fail(e.what());
      status = kExitFailed;
      continue;
    }
    answer(jd);
  }
  // std::cin reads through the C library's stdin (it is synchronised with it), so a failed
  // read (standard input a directory or closed) shows there, not as the end of the input.
  if (std::ferror(stdin)) {
    Fail("standard input could not be read");
    return kExitFailed;
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
    "  table [--json | --csv] [REQUEST | now]\n"
    "                           the angles table for REQUEST (without one: now), a date and\n"
    "                           a time in the regional notation (e.g. \"12/25/2026 10:30\" in\n"
    "                           the C or US locale, \"25.12.2026 10:30\" in German) or ISO 8601\n"
    "                           (\"2026-12-25 10:30\"); the time is Terrestrial Time (TT),\n"
    "                           unless an ISO 8601 time ends in Z or an offset from UTC\n"
    "                           (\"2026-12-25T10:30:00+01:00\"), which is carried to TT; now is\n"
    "                           the clock's UTC carried to TT; years 1000 to 3000. --json:\n"
    "                           one JSON object; --csv: one CSV line per row\n"
    "  positions [--ephem-dir DIR] [--bodies LIST] [--from WHEN --to WHEN [--step DAYS]]\n"
    "            [WHEN ...]     one JSON line of positions per instant (from the arguments,\n"
    "                           the series from --from to --to every DAYS days (default 1,\n"
    "                           fractions allowed, at most 1000000 instants), or one per\n"
    "                           line on standard input, at most 4096 bytes a line); WHEN\n"
    "                           is a Julian day (TT), a request as for table, or now;\n"
    "                           values a body does not have are null; LIST is comma-\n"
    "                           separated body numbers 1..17, 23..86 (default 1,2,3,4,5,\n"
    "                           10,11,13,14,15,16); within the\n"
    "                           years 1000 to 3000; DIR holds the ephemeris files (default:\n"
    "                           the data directory of ZODRIX.INI in the profile directory,\n"
    "                           else the shipped data)\n";

constexpr std::string_view kHelpTail =
    "  --help                   this text\n"
    "  --version                the program's version\n"
    "\n"
    "Exit status: 0 success, 1 a request failed, 2 usage error.\n";

// Output that could not be written (a full disk, a closed descriptor) fails the command, so
// that a caller never takes a cut-off table or series for the whole.
int AfterOutputWritten(int status) {
  if (std::cout.flush()) return status;
  Fail("standard output could not be written");
  return kExitFailed;
}

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
    return AfterOutputWritten(kExitOk);
  }
  if (command == "--version") {
    std::cout << "orbelle-angles " ORBELLE_VERSION "\n";
    return AfterOutputWritten(kExitOk);
  }
  if (command == "table") return AfterOutputWritten(TableCommand(rest, region()));
  if (command == "positions") return AfterOutputWritten(PositionsCommand(rest, region()));
  return std::nullopt;
}

int UnknownCommand(const std::string& command) {
  Fail("unknown command \"" + Printable(command) + "\" (see --help)");
  return kExitUsage;
}

}  // namespace orbelle::host
