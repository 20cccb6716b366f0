// The window's stored size and place under openbox, which frames the window: what is saved
// at the close is what the next start restores, whatever the file holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "desktop_test_support.h"
#include "host/qt/automation_names.h"
#include "host/qt/automation_server.h"
#include "host/qt/quilan.h"
#include "settings/profile_file.h"

inline void PrintTo(const QRect& r, std::ostream* out) {
  *out << "(" << r.x() << ", " << r.y() << ") " << r.width() << "x" << r.height();
}

namespace orbelle::host {
namespace {

class WindowManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb"));
    available = QGuiApplication::primaryScreen()->availableGeometry();
  }
  // One start and close of the program's window: loaded from the file, shown, framed by the
  // window manager, then closed (which saves it).
  QRect Cycle(const std::function<void(Quilan&)>& while_shown = {}) {
    Quilan form;
    form.ShowForm();
    testing::ProcessEventsUntil([&] { return form.frameGeometry() != form.geometry(); });
    EXPECT_NE(form.frameGeometry(), form.geometry()) << "the window manager put no frame around the window";
    testing::ProcessEventsUntil([] { return false; }, 300);
    if (while_shown) while_shown(form);
    const QRect outer = form.frameGeometry();
    form.close();
    return outer;
  }
  std::string Stored() const {
    std::string values;
    for (const char* key : {"Height", "Width", "Left", "Top"}) {
      values +=
          std::string(key) + "=" + settings::GetPrivateProfileString("Size", key, "", 256, suite.PositionFile()) + " ";
    }
    return values;
  }

  testing::InstalledSuite suite;
  QRect available;
};

TEST_F(WindowManagerTest, StartsAndClosesLeaveTheStoredSizeAndPlaceUnchanged) {
  Cycle();  // first run: the designed size
  const std::string first = Stored();
  for (int i = 0; i < 10; ++i) {
    Cycle();
    EXPECT_EQ(Stored(), first) << "after start " << i + 2;
  }

  // Moved by the user: the frame's new place is stored and comes back (more places in
  // EdgesAndCornersComeBack).
  const QRect moved = Cycle([&](Quilan& form) {
    form.move(130, 90);
    testing::ProcessEventsUntil([&] { return form.frameGeometry().topLeft() == QPoint(130, 90); }, 2000);
  });
  EXPECT_EQ(moved.topLeft(), QPoint(130, 90));
  EXPECT_NE(Stored().find("Left=1950 Top=1350"), std::string::npos) << Stored();
  EXPECT_EQ(Cycle().topLeft(), QPoint(130, 90));
}

// Moves the window as another program does it through the window manager (wmctrl, xdotool):
// `gravity` 1 places the frame's corner at (x, y), as a drag by the user does; 10 (static)
// places the client area's corner there, pushing the title bar past the top edge near it.
void MoveByWindowManager(QWidget& form, int gravity, QPoint to) {
  const QString window = QStringLiteral("0x%1").arg(form.winId(), 0, 16);
  const QString geometry = QStringLiteral("%1,%2,%3,-1,-1").arg(gravity).arg(to.x()).arg(to.y());
  ASSERT_EQ(QProcess::execute(QStringLiteral("wmctrl"), {"-i", "-r", window, "-e", geometry}), 0);
  const QRect before = form.frameGeometry();
  testing::ProcessEventsUntil([&] { return form.frameGeometry() != before; }, 2000);
  testing::ProcessEventsUntil([] { return false; }, 200);
}

// Places at the edges and corners of the screen, and partly past them, come back where they
// were, whatever the frame adds: the stored place is the frame's.
TEST_F(WindowManagerTest, EdgesAndCornersComeBack) {
  const QSize outer = Cycle().size();
  const QPoint far_corner = available.bottomRight() - QPoint(outer.width(), outer.height()) + QPoint(1, 1);
  const std::pair<int, QPoint> moves[] = {{1, {0, 0}},  {1, {10, 10}},  {1, {200, 15}},  {1, far_corner},
                                          {10, {0, 0}}, {10, {10, 10}}, {10, {200, 15}}, {10, {600, 21}}};
  for (const auto& [gravity, to] : moves) {
    const QRect moved = Cycle([&](Quilan& form) { MoveByWindowManager(form, gravity, to); });
    if (gravity == 1) {
      EXPECT_EQ(moved.topLeft(), to);
    }
    EXPECT_EQ(Cycle(), moved) << "moved with gravity " << gravity << " to " << to.x() << "," << to.y() << "; stored "
                              << Stored();
  }
}

TEST_F(WindowManagerTest, AbsurdStoredValuesGiveAWindowOnTheScreen) {
  for (const char* file : {"[Size]\nHeight=2147483647\nWidth=2147483647\nLeft=1\nTop=1\n",
                           "[Size]\nHeight=3e38\nWidth=99999\nLeft=20\nTop=2147483647\n"}) {
    suite.Write(suite.PositionFile(), file);
    const QRect outer = Cycle();
    EXPECT_TRUE(available.contains(outer))
        << file << " gave " << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height();
    // What is saved back is that window.
    EXPECT_LE(std::stod(settings::GetPrivateProfileString("Size", "Height", "", 256, suite.PositionFile())),
              available.height() * 15.0);
    EXPECT_LE(std::stod(settings::GetPrivateProfileString("Size", "Width", "", 256, suite.PositionFile())),
              available.width() * 15.0);
  }
}

// With a display, the installation message is a message box with the application's title
// (without one, standard error: see the activation tests).
TEST(InstallationMessage, IsAMessageBoxOnADisplay) {
  QString title, text;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
        title = box->windowTitle();
        text = box->text();
        box->done(QMessageBox::Ok);  // as the user closes it
      }
    }
  });
  look.start(50);
  ShowInstallationMessage(QStringLiteral("Main orbelle module not found"));
  EXPECT_EQ(title, QLatin1String(kApplicationTitle));
  EXPECT_EQ(text, QLatin1String("Main orbelle module not found"));
}

}  // namespace
}  // namespace orbelle::host
