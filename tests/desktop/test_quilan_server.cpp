// The class's shared state in one process: Class_Initialize, Data and the one form.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "ephemeris/file_contents_cache.h"

#include "desktop_test_support.h"
#include "host/qt/quilan_server.h"
#include "settings/profile_file.h"

namespace orbelle::host {
namespace {

class QuilanServerTest : public ::testing::Test {
 protected:
  testing::InstalledSuite suite;
  QuilanServer server;
};

TEST_F(QuilanServerTest, TwoInitialisationsGiveOneShownTopMostWindow) {
  server.Class_Initialize();
  Quilan* form = server.Form();
  ASSERT_NE(form, nullptr);
  server.Class_Initialize();
  EXPECT_EQ(server.Form(), form);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->windowTitle(), QLatin1String("Planets Position"));
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(form->Table().EphemerisDirectory, suite.DataDirectory());
  // The request box: bottom left, 8.25 pt bold.
  const QLineEdit* box = form->RequestBox();
  EXPECT_EQ(box->objectName(), QLatin1String("DDEFTGT"));
  EXPECT_TRUE(box->font().bold());
  EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 8.25);
  EXPECT_LT(box->geometry().left(), 10);
  EXPECT_GT(box->geometry().bottom(), form->height() - 10);
  form->close();
}

TEST_F(QuilanServerTest, DataRedrawsAndAnUnreadableRequestLeavesTheTable) {
  server.Class_Initialize();
  const QImage before = server.Form()->Surface().Image();
  EXPECT_EQ(server.PutData(QStringLiteral("12/25/2026 10:30")), std::nullopt);
  const QImage drawn = server.Form()->Surface().Image();
  EXPECT_NE(drawn, before);

  const std::optional<QString> problem = server.PutData(QStringLiteral("no date here"));
  ASSERT_TRUE(problem);
  EXPECT_TRUE(problem->contains(QLatin1String("no date here"))) << problem->toStdString();
  EXPECT_EQ(server.Form()->Surface().Image(), drawn);
  EXPECT_EQ(server.Form()->StatusText(), *problem);
  // The same unreadable text again is reported again, not silently accepted.
  EXPECT_TRUE(server.PutData(QStringLiteral("no date here")));
  EXPECT_EQ(server.PutData(QStringLiteral("12/25/2026 10:30")), std::nullopt);
  EXPECT_TRUE(server.Form()->StatusText().isEmpty());
  server.Form()->close();
}

TEST_F(QuilanServerTest, AfterClosingDataDrawsHiddenAndANewInstanceShows) {
  server.Class_Initialize();
  Quilan* form = server.Form();
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->Loaded());
  for (const char* key : {"Height", "Width", "Left", "Top"}) {
    EXPECT_NE(settings::GetPrivateProfileString("Size", key, "", 256, suite.PositionFile()), "") << key;
  }
  const QImage before = form->Surface().Image();
  EXPECT_EQ(server.PutData(QStringLiteral("1/1/2001")), std::nullopt);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->Loaded());  // the load step ran again
  EXPECT_NE(form->Surface().Image(), before);
  server.Class_Initialize();
  EXPECT_TRUE(form->isVisible());
  form->close();
}

// Missing, or a directory, a pipe (an open would block) or a device in its place.
TEST_F(QuilanServerTest, MissingInstallationCheckFileEndsWithoutAWindow) {
  const std::string check = suite.DataDirectory() + "ZodrixTC2.Dat";
  const std::vector<std::function<void()>> replacements = {
      [] {},
      [&] { std::filesystem::create_directory(check); },
      [&] { ASSERT_EQ(mkfifo(check.c_str(), 0600), 0); },
      [&] { std::filesystem::create_symlink("/dev/zero", check); },
  };
  for (const auto& replace : replacements) {
    std::filesystem::remove_all(check);
    replace();
    try {
      server.Class_Initialize();
      FAIL() << "no installation error";
    } catch (const InstallationError& e) {
      EXPECT_STREQ(e.what(), "Main orbelle module not found");
    }
    EXPECT_EQ(server.Form(), nullptr);
  }
}

TEST_F(QuilanServerTest, MissingDataDirectoryEndsWithTheSettingsMessage) {
  suite.WriteSettings("[EPHEM]\nDirectory=\n");
  try {
    server.Class_Initialize();
    FAIL() << "no installation error";
  } catch (const InstallationError& e) {
    EXPECT_STREQ(e.what(), "Please. Install QUADREX again");
  }
  EXPECT_EQ(server.Form(), nullptr);
}

TEST_F(QuilanServerTest, DirectoryWithoutFinalSeparatorStillFindsTheCheckFile) {
  std::string dir = suite.DataDirectory();
  dir.pop_back();
  suite.WriteSettings("[EPHEM]\nDirectory=" + dir + "\n[SETUP]\nGMT=99999\n");
  server.Class_Initialize();
  EXPECT_EQ(server.Form()->Table().EphemerisDirectory, suite.DataDirectory());
  // The value that does not fit its field is shown in the status line.
  EXPECT_TRUE(server.Form()->StatusText().contains(QLatin1String("GMT"))) << server.Form()->StatusText().toStdString();
  server.Form()->close();
}

TEST_F(QuilanServerTest, UnusableEphemerisFileIsNamedInTheStatusLineWithoutBlocking) {
  std::remove((suite.DataDirectory() + "JUPITER").c_str());
  testing::InstalledSuite::Write(suite.DataDirectory() + "JUPITER", "not an ephemeris file");
  server.Class_Initialize();
  Quilan& form = *server.Form();
  EXPECT_EQ(server.PutData(QStringLiteral("2000-01-01 12:00")), std::nullopt);
  const QString engine_report = form.StatusText();
  EXPECT_TRUE(engine_report.contains(QString::fromStdString(suite.DataDirectory() + "JUPITER")))
      << engine_report.toStdString();
  EXPECT_EQ(form.StatusDetails(), engine_report);  // the only unusable file
  // A request problem shows in its place; the next good request shows the report again.
  EXPECT_TRUE(server.PutData(QStringLiteral("nonsense")));
  EXPECT_TRUE(form.StatusText().contains(QLatin1String("nonsense")));
  EXPECT_EQ(server.PutData(QStringLiteral("2000-01-01")), std::nullopt);
  EXPECT_EQ(form.StatusText(), engine_report);
  EXPECT_TRUE(form.isVisible());  // nothing modal
  // Once the file is usable again (and the engine's copy of its bytes is due for a look at
  // the disk), the report goes.
  std::remove((suite.DataDirectory() + "JUPITER").c_str());
  QFile::link(QStringLiteral(ORBELLE_SOURCE_DIR "/data/JUPITER"),
              QString::fromStdString(suite.DataDirectory() + "JUPITER"));
  std::this_thread::sleep_for(ephemeris::FileContentsCache::kRecheckAfter + std::chrono::milliseconds(50));
  EXPECT_EQ(server.PutData(QStringLiteral("2000-01-02")), std::nullopt);
  EXPECT_TRUE(form.StatusText().isEmpty()) << form.StatusText().toStdString();
  form.close();
}

TEST_F(QuilanServerTest, RestoreAndRaiseBringsBackAMinimisedWindow) {
  server.Class_Initialize();
  server.Form()->showMinimized();
  server.Form()->RestoreAndRaise();
  EXPECT_FALSE(server.Form()->isMinimized());
  server.Form()->close();
}

}  // namespace
}  // namespace orbelle::host
