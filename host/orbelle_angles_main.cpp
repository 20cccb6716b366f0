// orbelle-angles: the planets' positions for one moment, on the command line.
#include <QApplication>
#include <QIcon>
#include <iostream>
#include <memory>

#include "host/command_line.h"
#include "host/desktop_commands.h"

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
    "                           comma-separated body numbers (default 1,2,3,4,5,10,11,13,14,15,16);\n"
    "                           DIR holds the ephemeris files (default: the data directory\n"
    "                           of ZODRIX.INI in the profile directory, else the shipped data)\n"
    "  serve                    the automation server on the D-Bus session bus (bus name\n"
    "                           OrbelleAngles.QuilanCls); the bus starts it on a client's\n"
    "                           first call\n"
    "  show [REQUEST]           opens the window with the table for REQUEST, or for the\n"
    "                           current local date and time (through the bus, like send)\n"
    "  send REQUEST             a client: creates an instance of the class QuilanCls and\n"
    "                           assigns REQUEST to its property Data, so the window redraws\n"
    "  render --png FILE REQUEST  the window with the table for REQUEST, drawn offscreen\n"
    "  --help                   this text\n"
    "  --version                the program's version\n"
    "\n"
    "Exit status: 0 success, 1 a request failed, 2 usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  std::unique_ptr<QCoreApplication> app;
  if (orbelle::host::PrepareGuiPlatform(first)) {
    app = std::make_unique<QApplication>(argc, argv);
    // The menu entry and the icon the desktop shows for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orbelle.OrbelleAngles"));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orbelle-angles")));
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QStringList args = app->arguments().mid(1);
  if (args.isEmpty()) {
    std::cerr << kHelp;
    return orbelle::host::kExitUsage;
  }
  const QString command = args.takeFirst();
  if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
    std::cout << kHelp;
    return orbelle::host::kExitOk;
  }
  if (command == QLatin1String("--version")) {
    std::cout << "orbelle-angles " ORBELLE_VERSION "\n";
    return orbelle::host::kExitOk;
  }
  if (command == QLatin1String("table")) return orbelle::host::TableCommand(args);
  if (command == QLatin1String("positions")) return orbelle::host::PositionsCommand(args);
  if (command == QLatin1String("serve")) return orbelle::host::ServeCommand(args);
  if (command == QLatin1String("show")) return orbelle::host::ShowCommand(args);
  if (command == QLatin1String("send")) return orbelle::host::SendCommand(args);
  if (command == QLatin1String("render")) return orbelle::host::RenderCommand(args);
  std::cerr << "orbelle-angles: unknown command \"" << command.toStdString() << "\" (see --help)\n";
  return orbelle::host::kExitUsage;
}
