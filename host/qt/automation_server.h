// The automation server on the D-Bus session bus: the class QuilanCls, its instances and the
// predeclared global instance, all handed to one QuilanServer (one form for the process).
//
// Instances are held by the client that created them (the global instance by every client
// that used it) until released by that client, or until it leaves the bus. Releasing does
// nothing else; a client holds at most kMostInstancesPerClient. Calls with arguments of the
// wrong types are refused with InvalidArgs. The process ends when the window is closed and no
// instance is held, when its bus goes away, or on a signal that asks it to end.
#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QSet>
#include <map>
#include <optional>

#include "host/qt/quilan_server.h"

namespace orbelle::host {

class AutomationServer : public QDBusVirtualObject {
  Q_OBJECT

 public:
  AutomationServer(QuilanServer& server, const QDBusConnection& connection, QObject* parent = nullptr);

  // Registers the objects and takes the bus name. Returns false when the name belongs to a
  // running copy (which is then asked to raise its window) or the bus cannot be used.
  bool Start();

  // Opened by a person, not by a client: initialises the class, shows the window following the
  // clock (live) and ends the program when it is closed and no instance is held. Returns false
  // after an installation message.
  bool OpenLive();

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
  QString introspect(const QString& path) const override;

  // After the event loop: gives the bus name back, so that the bus starts a new copy for the
  // next call, and answers the calls that reached the server meanwhile (with the installation
  // error when the check failed, otherwise with kEndingErrorName; a Release as usual).
  void Finish();

  // Instances held by clients, the global instance counted once per client that used it.
  int HeldInstances() const { return static_cast<int>(instances_.size() + global_holders_.size()); }

 signals:
  // The window is closed and no instance is held: the process should end.
  void Unused();
  // The session bus went away: nobody can reach the class any more.
  void BusGone();
  // The installation check failed (after the message was shown): the process should end at
  // once with a non-zero status.
  void InstallationFailed();

 private:
  void CreateInstance(const QDBusMessage& message);
  void InstanceCall(const QDBusMessage& message);
  void SetData(const QDBusMessage& message);
  bool InitialiseClass(const QDBusMessage& message);
  void Hold(const QString& client);
  void ClientLeft(const QString& client);
  void EndIfUnused();
  Q_SLOT void BusLost();
  void Reply(const QDBusMessage& reply);

  QuilanServer& server_;
  QDBusConnection connection_;
  QDBusServiceWatcher watcher_;
  std::map<QString, QString> instances_;  // object path -> the client holding it
  QSet<QString> global_holders_;
  bool global_initialised_ = false;
  std::optional<QString> installation_error_;  // set when the installation check failed
  bool ending_ = false;                        // the bus name is being given back
  unsigned next_instance_ = 1;
};

// Shows an installation message: a message box with the application's title when there is
// a display, standard error otherwise.
void ShowInstallationMessage(const QString& message);

// `orbelle-angles serve [--live]`: runs the server until the process ends; a second copy asks
// the first to raise its window and ends. With `live` (a person opened the program) the window
// is shown at once, following the clock. Needs a QApplication.
int Serve(bool live = false);

}  // namespace orbelle::host
