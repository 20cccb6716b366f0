#include "host/qt/desktop_commands.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <csignal>
#include <iostream>

#include "host/core/command_line.h"
#include "host/core/utf8.h"
#include "host/qt/automation_names.h"
#include "host/qt/automation_server.h"
#include "host/qt/quilan.h"

namespace orbelle::host {
namespace {

// Activation may have to start the server first, so the first call waits longer than usual.
constexpr int kCallTimeoutMs = 30000;

void Fail(const std::string& message) { std::cerr << "orbelle-angles: " << message << '\n'; }

bool Failed(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ErrorMessage) return false;
  Fail(reply.errorName().toStdString() + ": " + reply.errorMessage().toStdString());
  return true;
}

QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kBusName), path, interface, method);
  call.setArguments(args);
  return QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}

// CreateInstance (the bus starts the server, which shows the window), then Data, then
// Release: the window stays until the user closes it.
int AssignThroughBus(const QString& request, bool raise) {
  if (!QDBusConnection::sessionBus().isConnected()) {
    Fail("no D-Bus session bus");
    return kExitFailed;
  }
  const QDBusMessage created = Call(QString::fromLatin1(kApplicationPath), QString::fromLatin1(kApplicationInterface),
                                    QStringLiteral("CreateInstance"));
  if (Failed(created)) return kExitFailed;
  if (raise)
    Call(QString::fromLatin1(kApplicationPath), QString::fromLatin1(kApplicationInterface), QStringLiteral("Activate"));
  const QString instance = created.arguments().value(0).value<QDBusObjectPath>().path();
  const QDBusMessage assigned = Call(instance, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                                     {QString::fromLatin1(kClassInterface), QString::fromLatin1(kDataProperty),
                                      QVariant::fromValue(QDBusVariant(request))});
  const bool failed = Failed(assigned);
  Call(instance, QString::fromLatin1(kClassInterface), QStringLiteral("Release"));
  return failed ? kExitFailed : kExitOk;
}

}  // namespace

bool PrepareGuiPlatform(const QString& command) {
  if (command == QLatin1String("render")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
  }
  if (command == QLatin1String("serve")) {
    // The server outlives whatever its standard error was (the pipe of the `show` or the
    // launcher that started it, a terminal closed since): a message written there, even Qt's
    // own at the start, must not end it.
    std::signal(SIGPIPE, SIG_IGN);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return true;
  }
  return false;
}

int ServeCommand(const QStringList& args) {
  const bool live = args == QStringList{QStringLiteral("--live")};
  if (!args.isEmpty() && !live) {
    Fail("usage: orbelle-angles serve [--live]");
    return kExitUsage;
  }
  return Serve(live);
}

int SendCommand(const QStringList& args) {
  if (args.size() != 1) {
    Fail("usage: orbelle-angles send REQUEST");
    return kExitUsage;
  }
  return AssignThroughBus(args.front(), false);
}

int ShowCommand(const QStringList& args) {
  if (args.size() > 1) {
    Fail("usage: orbelle-angles show [REQUEST]");
    return kExitUsage;
  }
  if (!args.isEmpty()) return AssignThroughBus(args.front(), true);
  // Opened by a person: a server of its own, showing now and following the clock; a window
  // that runs already (a client's, or one opened before) is raised as it is.
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    Fail("no D-Bus session bus");
    return kExitFailed;
  }
  if (bus.interface()->isServiceRegistered(QString::fromLatin1(kBusName))) {
    return Failed(Call(QString::fromLatin1(kApplicationPath), QString::fromLatin1(kApplicationInterface),
                       QStringLiteral("Activate")))
               ? kExitFailed
               : kExitOk;
  }
  if (!QProcess::startDetached(QCoreApplication::applicationFilePath(),
                               {QStringLiteral("serve"), QStringLiteral("--live")})) {
    Fail("cannot start " + QCoreApplication::applicationFilePath().toStdString());
    return kExitFailed;
  }
  return kExitOk;
}

int RenderCommand(const QStringList& args) {
  if (args.size() != 3 || args[0] != QLatin1String("--png")) {
    Fail("usage: orbelle-angles render --png FILE REQUEST");
    return kExitUsage;
  }
  Quilan form;
  form.setWindowTitle(QString::fromLatin1(kWindowCaption));
  form.Table().EphemerisDirectory = ShippedDataDirectory();
  if (const std::optional<QString> problem = form.SetRequest(args[2])) {
    Fail(problem->toStdString());
    return kExitFailed;
  }
  if (!form.grab().save(args[1], "PNG")) {
    Fail("cannot write " + Printable(args[1].toStdString()));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace orbelle::host
