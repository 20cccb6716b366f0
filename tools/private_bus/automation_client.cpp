#include "tools/private_bus/automation_client.h"

#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QFile>

#include "host/qt/automation_names.h"

namespace orbelle::tools {

AutomationClient::AutomationClient() : connection_name_(QStringLiteral("automation-client-%1").arg(quintptr(this))) {
  QFile settings(profile_.filePath(QStringLiteral("ZODRIX.INI")));
  if (!settings.open(QIODevice::WriteOnly)) return;
  settings.write("[EPHEM]\nDirectory=" ORBELLE_DATA_DIR "\n");
  settings.close();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZODRIX_PROFILE_DIR"), profile_.path());
  if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  bus_ = std::make_unique<PrivateSessionBus>(env, QString::fromLatin1(host::kBusName));
  if (bus_->Running()) QDBusConnection::connectToBus(bus_->Address(), connection_name_);
}

AutomationClient::~AutomationClient() { QDBusConnection::disconnectFromBus(connection_name_); }

QDBusMessage AutomationClient::Call(const QString& path, const QString& interface, const QString& method,
                                    const QVariantList& args) {
  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(host::kBusName), path, interface, method);
  call.setArguments(args);
  return QDBusConnection(connection_name_).call(call, QDBus::Block, 30000);
}

QDBusMessage AutomationClient::CreateInstance() {
  return Call(QString::fromLatin1(host::kApplicationPath), QString::fromLatin1(host::kApplicationInterface),
              QStringLiteral("CreateInstance"), {});
}

QDBusMessage AutomationClient::SetData(const QString& path, const QVariant& value) {
  return Call(path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
              {QString::fromLatin1(host::kClassInterface), QString::fromLatin1(host::kDataProperty),
               QVariant::fromValue(QDBusVariant(value))});
}

QDBusMessage AutomationClient::Release(const QString& path) {
  return Call(path, QString::fromLatin1(host::kClassInterface), QStringLiteral("Release"), {});
}

unsigned AutomationClient::ServerPid() {
  const auto pid = QDBusConnection(connection_name_).interface()->servicePid(QString::fromLatin1(host::kBusName));
  return pid.isValid() ? pid.value() : 0;
}

}  // namespace orbelle::tools
