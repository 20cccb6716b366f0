// The installed program as the bus starts it: a private session bus whose activation file
// names the build's orbelle-angles, called by a client that is not ours (gdbus).
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <filesystem>

#include "bus_client.h"
#include "desktop_test_support.h"
#include "host/qt/automation_names.h"
#include "host/qt/quilan.h"
#include "settings/profile_file.h"
#include "tools/private_bus/private_bus.h"

namespace orbelle::host {
namespace {

struct Finished {
  int status = -1;
  QString out, err;
};

class ActivationTest : public ::testing::Test {
 protected:
  static QProcessEnvironment ServerEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
  }
  Finished Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessEnvironment(bus.ClientEnvironment());
    process.start(program, args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
  }
  Finished Gdbus(const QString& path, const QString& method, const QStringList& args = {}) {
    return Run(QStringLiteral("gdbus"), QStringLiteral("call --session --dest %1 --object-path %2 --method %3")
                                                .arg(QLatin1String(kBusName), path, method)
                                                .split(QLatin1Char(' ')) +
                                            args);
  }
  Finished CreateInstance() {
    return Gdbus(QString::fromLatin1(kApplicationPath), QStringLiteral("OrbelleAngles.Application.CreateInstance"));
  }
  // Starts `orbelle-angles serve` by hand on the bus and waits until it owns the bus name
  // (or ten seconds have passed).
  void StartServer(QProcess& server) {
    server.setProcessEnvironment(bus.ClientEnvironment());
    server.start(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("serve")});
    QElapsedTimer timer;
    timer.start();
    while (Owner() == 0 && timer.elapsed() < 10000) QThread::msleep(20);
  }

  // Process id of the bus name's owner, 0 when there is none.
  uint Owner() {
    QDBusConnection probe = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("probe"));
    const QDBusReply<uint> pid = probe.interface()->servicePid(QString::fromLatin1(kBusName));
    return pid.isValid() ? pid.value() : 0;
  }
  void TearDown() override { QDBusConnection::disconnectFromBus(QStringLiteral("probe")); }

  testing::InstalledSuite suite;
  tools::PrivateSessionBus bus{ServerEnvironment(), QString::fromLatin1(kBusName)};
};

TEST_F(ActivationTest, FirstCallStartsTheServerAndDataIsAssignedNotRead) {
  ASSERT_TRUE(bus.Running());
  EXPECT_EQ(Owner(), 0u);
  const Finished created = CreateInstance();
  EXPECT_EQ(created.status, 0) << created.err.toStdString();
  EXPECT_TRUE(created.out.contains(QLatin1String("objectpath '/OrbelleAngles/QuilanCls/")))
      << created.out.toStdString();
  const uint server = Owner();
  EXPECT_NE(server, 0u);

  const Finished assigned =
      Gdbus(QString::fromLatin1(kGlobalInstancePath), QStringLiteral("org.freedesktop.DBus.Properties.Set"),
            {QString::fromLatin1(kClassInterface), QString::fromLatin1(kDataProperty),
             QStringLiteral("<'12/25/2026 10:30'>")});
  EXPECT_EQ(assigned.status, 0) << assigned.err.toStdString();

  const Finished read =
      Gdbus(QString::fromLatin1(kGlobalInstancePath), QStringLiteral("org.freedesktop.DBus.Properties.Get"),
            {QString::fromLatin1(kClassInterface), QString::fromLatin1(kDataProperty)});
  EXPECT_NE(read.status, 0);
  EXPECT_TRUE(read.err.contains(QLatin1String(kWriteOnlyErrorName))) << read.err.toStdString();
  const Finished shape =
      Run(QStringLiteral("gdbus"), QStringLiteral("introspect --session --dest %1 --object-path %2")
                                       .arg(QLatin1String(kBusName), QLatin1String(kGlobalInstancePath))
                                       .split(QLatin1Char(' ')));
  EXPECT_TRUE(shape.out.contains(QLatin1String("writeonly s Data"))) << shape.out.toStdString();

  // Our own client: an error reply goes to standard error with status 1.
  const Finished sent = Run(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("send"), QStringLiteral("Easter")});
  EXPECT_EQ(sent.status, 1);
  EXPECT_TRUE(sent.err.contains(QLatin1String("Easter")));
  EXPECT_EQ(Run(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("send"), QStringLiteral("4/5/2026 9:00")}).status, 0);
  EXPECT_EQ(Owner(), server);  // one server for every client
}

TEST_F(ActivationTest, SecondCopyGivesWayToTheRunningOne) {
  ASSERT_EQ(CreateInstance().status, 0);
  const uint first = Owner();
  QElapsedTimer timer;
  timer.start();
  const Finished second = Run(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("serve")});
  EXPECT_EQ(second.status, 0) << second.err.toStdString();
  EXPECT_LT(timer.elapsed(), 10000);
  EXPECT_EQ(Owner(), first);

  // A second copy whose bus goes away while the running copy is not answering ends with the
  // bus (it waited for ever, and no signal ended it).
  ::kill(static_cast<pid_t>(first), SIGSTOP);
  QProcess waiting;
  waiting.setProcessEnvironment(bus.ClientEnvironment());
  waiting.start(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("serve")});
  QThread::msleep(1000);
  bus.Stop();
  EXPECT_TRUE(waiting.waitForFinished(3000));  // before the 5 s that it waits for the answer
  ::kill(static_cast<pid_t>(first), SIGCONT);
}

// `show` without a request starts a server of its own (the window following the clock) and
// returns; a second `show` raises that window and leaves the same server running. The server
// outlives the pipe that show's standard error was (it wrote there once, and was killed by it).
TEST_F(ActivationTest, ShowWithoutARequestStartsItsOwnServerOnce) {
  ASSERT_EQ(Owner(), 0u);
  const Finished first = Run(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("show")});
  EXPECT_EQ(first.status, 0) << first.err.toStdString();
  QElapsedTimer timer;
  timer.start();
  while (Owner() == 0 && timer.elapsed() < 10000) QThread::msleep(20);
  const uint server = Owner();
  ASSERT_NE(server, 0u);
  EXPECT_EQ(Run(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("show")}).status, 0);
  EXPECT_EQ(Owner(), server);
  EXPECT_EQ(Run(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("send"), QStringLiteral("4/5/2026 9:00")}).status, 0);
  EXPECT_EQ(Owner(), server);
}

// Calls that reach a server while it ends for a failed installation check, many at once from
// one client, all get the installation error: none is left without an answer. Without a
// display the message goes to standard error.
TEST_F(ActivationTest, EndingServerAnswersEveryCallWithTheInstallationError) {
  std::remove((suite.DataDirectory() + "ZodrixTC2.Dat").c_str());
  QProcess server;
  StartServer(server);
  testing::BusClient client(bus.Address());
  std::vector<QDBusPendingCall> calls;
  for (int i = 0; i < 40; ++i) {
    calls.push_back(i % 2 ? client.Send(QString::fromLatin1(kGlobalInstancePath), testing::BusClient::kProperties,
                                        QStringLiteral("Set"),
                                        testing::BusClient::DataArguments(QStringLiteral("1/1/2000")))
                          : client.Send(QString::fromLatin1(kApplicationPath),
                                        QString::fromLatin1(kApplicationInterface), QStringLiteral("CreateInstance")));
  }
  for (QDBusPendingCall& call : calls) {
    call.waitForFinished();
    EXPECT_EQ(call.error().name().toStdString() + ": " + call.error().message().toStdString(),
              std::string(kNotInstalledErrorName) + ": Main orbelle module not found");
  }
  ASSERT_TRUE(server.waitForFinished(10000));
  EXPECT_EQ(server.exitCode(), 1);
  EXPECT_TRUE(
      QString::fromUtf8(server.readAllStandardError()).contains(QLatin1String("Main orbelle module not found")));
}

// A server that ends without a close of its window (asked by a signal, or its bus gone) stores
// the window's place and size as a close does: on a first run, the file with its four keys.
TEST_F(ActivationTest, SignalsAndTheBusGoneStoreThePlaceAsACloseDoes) {
  for (const char* ending : {"SIGTERM", "SIGHUP", "bus gone"}) {
    std::filesystem::remove(suite.PositionFile());
    QProcess server;
    StartServer(server);
    testing::BusClient client(bus.Address());
    ASSERT_FALSE(client.CreateInstance().isEmpty()) << ending;  // the window is shown
    if (ending == std::string("bus gone")) {
      bus.Stop();
    } else {
      ::kill(static_cast<pid_t>(server.processId()), ending == std::string("SIGTERM") ? SIGTERM : SIGHUP);
    }
    ASSERT_TRUE(server.waitForFinished(10000)) << ending;
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit) << ending;
    for (const char* key : {"Height", "Width", "Left", "Top"}) {
      EXPECT_NE(settings::GetPrivateProfileString("Size", key, "missing", 256, suite.PositionFile()), "missing")
          << ending << ": " << key;
    }
  }
}

// A request far longer than any date is refused before it is read, even at the largest size
// the bus carries; nothing a client sends stops the server from answering the next call or from
// ending with its bus.
TEST_F(ActivationTest, OverlongRequestIsRefusedAndTheServerStillAnswersAndEndsWithItsBus) {
  QProcess server;
  StartServer(server);
  testing::BusClient client(bus.Address());
  const QString instance = client.CreateInstance();
  const QDBusMessage small = client.SetData(instance, QString(kLongestRequest + 1, QLatin1Char('1')));
  EXPECT_EQ(small.errorName(), QLatin1String(kRequestErrorName));
  EXPECT_TRUE(small.errorMessage().contains(QLatin1String("257 characters"))) << small.errorMessage().toStdString();
  // Characters are code points: an emoji is one character (two UTF-16 units), 200 of them are
  // read as a request (and refused for holding no date), 257 are too long.
  const QString emoji = QStringLiteral("\U0001F600");
  const std::pair<int, const char*> texts[] = {{200, "no date can be read"},
                                               {257, "the request is 257 characters long"}};
  for (const auto& [count, message] : texts) {
    const QDBusMessage reply = client.SetData(instance, emoji.repeated(count));
    EXPECT_TRUE(reply.errorMessage().startsWith(QLatin1String(message))) << reply.errorMessage().toStdString();
  }

  // 64 MiB stopped the server for good, depending on which of its threads let go of the
  // message last: a few times over. Carrying such a message takes seconds (more under the
  // sanitizers on a loaded machine): a minute before a call counts as unanswered.
  constexpr int kTransferMs = 60000;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(client.SetData(instance, QString(64 << 20, QLatin1Char('1')), kTransferMs).errorName(),
              QLatin1String(kRequestErrorName));
  }
  // libdbus carries messages up to 128 MiB; Qt's client sends the text as UTF-8.
  constexpr int kBusLimit = 128 << 20;
  const QDBusMessage under = client.SetData(instance, QString(kBusLimit - 4096, QLatin1Char('1')), kTransferMs);
  EXPECT_EQ(under.errorName(), QLatin1String(kRequestErrorName));
  EXPECT_LT(under.errorMessage().size(), 100);
  const QDBusMessage over = client.SetData(instance, QString(kBusLimit, QLatin1Char('1')), kTransferMs);
  EXPECT_EQ(over.type(), QDBusMessage::ErrorMessage);  // the bus refuses it: never delivered

  // A wedged server left every later call unanswered (NoReply).
  testing::BusClient next(bus.Address());
  EXPECT_EQ(next.SetData(next.CreateInstance(), QStringLiteral("12/25/2026 10:30")).type(), QDBusMessage::ReplyMessage);
  bus.Stop();
  EXPECT_TRUE(server.waitForFinished(10000));
}

}  // namespace
}  // namespace orbelle::host
