// Shared pieces of the desktop tests: an installed suite in a temporary profile directory,
// and processing events while waiting.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <climits>
#include <future>
#include <string>

#include "tests/settings/temp_directory.h"

namespace orbelle::testing {

// A profile directory whose "ZODRIX.INI" names a data directory holding "ZodrixTC2.Dat" and
// links to the shipped ephemeris files; ZODRIX_PROFILE_DIR points at it for the life of the
// object. Write and Read take absolute paths.
class InstalledSuite : public TempDirectory {
 public:
  InstalledSuite() {
    WriteSettings("[EPHEM]\nDirectory=" + DataDirectory() + "\n");
    Write(DataDirectory() + "ZodrixTC2.Dat", "");
    for (const auto& shipped : std::filesystem::directory_iterator(ORBELLE_SOURCE_DIR "/data")) {
      if (shipped.is_regular_file() && shipped.path().filename() != "ZodrixTC2.Dat") {
        std::filesystem::create_symlink(shipped.path(), DataDirectory() + shipped.path().filename().string());
      }
    }
    setenv("ZODRIX_PROFILE_DIR", (path() / "profile").c_str(), 1);
  }
  ~InstalledSuite() { unsetenv("ZODRIX_PROFILE_DIR"); }

  std::string DataDirectory() const { return (path() / "data/").string(); }
  std::string PositionFile() const { return (path() / "profile/OrbelleAnglesPos.Ini").string(); }
  void WriteSettings(const std::string& contents) const { Write((path() / "profile/ZODRIX.INI").string(), contents); }
};

// Processes this thread's events until `done` or `ms` milliseconds have passed.
template <class Condition>
bool ProcessEventsUntil(Condition done, int ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

// Runs `work` on another thread and processes this thread's events until it is done, so that
// blocking D-Bus calls of the work can be answered by objects living on this thread.
template <class Work>
auto WhileServing(Work work) {
  auto result = std::async(std::launch::async, std::move(work));
  ProcessEventsUntil([&] { return result.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
                     INT_MAX);
  return result.get();
}

}  // namespace orbelle::testing
