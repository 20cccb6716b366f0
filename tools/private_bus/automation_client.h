// A client of the automation server as the suite's programs use it: a private session bus
// whose activation file starts the build's `orbelle-angles serve`, a profile directory whose
// "ZODRIX.INI" names the shipped data, and the calls of the class QuilanCls.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

#include "tools/private_bus/private_bus.h"

namespace orbelle::tools {

class AutomationClient {
 public:
  // The server runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
  AutomationClient();
  ~AutomationClient();

  bool Ready() const { return bus_ && bus_->Running(); }

  // CreateInstance on the application object: the reply holds the new instance's path.
  QDBusMessage CreateInstance();
  // Properties.Set of Data on the instance at `path`; `value` is sent as the variant's content
  // (a QString normally; anything else to test the server's refusal).
  QDBusMessage SetData(const QString& path, const QVariant& value);
  QDBusMessage Release(const QString& path);
  // Process id of the server that owns the bus name, 0 when none.
  unsigned ServerPid();

 private:
  QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args);

  QTemporaryDir profile_;
  std::unique_ptr<PrivateSessionBus> bus_;
  QString connection_name_;
};

}  // namespace orbelle::tools
