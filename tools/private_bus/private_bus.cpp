#include "tools/private_bus/private_bus.h"

#include <sys/types.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QThread>
#include <csignal>

namespace orbelle::tools {

PrivateSessionBus::PrivateSessionBus(const QProcessEnvironment& environment, const QString& service)
    : service_(service) {
  const QString config = dir_.filePath(QStringLiteral("bus.conf"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                            "<busconfig>\n"
                            "  <type>session</type>\n"
                            "  <listen>unix:dir=%1</listen>\n"
                            "  <servicedir>%2</servicedir>\n"
                            "  <policy context=\"default\">\n"
                            "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                            "    <allow eavesdrop=\"true\"/>\n"
                            "    <allow own=\"*\"/>\n"
                            "  </policy>\n"
                            // The limits of Debian's session bus (session.conf).
                            "  <limit name=\"max_incoming_bytes\">1000000000</limit>\n"
                            "  <limit name=\"max_outgoing_bytes\">1000000000</limit>\n"
                            "  <limit name=\"max_message_size\">1000000000</limit>\n"
                            "</busconfig>\n")
                 .arg(dir_.path(), QStringLiteral(ORBELLE_SERVICE_DIR))
                 .toUtf8());
  file.close();
  daemon_.setProcessEnvironment(environment);
  daemon_.setProcessChannelMode(QProcess::SeparateChannels);
  daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                                                QStringLiteral("--print-address")});
  if (!daemon_.waitForStarted(5000)) return;
  while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
  }
  address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  client_environment_ = environment;
  client_environment_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
}

void PrivateSessionBus::EndService() {
  const QString name = QStringLiteral("private-bus-%1").arg(quintptr(this));
  {
    QDBusConnection bus = QDBusConnection::connectToBus(address_, name);
    const auto pid = bus.isConnected() ? bus.interface()->servicePid(service_) : QDBusReply<uint>();
    if (pid.isValid() && pid.value() > 0) {
      const auto process = static_cast<pid_t>(pid.value());
      ::kill(process, SIGTERM);
      for (int i = 0; i < 100 && ::kill(process, 0) == 0; ++i) QThread::msleep(20);
    }
  }
  QDBusConnection::disconnectFromBus(name);
}

void PrivateSessionBus::Stop() {
  daemon_.terminate();
  if (!daemon_.waitForFinished(3000)) daemon_.kill();
  daemon_.waitForFinished(3000);
}

PrivateSessionBus::~PrivateSessionBus() {
  if (daemon_.state() == QProcess::NotRunning) return;
  if (Running()) EndService();
  daemon_.terminate();
  if (!daemon_.waitForFinished(3000)) daemon_.kill();
}

}  // namespace orbelle::tools
