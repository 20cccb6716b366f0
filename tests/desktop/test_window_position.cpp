// The window's size and place in "OrbelleAnglesPos.Ini", in twips of the real screen.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "desktop_test_support.h"
#include "host/qt/quilan.h"
#include "host/qt/window_position.h"
#include "settings/profile_file.h"

namespace orbelle::host {
namespace {

class WindowPositionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    twips_x = 1440.0 / screen->logicalDotsPerInchX();
    twips_y = 1440.0 / screen->logicalDotsPerInchY();
    screen_px = screen->geometry().size();
    form.resize(300, 200);
    form.move(40, 30);
  }
  std::string Stored(const char* key) {
    return settings::GetPrivateProfileString("Size", key, "missing", 256, suite.PositionFile());
  }
  void Store(const std::string& contents) { suite.Write(suite.PositionFile(), contents); }

  testing::InstalledSuite suite;
  QWidget form;
  double twips_x = 15, twips_y = 15;
  QSize screen_px;
};

// Written as Str$ writes a positive single: a leading blank, no decimals for whole values; a
// negative value is not saved, the stored one stays.
TEST_F(WindowPositionTest, FirstRunKeepsTheDesignedPlaceAndSavingWritesFourKeysInTwips) {
  LoadWindowPosition(suite.PositionFile(), form);  // no file: nothing applies
  EXPECT_EQ(form.frameGeometry(), QRect(40, 30, 300, 200));
  SaveWindowPosition(suite.PositionFile(), form);
  const auto twips = [](int px, double per_px) { return " " + std::to_string(static_cast<int>(px * per_px)); };
  EXPECT_EQ(suite.Read(suite.PositionFile()), "[Size]\nHeight=" + twips(200, twips_y) + "\nWidth=" + twips(300, twips_x) +
                                                  "\nLeft=" + twips(40, twips_x) + "\nTop=" + twips(30, twips_y) + "\n");
  form.move(-50, 30);
  SaveWindowPosition(suite.PositionFile(), form);
  EXPECT_EQ(Stored("Left"), twips(40, twips_x).substr(1));
}

// The stored values in twips applied to a 300x200 window at (40, 30): a Left beyond the right
// edge or empty centres the window (ignoring Top in the first case), zero or negative values
// are not applied.
TEST_F(WindowPositionTest, StoredValuesAreAppliedByTheLegacyRules) {
  const auto x = [&](int px) { return std::to_string(px * twips_x); };
  const auto y = [&](int px) { return std::to_string(px * twips_y); };
  const int centre_x = screen_px.width() / 2 - 150, centre_y = screen_px.height() / 2 - 100;
  const std::pair<std::string, QRect> cases[] = {
      {"Height=" + y(250) + "\nWidth=" + x(320) + "\nLeft=" + x(10) + "\nTop=" + y(20), QRect(10, 20, 320, 250)},
      {"Left=" + x(screen_px.width() - 100) + "\nTop=" + y(5), QRect(centre_x, centre_y, 300, 200)},
      {"Left=\nTop=" + y(7), QRect(centre_x, 7, 300, 200)},
      {"Left=0\nTop=-5\nHeight=0", QRect(40, 30, 300, 200)},
  };
  for (const auto& [values, expected] : cases) {
    form.setGeometry(40, 30, 300, 200);
    Store("[Size]\n" + values + "\n");
    LoadWindowPosition(suite.PositionFile(), form);
    EXPECT_EQ(form.frameGeometry(), expected) << values;
  }
}

TEST_F(WindowPositionTest, MinimisedWindowIsRestoredAndStoresItsNormalPlace) {
  form.show();
  const int outer_width = form.frameGeometry().width();  // with the window system's frame
  form.showMinimized();
  SaveWindowPosition(suite.PositionFile(), form);
  EXPECT_FALSE(form.isMinimized());
  EXPECT_EQ(Stored("Width"), std::to_string(static_cast<int>(outer_width * twips_x)));
  form.hide();
}

TEST_F(WindowPositionTest, FixedBorderKeepsItsSize) {
  form.setFixedSize(300, 200);
  Store("[Size]\nHeight=9000\nWidth=9000\n");
  LoadWindowPosition(suite.PositionFile(), form);
  EXPECT_EQ(form.frameGeometry().size(), QSize(300, 200));
}

}  // namespace
}  // namespace orbelle::host
