// A client of the automation server with its own connection to a bus, for calls made from a
// thread other than the server's.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <atomic>

#include "host/qt/automation_names.h"

namespace orbelle::testing {

class BusClient {
 public:
  explicit BusClient(const QString& address)
      : name_(QStringLiteral("client-%1").arg(++count_)), bus_(QDBusConnection::connectToBus(address, name_)) {}
  ~BusClient() { Leave(); }

  QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args = {},
                    int timeout_ms = 10000) {
    return bus_.call(Message(path, interface, method, args), QDBus::Block, timeout_ms);
  }
  // Sends the call without waiting for its answer.
  QDBusPendingCall Send(const QString& path, const QString& interface, const QString& method,
                        const QVariantList& args = {}) {
    return bus_.asyncCall(Message(path, interface, method, args), 10000);
  }
  QString CreateInstance() {
    const QDBusMessage reply = Call(QString::fromLatin1(host::kApplicationPath),
                                    QString::fromLatin1(host::kApplicationInterface), QStringLiteral("CreateInstance"));
    return reply.arguments().value(0).value<QDBusObjectPath>().path();
  }
  QDBusMessage SetData(const QString& path, const QString& text, int timeout_ms = 10000) {
    return Call(path, kProperties, QStringLiteral("Set"), DataArguments(text), timeout_ms);
  }
  static QVariantList DataArguments(const QString& text) {
    return {QString::fromLatin1(host::kClassInterface), QString::fromLatin1(host::kDataProperty),
            QVariant::fromValue(QDBusVariant(text))};
  }
  QDBusMessage Release(const QString& path) {
    return Call(path, QString::fromLatin1(host::kClassInterface), QStringLiteral("Release"));
  }
  // Leaves the bus, as a client process that ends does.
  void Leave() {
    if (left_) return;
    left_ = true;
    bus_ = QDBusConnection(QStringLiteral("no connection"));  // drop the last reference
    QDBusConnection::disconnectFromBus(name_);
  }

  inline static const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

 private:
  static QDBusMessage Message(const QString& path, const QString& interface, const QString& method,
                              const QVariantList& args) {
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(host::kBusName), path, interface, method);
    call.setArguments(args);
    return call;
  }

  inline static std::atomic<int> count_{0};
  QString name_;
  QDBusConnection bus_;
  bool left_ = false;
};

}  // namespace orbelle::testing
