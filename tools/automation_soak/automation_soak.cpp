// automation_soak [COUNT]: COUNT (default 100,000) assignments of Data to one instance of
// the automation server, started by D-Bus activation on a private session bus. Nine in ten
// are dates spread over 1000-3000; one in ten is unreadable, in turn: a text that is not a
// date, an empty text, 1 MiB of text, a text made of the replacement characters that bytes
// which are not UTF-8 become, and the raw bytes themselves sent as a byte array instead of a
// string. Passes when every assignment is answered (a success for a date, an error reply for
// the rest), the server never dies, and its resident memory at the end is within 2 MiB of its
// memory after the first 1,000 assignments.
#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QFile>
#include <chrono>
#include <cstdio>

#include "tools/private_bus/automation_client.h"

namespace {

long ResidentKiB(unsigned pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
  }
  return -1;
}

QVariant Unreadable(int k) {
  static const QString kMebibyte(1 << 20, QLatin1Char('7'));
  static const QByteArray kNotUtf8("\xff\xfe\xc3\x28\xa0\xa1 12/25/2026", 17);
  switch (k % 5) {
    case 0: return QStringLiteral("not a date");
    case 1: return QString();
    case 2: return kMebibyte;
    case 3: return QString::fromUtf8(kNotUtf8);
    default: return kNotUtf8;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
  orbelle::tools::AutomationClient client;
  if (!client.Ready()) {
    std::fprintf(stderr, "automation_soak: cannot start dbus-daemon\n");
    return 1;
  }
  const QDBusMessage created = client.CreateInstance();
  if (created.type() == QDBusMessage::ErrorMessage) {
    std::fprintf(stderr, "automation_soak: %s\n", qPrintable(created.errorMessage()));
    return 1;
  }
  const QString instance = created.arguments().value(0).value<QDBusObjectPath>().path();
  const unsigned pid = client.ServerPid();

  const auto start = std::chrono::steady_clock::now();
  long rss_after_1000 = 0, answered = 0, errors = 0, wrong = 0;
  for (int i = 0; i < count; ++i) {
    const bool valid = i % 10 != 9;
    const QVariant value = valid ? QVariant(QStringLiteral("%1-%2-%3 %4:%5")
                                                .arg(1000 + (i * 7919) % 2000, 4, 10, QLatin1Char('0'))
                                                .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                                .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                                .arg(i % 24, 2, 10, QLatin1Char('0'))
                                                .arg(i % 60, 2, 10, QLatin1Char('0')))
                                 : Unreadable(i / 10);
    const QDBusMessage reply = client.SetData(instance, value);
    const bool error = reply.type() == QDBusMessage::ErrorMessage;
    if (reply.type() == QDBusMessage::ReplyMessage || error) ++answered;
    if (error) ++errors;
    if (error == valid || reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply")) {
      if (++wrong <= 5)
        std::fprintf(stderr, "assignment %d: %s %s\n", i, qPrintable(reply.errorName()),
                     qPrintable(reply.errorMessage()));
    }
    if (i + 1 == 1000) rss_after_1000 = ResidentKiB(pid);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long rss_end = ResidentKiB(pid);
  const bool alive = rss_end > 0 && client.ServerPid() == pid;
  std::printf("%d assignments in %.1f s: %ld answered, %ld error replies, %ld unexpected\n", count, seconds, answered,
              errors, wrong);
  std::printf("server %s; resident memory after 1,000: %ld KiB, at the end: %ld KiB (growth %ld KiB)\n",
              alive ? "alive" : "GONE", rss_after_1000, rss_end, rss_end - rss_after_1000);
  client.Release(instance);
  const bool ok = alive && wrong == 0 && answered == count && rss_end - rss_after_1000 <= 2048;
  std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
  return ok ? 0 : 1;
}
