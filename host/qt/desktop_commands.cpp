#include "host/qt/desktop_commands.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDate>
#include <QTime>
#include <QLocale>
#include <iostream>
#include <tuple>

#include "host/qt/automation_names.h"
#include "host/qt/automation_server.h"
#include "host/core/command_line.h"
#include "host/core/request_text.h"
#include "host/core/terrestrial_time.h"
#include "host/qt/qt_regional_conventions.h"
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

// The present moment in Terrestrial Time (the clock's UTC carried to TT) as a request: in the
// regional short notation when it reads back as the same minute, otherwise in ISO 8601.
QString RequestForNow() {
  const RequestInstant now = TerrestrialNow();
  const QDate date(now.year, now.month, now.day);
  const QString time = QTime(now.hour, now.minute).toString(QStringLiteral("HH:mm"));
  const QLocale locale = QLocale::system();
  const QString regional = locale.toString(date, QLocale::ShortFormat) + u' ' + time;
  try {
    const RequestInstant read = ReadRequest(regional.toStdString(), ConventionsOf(locale));
    if (std::tie(read.year, read.month, read.day, read.hour, read.minute) ==
        std::tie(now.year, now.month, now.day, now.hour, now.minute)) {
      return regional;
    }
  } catch (const RequestError&) {
  }
  return date.toString(Qt::ISODate) + u' ' + time;
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
  if (raise) Call(QString::fromLatin1(kApplicationPath), QString::fromLatin1(kApplicationInterface), QStringLiteral("Activate"));
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return true;
  }
  return false;
}

int ServeCommand(const QStringList& args) {
  if (!args.isEmpty()) {
    Fail("usage: orbelle-angles serve");
    return kExitUsage;
  }
  return Serve();
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
  return AssignThroughBus(args.isEmpty() ? RequestForNow() : args.front(), true);
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
    Fail("cannot write " + args[1].toStdString());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace orbelle::host
