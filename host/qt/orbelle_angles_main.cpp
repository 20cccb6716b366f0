// orbelle-angles: the planets' positions for one moment, on the command line, and the
// desktop program (window and automation server).
#include <QApplication>
#include <QIcon>
#include <memory>

#include "host/core/command_line.h"
#include "host/qt/desktop_commands.h"
#include "host/qt/qt_regional_conventions.h"

namespace {

constexpr const char* kDesktopHelp =
    "  serve [--live]           the automation server on the D-Bus session bus (bus name\n"
    "                           OrbelleAngles.QuilanCls); the bus starts it on a client's\n"
    "                           first call; --live shows the window at once with the table\n"
    "                           for now, following the clock (what show starts)\n"
    "  show [REQUEST]           opens the window with the table for REQUEST (through the\n"
    "                           bus, like send), or without one for now, following the\n"
    "                           clock until a request is typed, stepped or assigned; a\n"
    "                           window already open is raised as it is\n"
    "  send REQUEST             a client: creates an instance of the class QuilanCls and\n"
    "                           assigns REQUEST to its property Data, so the window redraws\n"
    "  render --png FILE REQUEST  the window with the table for REQUEST, drawn offscreen\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (const auto status = orbelle::host::RunPortableCommand(words, orbelle::host::SystemConventions, kDesktopHelp)) {
    return *status;
  }
  const QString first = QString::fromLocal8Bit(argv[1]);
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
  const QString command = args.takeFirst();
  if (command == QLatin1String("serve")) return orbelle::host::ServeCommand(args);
  if (command == QLatin1String("show")) return orbelle::host::ShowCommand(args);
  if (command == QLatin1String("send")) return orbelle::host::SendCommand(args);
  if (command == QLatin1String("render")) return orbelle::host::RenderCommand(args);
  return orbelle::host::UnknownCommand(command.toStdString());
}
