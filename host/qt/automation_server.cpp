#include "host/qt/automation_server.h"

#include <dbus/dbus.h>

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <iostream>

#include "host/qt/automation_names.h"
#include "host/qt/termination_signals.h"

namespace orbelle::host {
namespace {

constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
const QString kPropertiesInterface = QString::fromLatin1(kProperties);
const QString kIntrospectableInterface = QStringLiteral("org.freedesktop.DBus.Introspectable");

const char* const kApplicationXml =
    "  <interface name=\"OrbelleAngles.Application\">\n"
    "    <method name=\"CreateInstance\"><arg name=\"instance\" type=\"o\" direction=\"out\"/></method>\n"
    "    <method name=\"Activate\"/>\n"
    "  </interface>\n";

const char* const kClassXml =
    "  <interface name=\"OrbelleAngles._QuilanCls\">\n"
    "    <property name=\"Data\" type=\"s\" access=\"write\"/>\n"
    "    <method name=\"Release\"/>\n"
    "  </interface>\n";

QString ChildNode(const QString& name) { return QStringLiteral("  <node name=\"%1\"/>\n").arg(name); }

// The members of the class and the argument signatures they take.
struct Member {
  const char* interface;
  const char* name;
  const char* signature;
};
constexpr Member kApplicationMembers[] = {{kApplicationInterface, "CreateInstance", ""},
                                          {kApplicationInterface, "Activate", ""}};
constexpr Member kInstanceMembers[] = {{kProperties, "Set", "ssv"},
                                       {kProperties, "Get", "ss"},
                                       {kProperties, "GetAll", "s"},
                                       {kClassInterface, "Release", ""}};

// The member a call names (a call without an interface names the member of any interface),
// or nullptr.
template <std::size_t N>
const Member* Find(const Member (&members)[N], const QDBusMessage& call) {
  for (const Member& m : members) {
    if (call.member() == QLatin1String(m.name) &&
        (call.interface().isEmpty() || call.interface() == QLatin1String(m.interface))) {
      return &m;
    }
  }
  return nullptr;
}

// Characters (Unicode code points) in `text`: a surrogate pair is one, as is a lone surrogate.
qsizetype CodePoints(QStringView text) {
  qsizetype count = 0;
  for (qsizetype i = 0; i < text.size(); ++i, ++count) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
  }
  return count;
}

bool HasDisplay() {
  const QString platform = QGuiApplication::platformName();
  return !platform.isEmpty() && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

void ShowInstallationMessage(const QString& message) {
  if (HasDisplay()) {
    QMessageBox::information(nullptr, QString::fromLatin1(kApplicationTitle), message, QMessageBox::Ok);
  } else {
    std::cerr << kApplicationTitle << ": " << message.toStdString() << '\n';
  }
}

AutomationServer::AutomationServer(QuilanServer& server, const QDBusConnection& connection, QObject* parent)
    : QDBusVirtualObject(parent), server_(server), connection_(connection) {
  watcher_.setConnection(connection_);
  watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &AutomationServer::ClientLeft);
}

bool AutomationServer::Start() {
  if (!connection_.isConnected()) {
    std::cerr << kApplicationTitle << ": no D-Bus session bus: " << connection_.lastError().message().toStdString()
              << '\n';
    return false;
  }
  // libdbus stops reading a connection while the messages it has received and not yet freed
  // exceed 63 MiB (or 4096 file descriptors), and starts again from whichever thread frees the
  // message that brings them below. Qt frees a call on the thread of the object that handled
  // it, this one, while its socket watch can only be switched on the connection's own thread:
  // one large enough call therefore left reading switched off for good, so that no call was
  // answered any more and not even the bus going away was seen. Without the threshold there
  // is nothing to switch back on; each message is still bounded by the bus (at most 128 MiB),
  // and an over-long request is refused before it is used.
  if (auto* raw = static_cast<DBusConnection*>(connection_.internalPointer())) {
    dbus_connection_set_max_received_size(raw, LONG_MAX);
    dbus_connection_set_max_received_unix_fds(raw, LONG_MAX);
  }
  connection_.registerVirtualObject(QString::fromLatin1(kApplicationPath), this, QDBusConnection::SubPath);
  connection_.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                      QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), this,
                      SLOT(BusLost()));
  const auto reply = connection_.interface()->registerService(QString::fromLatin1(kBusName),
                                                              QDBusConnectionInterface::DontQueueService,
                                                              QDBusConnectionInterface::DontAllowReplacement);
  if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) return true;
  // A copy of the program runs already: bring its window to the front, then give way. The
  // answer is awaited in an event loop of at most 5 s: a blocking call whose bus went away
  // meanwhile was never given up, and a signal asking this copy to end could not end it.
  const QDBusPendingCall activated = connection_.asyncCall(
      QDBusMessage::createMethodCall(QString::fromLatin1(kBusName), QString::fromLatin1(kApplicationPath),
                                     QString::fromLatin1(kApplicationInterface), QStringLiteral("Activate")),
      5000);
  QEventLoop waiting;
  QDBusPendingCallWatcher watcher(activated);
  connect(&watcher, &QDBusPendingCallWatcher::finished, &waiting, &QEventLoop::quit);
  QTimer::singleShot(5000, &waiting, &QEventLoop::quit);
  if (!watcher.isFinished()) waiting.exec();
  return false;
}

bool AutomationServer::OpenLive() {
  try {
    server_.Class_Initialize();
  } catch (const InstallationError& e) {
    installation_error_ = QString::fromStdString(e.what());
    ShowInstallationMessage(*installation_error_);
    return false;
  }
  server_.Form()->GoLive();
  connect(server_.Form(), &Quilan::Closed, this, &AutomationServer::EndIfUnused,
          static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
  return true;
}

void AutomationServer::Reply(const QDBusMessage& reply) { connection_.send(reply); }

bool AutomationServer::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
  if (message.interface() == kIntrospectableInterface) return false;  // answered from introspect()
  if (installation_error_) {
    Reply(message.createErrorReply(QString::fromLatin1(kNotInstalledErrorName), *installation_error_));
    return true;
  }
  if (ending_ && message.member() != QLatin1String("Release")) {
    Reply(message.createErrorReply(QString::fromLatin1(kEndingErrorName),
                                   QStringLiteral("the server is ending; the next call starts a new one")));
    return true;
  }
  const QString path = message.path();
  const bool instance = path == QLatin1String(kGlobalInstancePath) || instances_.count(path);
  const Member* member = path == QLatin1String(kApplicationPath) ? Find(kApplicationMembers, message)
                         : instance                              ? Find(kInstanceMembers, message)
                                                                 : nullptr;
  if (member && message.signature() != QLatin1String(member->signature)) {
    Reply(message.createErrorReply(
        QDBusError::InvalidArgs,
        QStringLiteral("%1 takes the arguments (%2), not (%3)")
            .arg(QLatin1String(member->name), QLatin1String(member->signature), message.signature())));
  } else if (path == QLatin1String(kApplicationPath) && message.member() == QLatin1String("CreateInstance")) {
    CreateInstance(message);
  } else if (path == QLatin1String(kApplicationPath) && message.member() == QLatin1String("Activate")) {
    if (Quilan* form = server_.Form()) form->RestoreAndRaise();
    Reply(message.createReply());
  } else if (instance) {
    InstanceCall(message);
  } else if (path.startsWith(QLatin1String(kInstancesPath) + QLatin1Char('/'))) {
    Reply(message.createErrorReply(QDBusError::UnknownObject, QStringLiteral("no instance %1").arg(path)));
  } else {
    Reply(message.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("no method %1.%2 at %3").arg(message.interface(), message.member(), path)));
  }
  return true;
}

// Runs Class_Initialize; on an installation error the caller gets an error reply, the user
// the message, and the process ends without showing or saving the window.
bool AutomationServer::InitialiseClass(const QDBusMessage& message) {
  try {
    server_.Class_Initialize();
    return true;
  } catch (const InstallationError& e) {
    const QString text = QString::fromStdString(e.what());
    Reply(message.createErrorReply(QString::fromLatin1(kNotInstalledErrorName), text));
    installation_error_ = text;  // every later call gets it, also while the message is shown
    ShowInstallationMessage(text);
    emit InstallationFailed();
    return false;
  }
}

void AutomationServer::CreateInstance(const QDBusMessage& message) {
  const QString client = message.service();
  if (std::count_if(instances_.begin(), instances_.end(), [&](const auto& held) { return held.second == client; }) >=
      kMostInstancesPerClient) {
    Reply(message.createErrorReply(
        QString::fromLatin1(kTooManyInstancesErrorName),
        QStringLiteral("a client holds at most %1 instances; release one before creating another")
            .arg(kMostInstancesPerClient)));
    return;
  }
  if (!InitialiseClass(message)) return;
  const QString path = QString::fromLatin1(kInstancesPath) + QLatin1Char('/') + QString::number(next_instance_++);
  instances_[path] = client;
  Hold(client);
  Reply(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
}

void AutomationServer::InstanceCall(const QDBusMessage& message) {
  const QString member = message.member();
  const QList<QVariant> args = message.arguments();
  const bool data_property = args.size() >= 2 && args[1].toString() == QLatin1String(kDataProperty) &&
                             (args[0].toString().isEmpty() || args[0].toString() == QLatin1String(kClassInterface));
  if (message.interface() == kPropertiesInterface && member == QLatin1String("Set") && args.size() == 3 &&
      data_property) {
    SetData(message);
  } else if (message.interface() == kPropertiesInterface && member == QLatin1String("Get") && data_property) {
    Reply(message.createErrorReply(QString::fromLatin1(kWriteOnlyErrorName),
                                   QStringLiteral("property Data is write-only: it can be assigned, not read")));
  } else if (message.interface() == kPropertiesInterface && member == QLatin1String("GetAll")) {
    Reply(message.createReply(QVariant::fromValue(QVariantMap())));
  } else if (message.interface() == kPropertiesInterface &&
             (member == QLatin1String("Get") || member == QLatin1String("Set"))) {
    Reply(
        message.createErrorReply(QDBusError::UnknownProperty, QStringLiteral("the class has only the property Data")));
  } else if (member == QLatin1String("Release") &&
             (message.interface().isEmpty() || message.interface() == QLatin1String(kClassInterface))) {
    if (message.path() == QLatin1String(kGlobalInstancePath)) {
      global_holders_.remove(message.service());
    } else if (instances_.at(message.path()) == message.service()) {
      instances_.erase(message.path());
    } else {
      Reply(message.createErrorReply(QDBusError::AccessDenied,
                                     QStringLiteral("%1 belongs to the client that created it").arg(message.path())));
      return;
    }
    Reply(message.createReply());
    EndIfUnused();
  } else {
    Reply(message.createErrorReply(QDBusError::UnknownMethod,
                                   QStringLiteral("no method %1.%2 on an instance").arg(message.interface(), member)));
  }
}

void AutomationServer::SetData(const QDBusMessage& message) {
  const QVariant value = message.arguments()[2].value<QDBusVariant>().variant();
  if (value.userType() != QMetaType::QString) {
    Reply(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("Data takes a string")));
    return;
  }
  if (const qsizetype length = CodePoints(value.toString()); length > kLongestRequest) {
    Reply(message.createErrorReply(QString::fromLatin1(kRequestErrorName),
                                   QStringLiteral("the request is %1 characters long; a request has at most %2")
                                       .arg(length)
                                       .arg(kLongestRequest)));
    return;
  }
  if (message.path() == QLatin1String(kGlobalInstancePath)) {
    if (!global_initialised_) {
      if (!InitialiseClass(message)) return;
      global_initialised_ = true;
    }
    global_holders_.insert(message.service());
    Hold(message.service());
  }
  if (const std::optional<QString> problem = server_.PutData(value.toString())) {
    Reply(message.createErrorReply(QString::fromLatin1(kRequestErrorName), *problem));
  } else {
    Reply(message.createReply());
  }
}

void AutomationServer::Hold(const QString& client) {
  if (!watcher_.watchedServices().contains(client)) watcher_.addWatchedService(client);
  if (Quilan* form = server_.Form()) {
    // Queued: the window is hidden only after its close handler has run.
    connect(form, &Quilan::Closed, this, &AutomationServer::EndIfUnused,
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
  }
}

void AutomationServer::ClientLeft(const QString& client) {
  watcher_.removeWatchedService(client);
  global_holders_.remove(client);
  std::erase_if(instances_, [&](const auto& entry) { return entry.second == client; });
  EndIfUnused();
}

void AutomationServer::BusLost() { emit BusGone(); }

void AutomationServer::Finish() {
  if (!connection_.isConnected()) return;
  // Once the bus has taken the name back it routes every new call to a new copy, which it
  // starts. The calls it routed here before are read before the answer to the release and are
  // answered now, while the objects still exist; one more round trip sees those answers sent.
  ending_ = true;
  connection_.interface()->unregisterService(QString::fromLatin1(kBusName));
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  connection_.interface()->isServiceRegistered(QString::fromLatin1(kBusName));
}

void AutomationServer::EndIfUnused() {
  const Quilan* form = server_.Form();
  if (HeldInstances() == 0 && !(form && form->isVisible())) emit Unused();
}

QString AutomationServer::introspect(const QString& path) const {
  if (path == QLatin1String(kApplicationPath)) {
    return QString::fromLatin1(kApplicationXml) + ChildNode(QStringLiteral("QuilanCls"));
  }
  if (path == QLatin1String(kInstancesPath)) {
    QString children = ChildNode(QStringLiteral("Global"));
    for (const auto& [instance, client] : instances_) children += ChildNode(instance.section(QLatin1Char('/'), -1));
    return children;
  }
  if (path == QLatin1String(kGlobalInstancePath) || instances_.count(path)) return QString::fromLatin1(kClassXml);
  return {};
}

int Serve(bool live) {
  QApplication::setQuitOnLastWindowClosed(false);
  QuilanServer server;
  AutomationServer automation(server, QDBusConnection::sessionBus());
  QObject::connect(&automation, &AutomationServer::Unused, [] { QCoreApplication::exit(0); });
  QObject::connect(&automation, &AutomationServer::BusGone, [] {
    std::cerr << kApplicationTitle << ": the session bus went away\n";
    QCoreApplication::exit(0);
  });
  QObject::connect(&automation, &AutomationServer::InstallationFailed, [] { QCoreApplication::exit(1); });
  // Ending without a close of the window stores its place and size as a close does: asked by a
  // signal, at the end of the desktop session (the session manager asks to commit data, then
  // may end the process), or with the bus gone.
  TerminationSignals termination;
  QObject::connect(&termination, &TerminationSignals::Received, [] { QCoreApplication::exit(0); });
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, [&server] {
    if (Quilan* form = server.Form()) form->StorePlace();
  });
  if (!automation.Start()) return QDBusConnection::sessionBus().isConnected() ? 0 : 1;
  if (live && !automation.OpenLive()) {
    automation.Finish();
    return 1;
  }
  const int status = QApplication::exec();
  if (Quilan* form = server.Form()) form->StorePlace();
  automation.Finish();
  return status;
}

}  // namespace orbelle::host
