// The server started by the bus, ending while a client calls it: the user closes the window
// (under openbox) while a client assigns and releases on the global instance in a loop.
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "bus_client.h"
#include "desktop_test_support.h"
#include "host/qt/automation_names.h"
#include "tools/private_bus/private_bus.h"

namespace orbelle::host {
namespace {

bool WindowShown() {
  QProcess list;
  list.start(QStringLiteral("wmctrl"), {QStringLiteral("-l")});
  list.waitForFinished(5000);
  return list.readAllStandardOutput().contains("Planets Position");
}

// Every reply is the table drawn or the documented error of a server that was ending, and the
// call after it starts a new server, closing after closing.
TEST(EndingServer, EveryCallIsAnsweredAndTheNextStartsANewServer) {
  constexpr int kTrials = 20;
  testing::InstalledSuite suite;
  tools::PrivateSessionBus bus(QProcessEnvironment::systemEnvironment(), QString::fromLatin1(kBusName));
  ASSERT_TRUE(bus.Running());
  QDBusConnection probe = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("probe"));
  const auto owner = [&] {
    const QDBusReply<uint> pid = probe.interface()->servicePid(QString::fromLatin1(kBusName));
    return pid.isValid() ? pid.value() : 0u;
  };

  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::map<std::string, int> replies;  // "" for a table drawn, else the error's name and message
  std::thread calling([&] {
    testing::BusClient client(bus.Address());
    const QString global = QString::fromLatin1(kGlobalInstancePath);
    while (!stop) {
      for (const QDBusMessage& reply :
           {client.SetData(global, QStringLiteral("12/25/2026 10:30")), client.Release(global)}) {
        const std::lock_guard lock(mutex);
        ++replies[reply.type() == QDBusMessage::ReplyMessage
                      ? ""
                      : reply.errorName().toStdString() + ": " + reply.errorMessage().toStdString()];
      }
    }
  });

  // Each close ends the server that shows the window; the loop's next call starts a new one,
  // which shows the window again. (A Release alone may start a server that ends at once.)
  int new_servers = 0;
  uint previous = 0;
  for (int trial = 0; trial <= kTrials; ++trial) {
    uint current = 0;
    if (!testing::ProcessEventsUntil([&] { return (current = owner()) != 0 && current != previous && WindowShown(); },
                                     10000)) {
      break;
    }
    if (trial > 0) ++new_servers;
    if (trial == kTrials) break;
    QThread::msleep(100);
    QProcess::execute(QStringLiteral("wmctrl"), {QStringLiteral("-c"), QStringLiteral("Planets Position")});
    previous = current;
  }
  stop = true;
  calling.join();
  QDBusConnection::disconnectFromBus(QStringLiteral("probe"));

  EXPECT_EQ(new_servers, kTrials);
  for (const auto& [reply, count] : replies) {
    std::cout << count << " x " << (reply.empty() ? "table drawn / released" : reply) << '\n';
    EXPECT_TRUE(reply.empty() || reply.starts_with(kEndingErrorName)) << reply;
  }
}

}  // namespace
}  // namespace orbelle::host
