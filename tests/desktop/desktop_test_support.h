// Shared pieces of the desktop tests: an installed suite in a temporary profile directory,
// and running blocking client code off the user-interface thread while its events run.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <string>

namespace orbelle::testing {

// A profile directory whose "ZODRIX.INI" names a data directory holding "ZodrixTC2.Dat" and
// links to the shipped ephemeris files; ZODRIX_PROFILE_DIR points at it for the life of the
// object.
class InstalledSuite {
 public:
  InstalledSuite() {
    QDir(root_.path()).mkpath(QStringLiteral("profile"));
    QDir(root_.path()).mkpath(QStringLiteral("data"));
    WriteSettings("[EPHEM]\nDirectory=" + DataDirectory() + "\n");
    Write(DataDirectory() + "ZodrixTC2.Dat", "");
    const QDir shipped(QStringLiteral(ORBELLE_SOURCE_DIR "/data"));
    for (const QString& name : shipped.entryList(QDir::Files)) {
      if (name != QLatin1String("ZodrixTC2.Dat")) {
        QFile::link(shipped.filePath(name), QString::fromStdString(DataDirectory()) + name);
      }
    }
    qputenv("ZODRIX_PROFILE_DIR", ProfileDirectory().toUtf8());
  }
  ~InstalledSuite() { qunsetenv("ZODRIX_PROFILE_DIR"); }

  QString ProfileDirectory() const { return root_.filePath(QStringLiteral("profile")); }
  std::string DataDirectory() const { return root_.filePath(QStringLiteral("data")).toStdString() + "/"; }
  std::string PositionFile() const { return ProfileDirectory().toStdString() + "/OrbelleAnglesPos.Ini"; }

  void WriteSettings(const std::string& contents) const {
    Write(ProfileDirectory().toStdString() + "/ZODRIX.INI", contents);
  }
  static void Write(const std::string& path, const std::string& contents) {
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly)) file.write(contents.data(), static_cast<qint64>(contents.size()));
  }
  static std::string Read(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
  }

 private:
  QTemporaryDir root_;
};

// Runs `work` on another thread and processes this thread's events until it is done, so that
// blocking D-Bus calls of the work can be answered by objects living on this thread.
template <class Work>
auto WhileServing(Work work) {
  auto result = std::async(std::launch::async, std::move(work));
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return result.get();
}

}  // namespace orbelle::testing
