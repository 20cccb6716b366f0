// A private D-Bus session bus: a dbus-daemon started for one test or measurement, with the
// build tree's activation file, so that a client's first call starts `orbelle-angles serve`
// from the build tree, and the message limits of a desktop session bus. Services the bus
// starts inherit the environment given here.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace orbelle::tools {

class PrivateSessionBus {
 public:
  // Starts the daemon with `environment` (which activated services inherit). When the bus
  // is stopped, the process owning `service` is ended too (a Qt program does not end by itself
  // when its bus goes away).
  PrivateSessionBus(const QProcessEnvironment& environment, const QString& service);
  ~PrivateSessionBus();
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  bool Running() const { return !address_.isEmpty(); }
  // Ends the daemon alone, as a session that ends takes its bus away from the programs on it.
  void Stop();
  // The address for DBUS_SESSION_BUS_ADDRESS.
  const QString& Address() const { return address_; }
  // `environment` with DBUS_SESSION_BUS_ADDRESS set to this bus, for clients.
  QProcessEnvironment ClientEnvironment() const { return client_environment_; }

 private:
  // Ends the process that owns the service name, if any, and waits for it.
  void EndService();

  QString service_;
  QTemporaryDir dir_;
  QProcess daemon_;
  QString address_;
  QProcessEnvironment client_environment_;
};

}  // namespace orbelle::tools
