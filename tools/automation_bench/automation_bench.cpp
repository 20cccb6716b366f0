// automation_bench [COUNT]: starts a private session bus whose activation file names the
// build's orbelle-angles, then measures as a client
//  - cold start: from the first call (CreateInstance, which makes the bus start the server)
//    until the reply to the first Data assignment, i.e. until the first table is drawn;
//  - the round trip of one Data assignment (the table is redrawn before the reply), COUNT
//    times (default 1000), alternating two requests; median and 99th percentile.
// The server runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "host/automation_names.h"
#include "tools/private_bus/private_bus.h"

namespace {

using Clock = std::chrono::steady_clock;
using orbelle::host::kBusName;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

QDBusMessage Call(QDBusConnection& bus, const QString& path, const QString& interface, const QString& method,
                  const QVariantList& args = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kBusName), path, interface, method);
  call.setArguments(args);
  return bus.call(call, QDBus::Block, 30000);
}

QDBusMessage SetData(QDBusConnection& bus, const QString& path, const QString& text) {
  return Call(bus, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
              {QString::fromLatin1(orbelle::host::kClassInterface), QString::fromLatin1(orbelle::host::kDataProperty),
               QVariant::fromValue(QDBusVariant(text))});
}

bool Failed(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ErrorMessage) return false;
  std::fprintf(stderr, "automation_bench: %s: %s\n", qPrintable(reply.errorName()), qPrintable(reply.errorMessage()));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

  // An installed suite: a profile directory whose settings name the shipped data.
  QTemporaryDir profile;
  QFile settings(profile.filePath(QStringLiteral("ZODRIX.INI")));
  if (!settings.open(QIODevice::WriteOnly)) return 1;
  settings.write("[EPHEM]\nDirectory=" ORBELLE_DATA_DIR "\n");
  settings.close();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZODRIX_PROFILE_DIR"), profile.path());
  if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

  orbelle::tools::PrivateSessionBus private_bus(env, QString::fromLatin1(kBusName));
  if (!private_bus.Running()) {
    std::fprintf(stderr, "automation_bench: cannot start dbus-daemon\n");
    return 1;
  }
  QDBusConnection bus = QDBusConnection::connectToBus(private_bus.Address(), QStringLiteral("bench"));

  const Clock::time_point start = Clock::now();
  const QDBusMessage created =
      Call(bus, QString::fromLatin1(orbelle::host::kApplicationPath),
           QString::fromLatin1(orbelle::host::kApplicationInterface), QStringLiteral("CreateInstance"));
  if (Failed(created)) return 1;
  const Clock::time_point shown = Clock::now();
  const QString instance = created.arguments().value(0).value<QDBusObjectPath>().path();
  if (Failed(SetData(bus, instance, QStringLiteral("2000-01-01 12:00")))) return 1;
  const Clock::time_point first_table = Clock::now();

  const QString requests[] = {QStringLiteral("12/25/2026 10:30"), QStringLiteral("7/4/1976 18:45")};
  std::vector<double> latencies;
  latencies.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const Clock::time_point t0 = Clock::now();
    if (Failed(SetData(bus, instance, requests[i % 2]))) return 1;
    latencies.push_back(Milliseconds(Clock::now() - t0));
  }
  std::sort(latencies.begin(), latencies.end());
  const auto percentile = [&](double p) {
    return latencies[std::min(latencies.size() - 1,
                              static_cast<std::size_t>(p * static_cast<double>(latencies.size())))];
  };

  std::printf("cold start (first call to first table drawn): %.1f ms  (instance and window %.1f ms)\n",
              Milliseconds(first_table - start), Milliseconds(shown - start));
  std::printf("Data assignment round trip over %d assignments: median %.3f ms, p99 %.3f ms, max %.3f ms\n", count,
              percentile(0.5), percentile(0.99), latencies.back());
  Call(bus, instance, QString::fromLatin1(orbelle::host::kClassInterface), QStringLiteral("Release"));
  return 0;
}
