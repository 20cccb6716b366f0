// orbelle-angles: the planets' positions for one moment, on the command line.
#include <QCoreApplication>
#include <iostream>

#include "host/command_line.h"

namespace {

constexpr const char* kHelp =
    "Usage: orbelle-angles COMMAND ...\n"
    "Geocentric and heliocentric zodiacal longitudes of the Sun, the Moon, Mercury to Pluto\n"
    "and the Moon's true node for one moment.\n"
    "\n"
    "Commands:\n"
    "  table [--json] REQUEST   the angles table for REQUEST, a date and a time in the\n"
    "                           regional notation (e.g. \"12/25/2026 10:30\" in the C or US\n"
    "                           locale, \"25.12.2026 10:30\" in German) or ISO 8601\n"
    "                           (\"2026-12-25 10:30\"); the time is used as given (TT)\n"
    "  positions [--ephem-dir DIR] [--bodies LIST] [JD ...]\n"
    "                           one JSON line of positions per Julian day (from the\n"
    "                           arguments or one per line on standard input); LIST is\n"
    "                           comma-separated body numbers (default 1,2,3,4,5,10,11,13,14,15,16)\n"
    "  --help                   this text\n"
    "\n"
    "Exit status: 0 success, 1 a request failed, 2 usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) {
    std::cerr << kHelp;
    return orbelle::host::kExitUsage;
  }
  const QString command = args.takeFirst();
  if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
    std::cout << kHelp;
    return orbelle::host::kExitOk;
  }
  if (command == QLatin1String("table")) return orbelle::host::TableCommand(args);
  if (command == QLatin1String("positions")) return orbelle::host::PositionsCommand(args);
  std::cerr << "orbelle-angles: unknown command \"" << command.toStdString() << "\" (see --help)\n";
  return orbelle::host::kExitUsage;
}
