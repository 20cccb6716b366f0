// automation_bench [COUNT]: starts a private session bus whose activation file names the
// build's orbelle-angles, then measures as a client
//  - cold start: from the first call (CreateInstance, which makes the bus start the server)
//    until the reply to the first Data assignment, i.e. until the first table is drawn;
//  - the round trip of one Data assignment (the table is redrawn before the reply), COUNT
//    times (default 1000), alternating two requests; median and 99th percentile.
// The server runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
#include <QCoreApplication>
#include <QDBusObjectPath>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tools/private_bus/automation_client.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

bool Failed(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ErrorMessage) return false;
  std::fprintf(stderr, "automation_bench: %s: %s\n", qPrintable(reply.errorName()), qPrintable(reply.errorMessage()));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  orbelle::tools::AutomationClient client;
  if (!client.Ready()) {
    std::fprintf(stderr, "automation_bench: cannot start dbus-daemon\n");
    return 1;
  }

  const Clock::time_point start = Clock::now();
  const QDBusMessage created = client.CreateInstance();
  if (Failed(created)) return 1;
  const Clock::time_point shown = Clock::now();
  const QString instance = created.arguments().value(0).value<QDBusObjectPath>().path();
  if (Failed(client.SetData(instance, QStringLiteral("2000-01-01 12:00")))) return 1;
  const Clock::time_point first_table = Clock::now();

  const QString requests[] = {QStringLiteral("12/25/2026 10:30"), QStringLiteral("7/4/1976 18:45")};
  std::vector<double> latencies;
  latencies.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const Clock::time_point t0 = Clock::now();
    if (Failed(client.SetData(instance, requests[i % 2]))) return 1;
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
  client.Release(instance);
  return 0;
}
