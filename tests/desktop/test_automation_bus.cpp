// The automation server on a private bus of the test's own, served from this thread while a
// client on another thread calls it.
#include <gtest/gtest.h>

#include <QDBusConnection>

#include "bus_client.h"
#include "desktop_test_support.h"
#include "host/qt/automation_names.h"
#include "host/qt/automation_server.h"
#include "tools/private_bus/private_bus.h"

namespace orbelle::host {
namespace {

using testing::BusClient;
using testing::WhileServing;

class AutomationBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bus.Running());
    server_bus = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("server"));
    ASSERT_TRUE(automation.Start());
    QObject::connect(&automation, &AutomationServer::Unused, [this] { ++unused; });
  }
  void TearDown() override {
    if (server.Form()) server.Form()->hide();
    QDBusConnection::disconnectFromBus(QStringLiteral("server"));
  }
  testing::InstalledSuite suite;
  tools::PrivateSessionBus bus{QProcessEnvironment::systemEnvironment(), QString::fromLatin1(kBusName)};
  QDBusConnection server_bus{QDBusConnection::connectToBus(bus.Address(), QStringLiteral("server"))};
  QuilanServer server;
  AutomationServer automation{server, server_bus};
  BusClient client{bus.Address()};
  int unused = 0;
};

// The global instance is initialised on first use; instances share its window.
TEST_F(AutomationBusTest, InstancesShareOneWindowAndEitherRedrawsIt) {
  EXPECT_EQ(server.Form(), nullptr);
  const QDBusMessage global = WhileServing(
      [&] { return client.SetData(QString::fromLatin1(kGlobalInstancePath), QStringLiteral("7/4/1976 12:00")); });
  EXPECT_EQ(global.type(), QDBusMessage::ReplyMessage) << global.errorMessage().toStdString();
  const auto [first, second] =
      WhileServing([&] { return std::pair(client.CreateInstance(), client.CreateInstance()); });
  ASSERT_TRUE(first.startsWith(QLatin1String(kInstancesPath))) << first.toStdString();
  ASSERT_NE(first, second);
  Quilan* form = server.Form();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());

  EXPECT_EQ(WhileServing([&] { return client.SetData(first, QStringLiteral("12/25/2026 10:30")).type(); }),
            QDBusMessage::ReplyMessage);
  EXPECT_EQ(form->RequestBox()->text(), QLatin1String("12/25/2026 10:30"));  // drawn before the reply
  const QImage by_first = form->Surface().Image();
  EXPECT_EQ(WhileServing([&] { return client.SetData(second, QStringLiteral("1/1/1990 00:00")).type(); }),
            QDBusMessage::ReplyMessage);
  EXPECT_EQ(server.Form(), form);
  EXPECT_NE(form->Surface().Image(), by_first);
  EXPECT_EQ(automation.HeldInstances(), 3);
}

// Releasing or leaving the bus does not close an open window; the process ends once the
// window is closed and no instance is held.
TEST_F(AutomationBusTest, ProcessEndsOnlyWhenTheWindowIsClosedAndNoInstanceIsHeld) {
  const QString instance = WhileServing([&] { return client.CreateInstance(); });
  server.Form()->close();
  QCoreApplication::processEvents();
  EXPECT_EQ(unused, 0);  // an instance is still held

  // Data through the held instance draws without showing; a new instance shows the window.
  WhileServing([&] { return client.SetData(instance, QStringLiteral("3/3/2003")); });
  EXPECT_FALSE(server.Form()->isVisible());
  WhileServing([&] { return client.CreateInstance(); });
  EXPECT_TRUE(server.Form()->isVisible());

  WhileServing([&] { return client.Release(instance); });
  EXPECT_TRUE(server.Form()->isVisible());
  EXPECT_EQ(WhileServing([&] { return client.SetData(instance, QStringLiteral("3/3/2003")).errorName(); }),
            QLatin1String("org.freedesktop.DBus.Error.UnknownObject"));
  client.Leave();  // releases the second instance
  EXPECT_TRUE(testing::ProcessEventsUntil([&] { return automation.HeldInstances() == 0; }));
  EXPECT_EQ(unused, 0);
  server.Form()->close();
  EXPECT_TRUE(testing::ProcessEventsUntil([&] { return unused == 1; }));
}

// Another client cannot release an instance it did not create, a request without a date is
// the request error naming it, and a call whose arguments do not match its member is refused
// whole.
TEST_F(AutomationBusTest, RefusedCallsChangeNothing) {
  BusClient other{bus.Address()};
  const QString instance = WhileServing([&] { return client.CreateInstance(); });
  const QDBusMessage foreign = WhileServing([&] { return other.Release(instance); });
  EXPECT_EQ(foreign.errorName(), QLatin1String("org.freedesktop.DBus.Error.AccessDenied"));
  EXPECT_EQ(WhileServing([&] { return client.SetData(instance, QStringLiteral("3/3/2003")).type(); }),
            QDBusMessage::ReplyMessage);
  const QDBusMessage unreadable = WhileServing([&] { return client.SetData(instance, QStringLiteral("31/31/31x")); });
  EXPECT_EQ(unreadable.errorName(), QLatin1String(kRequestErrorName));
  EXPECT_TRUE(unreadable.errorMessage().contains(QLatin1String("31/31/31x")))
      << unreadable.errorMessage().toStdString();

  const auto call = [&](const QString& path, const QString& interface, const char* method, const QVariantList& args) {
    return WhileServing([&] { return client.Call(path, interface, QString::fromLatin1(method), args).errorName(); });
  };
  const QString invalid = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
  EXPECT_EQ(call(QString::fromLatin1(kApplicationPath), QString::fromLatin1(kApplicationInterface), "CreateInstance",
                 {QStringLiteral("extra")}),
            invalid);
  EXPECT_EQ(call(instance, QString::fromLatin1(kClassInterface), "Release", {QStringLiteral("x")}), invalid);
  EXPECT_EQ(call(instance, BusClient::kProperties, "Set", BusClient::DataArguments(QStringLiteral("1/1/2000")) << 1),
            invalid);
  EXPECT_NE(call(instance, BusClient::kProperties, "Set",
                 {QString::fromLatin1(kClassInterface), QString::fromLatin1(kDataProperty),
                  QVariant::fromValue(QDBusVariant(42))}),
            QString());                      // a number is no request text
  EXPECT_EQ(automation.HeldInstances(), 1);  // nothing created, nothing released

  // The cap on live instances per client: the call past it is refused; another client and a
  // released instance make room.
  const int held = WhileServing([&] {
    int created = 1;
    while (created < kMostInstancesPerClient && !client.CreateInstance().isEmpty()) ++created;
    return created;
  });
  EXPECT_EQ(held, kMostInstancesPerClient);
  EXPECT_EQ(
      call(QString::fromLatin1(kApplicationPath), QString::fromLatin1(kApplicationInterface), "CreateInstance", {}),
      QLatin1String(kTooManyInstancesErrorName));
  EXPECT_FALSE(WhileServing([&] { return other.CreateInstance(); }).isEmpty());
  EXPECT_EQ(WhileServing([&] { return client.Release(instance).type(); }), QDBusMessage::ReplyMessage);
  EXPECT_FALSE(WhileServing([&] { return client.CreateInstance(); }).isEmpty());
}

// A window that a client's call brought up never follows the clock; one opened by a person
// does (a client's Data ends it, as in the window instrument tests). Closing it ends the program.
TEST_F(AutomationBusTest, OnlyAWindowOpenedByAPersonFollowsTheClock) {
  const QString instance = WhileServing([&] { return client.CreateInstance(); });
  ASSERT_NE(server.Form(), nullptr);
  EXPECT_FALSE(server.Form()->Live());
  WhileServing([&] { return client.Release(instance); });

  ASSERT_TRUE(automation.OpenLive());
  Quilan& form = *server.Form();
  EXPECT_TRUE(form.Live());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QString::fromStdString(form.Table().Rows().request), form.RequestBox()->text());
  form.close();
  testing::ProcessEventsUntil([&] { return unused > 0; }, 2000);
  EXPECT_GT(unused, 0);
}

}  // namespace
}  // namespace orbelle::host
