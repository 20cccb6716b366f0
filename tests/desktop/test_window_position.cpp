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

// Written as Str$ writes a single: a leading blank for a positive value, the sign for a
// negative one (a window partly past the left edge).
TEST_F(WindowPositionTest, FirstRunKeepsTheDesignedPlaceAndSavingWritesFourKeysInTwips) {
  LoadWindowPosition(suite.PositionFile(), form);  // no file: nothing applies
  EXPECT_EQ(form.frameGeometry(), QRect(40, 30, 300, 200));
  SaveWindowPosition(suite.PositionFile(), form);
  const auto twips = [](int px, double per_px) { return " " + std::to_string(static_cast<int>(px * per_px)); };
  EXPECT_EQ(suite.Read(suite.PositionFile()), "[Size]\nHeight=" + twips(200, twips_y) +
                                                  "\nWidth=" + twips(300, twips_x) + "\nLeft=" + twips(40, twips_x) +
                                                  "\nTop=" + twips(30, twips_y) + "\n");
  form.move(-50, 0);
  SaveWindowPosition(suite.PositionFile(), form);
  EXPECT_EQ(Stored("Left"), "-" + twips(50, twips_x).substr(1));
  EXPECT_EQ(Stored("Top"), "0");
}

// The stored values in twips of the real screen applied to a 300x200 window at (40, 30) with
// a minimum size of 250x180 (the full rules are in the placement rule's own test).
TEST_F(WindowPositionTest, StoredValuesAreAppliedInTwipsOfTheScreenNoSmallerThanTheMinimum) {
  const auto x = [&](int px) { return std::to_string(px * twips_x); };
  const auto y = [&](int px) { return std::to_string(px * twips_y); };
  const std::pair<std::string, QRect> cases[] = {
      {"Height=" + y(250) + "\nWidth=" + x(320) + "\nLeft=" + x(10) + "\nTop=" + y(20), QRect(10, 20, 320, 250)},
      {"Left=0\nTop=0\nHeight=15\nWidth=15", QRect(0, 0, 250, 180)},
      {"Top=" + y(-20), QRect(40, -20, 300, 200)},
  };
  form.setMinimumSize(250, 180);
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
