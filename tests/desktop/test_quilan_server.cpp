// The class's shared state in one process: Class_Initialize, Data and the one form.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "desktop_test_support.h"
#include "ephemeris/file_contents_cache.h"
#include "host/qt/quilan_server.h"

namespace orbelle::host {
namespace {

class QuilanServerTest : public ::testing::Test {
 protected:
  testing::InstalledSuite suite;
  QuilanServer server;
};

TEST_F(QuilanServerTest, TwoInitialisationsGiveOneShownTopMostWindow) {
  // A directory without its final separator, and a value that does not fit its field (shown
  // in the status line).
  std::string dir = suite.DataDirectory();
  dir.pop_back();
  suite.WriteSettings("[EPHEM]\nDirectory=" + dir + "\n[SETUP]\nGMT=99999\n");
  server.Class_Initialize();
  Quilan* form = server.Form();
  ASSERT_NE(form, nullptr);
  server.Class_Initialize();
  EXPECT_EQ(server.Form(), form);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->windowTitle(), QLatin1String("Planets Position"));
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(form->Table().EphemerisDirectory, suite.DataDirectory());
  EXPECT_TRUE(form->StatusText().contains(QLatin1String("GMT"))) << form->StatusText().toStdString();
  // The request box: bottom left, 8.25 pt bold.
  const QLineEdit* box = form->RequestBox();
  EXPECT_EQ(box->objectName(), QLatin1String("DDEFTGT"));
  EXPECT_TRUE(box->font().bold());
  EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 8.25);
  EXPECT_LT(box->geometry().left(), 10);
  EXPECT_GT(box->geometry().bottom(), form->height() - 10);
  form->showMinimized();
  form->RestoreAndRaise();
  EXPECT_FALSE(form->isMinimized());
  form->close();
}

// The check file missing, or a directory, a pipe (an open would block) or a device in its
// place; or no data directory in the settings.
TEST_F(QuilanServerTest, FailedInstallationCheckEndsWithoutAWindow) {
  const std::string check = suite.DataDirectory() + "ZodrixTC2.Dat";
  const std::vector<std::pair<std::function<void()>, const char*>> cases = {
      {[] {}, "Main orbelle module not found"},
      {[&] { std::filesystem::create_directory(check); }, "Main orbelle module not found"},
      {[&] { ASSERT_EQ(mkfifo(check.c_str(), 0600), 0); }, "Main orbelle module not found"},
      {[&] { std::filesystem::create_symlink("/dev/zero", check); }, "Main orbelle module not found"},
      {[&] { suite.WriteSettings("[EPHEM]\nDirectory=\n"); }, "Please. Install QUADREX again"},
  };
  for (const auto& [replace, message] : cases) {
    std::filesystem::remove_all(check);
    replace();
    try {
      server.Class_Initialize();
      FAIL() << "no installation error";
    } catch (const InstallationError& e) {
      EXPECT_STREQ(e.what(), message);
    }
    EXPECT_EQ(server.Form(), nullptr);
  }
}

// The status line shows an unreadable request (every time it is sent) or else the engine's
// report of an unusable file, without blocking.
TEST_F(QuilanServerTest, StatusLineShowsTheRequestProblemOrTheUnusableFile) {
  std::remove((suite.DataDirectory() + "JUPITER").c_str());
  suite.Write(suite.DataDirectory() + "JUPITER", "not an ephemeris file");
  server.Class_Initialize();
  Quilan& form = *server.Form();
  EXPECT_EQ(server.PutData(QStringLiteral("2000-01-01 12:00")), std::nullopt);
  const QString engine_report = form.StatusText();
  EXPECT_TRUE(engine_report.contains(QString::fromStdString(suite.DataDirectory() + "JUPITER")))
      << engine_report.toStdString();
  EXPECT_EQ(form.StatusDetails(), engine_report);  // the only unusable file
  for (int again = 0; again < 2; ++again) {
    const std::optional<QString> problem = server.PutData(QStringLiteral("no date here"));
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QLatin1String("no date here"))) << problem->toStdString();
    EXPECT_EQ(form.StatusText(), *problem);
  }
  EXPECT_EQ(server.PutData(QStringLiteral("2000-01-01")), std::nullopt);
  EXPECT_EQ(form.StatusText(), engine_report);
  EXPECT_TRUE(form.isVisible());  // nothing modal
  // Once the file is usable again (and the engine's copy of its bytes is due for a look at
  // the disk), the report goes.
  std::remove((suite.DataDirectory() + "JUPITER").c_str());
  std::filesystem::create_symlink(ORBELLE_SOURCE_DIR "/data/JUPITER", suite.DataDirectory() + "JUPITER");
  std::this_thread::sleep_for(ephemeris::FileContentsCache::kRecheckAfter + std::chrono::milliseconds(50));
  EXPECT_EQ(server.PutData(QStringLiteral("2000-01-02")), std::nullopt);
  EXPECT_TRUE(form.StatusText().isEmpty()) << form.StatusText().toStdString();
  form.close();
}

}  // namespace
}  // namespace orbelle::host
