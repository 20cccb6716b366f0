// The window as a person uses it, under openbox: typing, the keys of the request box, the
// context menu, live mode, row tool tips, scaling and palettes. With ORBELLE_SCREENSHOT_DIR
// set, the tests save what they show there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHelpEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <tuple>

#include "desktop_test_support.h"
#include "host/core/request_text.h"
#include "host/core/terrestrial_time.h"
#include "host/qt/quilan.h"
#include "host/qt/table_palette.h"
#include "settings/profile_file.h"

namespace orbelle::host {
namespace {

// A moment with Jupiter and Uranus retrograde, and one with no planet retrograde.
constexpr const char* kRetrogradeMoment = "12/25/2026 10:30";
constexpr const char* kDirectMoment = "03/21/2026 12:00";

class WindowInstrumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb"));
    form.Table().EphemerisDirectory = suite.DataDirectory();
    form.ShowForm();
    form.activateWindow();
    testing::ProcessEventsUntil([&] { return form.isActiveWindow(); });
    ASSERT_FALSE(form.SetRequest(QString::fromLatin1(kRetrogradeMoment)));
  }
  void TearDown() override { form.close(); }

  QLineEdit& Box() { return *form.RequestBox(); }
  QString Drawn() const { return QString::fromStdString(const_cast<Quilan&>(form).Table().Rows().request); }
  void Wait(int ms) {
    testing::ProcessEventsUntil([] { return false; }, ms);
  }
  // What `orbelle-angles ARGS` prints, in the test's own locale and settings.
  static QString Program(const QStringList& args) {
    QProcess process;
    process.start(QString::fromLatin1(ORBELLE_PROGRAM), args);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
  }
  void Screenshot(const QString& name) {
    const QString dir = qEnvironmentVariable("ORBELLE_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
      EXPECT_TRUE(form.SavePng(dir + u'/' + name + QStringLiteral(".png")));
    }
  }

  testing::InstalledSuite suite;
  Quilan form;
};

// Typing "07/04/1985 9:05" key by key never draws a date on the way (07/04/19 is 2019); the
// text is drawn after a pause, or at once on Enter. A year out of range and a text that is no
// date leave the table, and the status line names why in full in its tool tip.
TEST_F(WindowInstrumentTest, TypedTextIsDrawnAfterAPauseOrOnEnter) {
  Box().clear();
  for (const QChar c : QStringLiteral("07/04/1985 9:05")) {
    QTest::keyClick(&Box(), c.toLatin1());
    Wait(100);
    EXPECT_EQ(Drawn(), QLatin1String(kRetrogradeMoment)) << "drawn while typing " << Box().text().toStdString();
  }
  testing::ProcessEventsUntil([&] { return Drawn() == QLatin1String("07/04/1985 9:05"); }, 2000);
  EXPECT_EQ(Drawn(), QLatin1String("07/04/1985 9:05"));

  Box().selectAll();
  QTest::keyClicks(&Box(), QStringLiteral("12/25/3500"));
  QTest::keyClick(&Box(), Qt::Key_Return);
  EXPECT_EQ(Drawn(), QLatin1String("07/04/1985 9:05"));
  EXPECT_TRUE(form.StatusText().contains(QLatin1String("lies outside the years 1000 to 3000")));
  Box().selectAll();
  QTest::keyClicks(&Box(), QStringLiteral("12/25/35xx"));
  QTest::keyClick(&Box(), Qt::Key_Enter);
  const QString status = form.StatusText();
  EXPECT_TRUE(status.contains(QLatin1String("the notations read are MM/DD/YYYY hh:mm"))) << status.toStdString();
  EXPECT_TRUE(form.StatusDetails().contains(status));
  const auto* line = form.findChild<QLabel*>();
  ASSERT_NE(line, nullptr);
  EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width()) << "the status line is cut off";
  EXPECT_EQ(Drawn(), QLatin1String("07/04/1985 9:05"));
  Screenshot(QStringLiteral("window-status-line"));
}

// Up and Down step the field under the cursor, Page Up and Page Down a day; each writes the
// moment into the box and draws it. Ctrl+C without a selection copies what `table` prints.
TEST_F(WindowInstrumentTest, KeysStepTheFieldUnderTheCursorAndCopyTheTable) {
  form.SetRequest(QStringLiteral("07/04/1985 09:05"));
  const struct {
    int cursor;
    Qt::Key key;
    const char* after;
  } steps[] = {
      {0, Qt::Key_Up, "08/04/1985 09:05"},        {4, Qt::Key_Up, "08/05/1985 09:05"},
      {8, Qt::Key_Down, "08/05/1984 09:05"},      {12, Qt::Key_Down, "08/05/1984 08:05"},
      {16, Qt::Key_Up, "08/05/1984 08:06"},       {16, Qt::Key_PageUp, "08/06/1984 08:06"},
      {16, Qt::Key_PageDown, "08/05/1984 08:06"}, {16, Qt::Key_PageDown, "08/04/1984 08:06"},
  };
  for (const auto& s : steps) {
    Box().setCursorPosition(s.cursor);
    QTest::keyClick(&Box(), s.key);
    EXPECT_EQ(Box().text(), QLatin1String(s.after));
    EXPECT_EQ(Drawn(), QLatin1String(s.after));
  }
  QTest::keyClick(&Box(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Program({QStringLiteral("table"), Box().text()}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), form.TableText());
  Box().setSelection(0, 5);
  QTest::keyClick(&Box(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QLatin1String("08/04"));  // a selection is copied as text
}

// Ctrl+N shows now in TT and follows the clock; typing, stepping or a client's request ends it.
TEST_F(WindowInstrumentTest, CtrlNGoesLiveUntilTypingSteppingOrAClientsRequest) {
  for (const auto& end_live : std::vector<std::function<void()>>{
           [&] { QTest::keyClick(&Box(), Qt::Key_Backspace); }, [&] { QTest::keyClick(&Box(), Qt::Key_PageUp); },
           [&] { form.SetRequest(QString::fromLatin1(kDirectMoment)); }}) {
    QTest::keyClick(&Box(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(form.Live());
    const RequestInstant now = TerrestrialNow();
    const RequestInstant shown = ReadRequest(Box().text().toStdString(), form.Table().Region);
    EXPECT_LE(std::abs((shown.day - now.day) * 1440 + (shown.hour - now.hour) * 60 + shown.minute - now.minute), 1)
        << Box().text().toStdString();
    EXPECT_EQ(Drawn(), Box().text());
    EXPECT_TRUE(form.StatusText().startsWith(QLatin1String("Now in TT (UTC + 69.184 s)")))
        << form.StatusText().toStdString();
    end_live();
    EXPECT_FALSE(form.Live());
    EXPECT_TRUE(form.StatusText().isEmpty() || !form.StatusText().startsWith(QLatin1String("Now")));
  }
  EXPECT_EQ(Drawn(), QLatin1String(kDirectMoment));  // the client's request wins
}

// The context menu: the table as text and as JSON on the clipboard (as `table` and
// `table --json` print them), the window as PNG, now, and the three palettes, remembered.
TEST_F(WindowInstrumentTest, ContextMenuActions) {
  const auto menu = form.MakeContextMenu();
  auto trigger = [&](const QString& text) {
    for (QAction* action : menu->findChildren<QAction*>()) {
      if (action->text().remove(u'&') == text) {
        action->trigger();
        return true;
      }
    }
    ADD_FAILURE() << "no menu entry " << text.toStdString();
    return false;
  };
  trigger(QStringLiteral("Copy table"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            Program({QStringLiteral("table"), QString::fromLatin1(kRetrogradeMoment)}));
  trigger(QStringLiteral("Copy as JSON"));
  const QString json = QGuiApplication::clipboard()->text();
  EXPECT_EQ(json, Program({QStringLiteral("table"), QStringLiteral("--json"), QString::fromLatin1(kRetrogradeMoment)}));
  EXPECT_EQ(QJsonDocument::fromJson(json.toUtf8()).object().value(QLatin1String("rows")).toArray().size(), 11);

  // Save as PNG: the file dialog is answered as a person answers it.
  const QString png = QString::fromStdString(suite.path().string()) + QStringLiteral("/saved.png");
  QTimer answer;
  int ticks = 0;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      // The whole path typed, then Enter once it stands in the box: the dialog writes its first
      // name back while it settles, so the path is typed again until it stays. Five seconds
      // at most, then the dialog is cancelled and the test fails without hanging.
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr || ++ticks > 50) {
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
      } else if (name->text() == png) {
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      } else {
        name->setText(png);
      }
    }
  });
  answer.start(100);
  trigger(QStringLiteral("Save as PNG\u2026"));
  answer.stop();
  EXPECT_EQ(QImage(png).size(), form.size());

  trigger(QStringLiteral("Now (follow the clock)"));
  EXPECT_TRUE(form.Live());

  const std::string view_file = (suite.path() / "profile" / kViewSettingsFile).string();
  for (const auto& [name, palette, stored] : {std::tuple{"Dark", TablePalette::kDark, "dark"},
                                              std::tuple{"High contrast", TablePalette::kHighContrast, "high-contrast"},
                                              std::tuple{"Designed colours", TablePalette::kDesigned, "designed"}}) {
    trigger(QString::fromLatin1(name));
    EXPECT_EQ(form.Palette(), palette);
    EXPECT_EQ(settings::GetPrivateProfileString("View", "Palette", "", 64, view_file), stored);
    EXPECT_EQ(form.grab().toImage().pixelColor(form.width() - 2, 2), BackgroundOf(palette)) << name;
    Quilan next;
    next.Form_Load();
    EXPECT_EQ(next.Palette(), palette) << "not remembered: " << name;
  }
}

// A row's tool tip gives its latitudes, distances and daily motions, and "retrograde" for
// Jupiter; the node has only its geocentric place. The mark ℞ stands in the gap after the
// geocentric decimal cell of a retrograde planet: at a moment without one, the window is the
// same as without marks.
TEST_F(WindowInstrumentTest, RowToolTipsAndRetrogradeMarks) {
  const int jupiter_y = static_cast<int>((3 + 5 + 0.5) * form.Surface().LineSpacing());
  EXPECT_EQ(form.RowAt(jupiter_y), 5);
  QHelpEvent help(QEvent::ToolTip, QPoint(40, jupiter_y), form.mapToGlobal(QPoint(40, jupiter_y)));
  QApplication::sendEvent(&form, &help);
  const QString tip = QToolTip::text();
  EXPECT_TRUE(tip.startsWith(QLatin1String("JUPITER\ngeocentric: longitude 146.7"))) << tip.toStdString();
  EXPECT_TRUE(tip.contains(QLatin1String("heliocentric: longitude 138.2")) &&
              tip.endsWith(QLatin1String("\nretrograde")))
      << tip.toStdString();
  EXPECT_FALSE(form.RowDetails(0).contains(QLatin1String("retrograde")));  // the Sun
  EXPECT_FALSE(form.RowDetails(10).contains(QLatin1String("heliocentric:")));
  EXPECT_EQ(form.RowAt(2), -1);  // the request line
  Screenshot(QStringLiteral("window-retrograde"));

  // The gap between Jupiter's geocentric decimal cell and the heliocentric column holds ink
  // only with the mark; the other rows keep it empty.
  auto ink_in_gap = [&](int row) {
    const QImage image = form.Surface().Image();
    const double line = form.Surface().LineSpacing();
    int ink = 0;
    for (int y = static_cast<int>((3 + row) * line); y < static_cast<int>((4 + row) * line); ++y) {
      for (int x = 205; x < 250; ++x) ink += image.pixelColor(x, y) != form.Surface().Background();
    }
    return ink;
  };
  EXPECT_GT(ink_in_gap(5), 0);  // Jupiter
  EXPECT_EQ(ink_in_gap(6), 0);  // Saturn, direct
  form.SetRequest(QString::fromLatin1(kDirectMoment));
  EXPECT_EQ(ink_in_gap(5), 0);
}

// The designed size is the smallest and draws the table as designed; twice the size draws it
// twice as large.
TEST_F(WindowInstrumentTest, TableFollowsTheWindowsSize) {
  form.SetRequest(QString::fromLatin1(kDirectMoment));
  EXPECT_EQ(form.minimumSize(), form.DesignedSize());
  form.resize(form.DesignedSize());
  testing::ProcessEventsUntil([&] { return form.size() == form.DesignedSize(); }, 2000);
  EXPECT_EQ(form.TableScale(), 1.0);
  Screenshot(QStringLiteral("window-designed"));
  form.resize(100, 80);
  Wait(300);
  EXPECT_EQ(form.size(), form.DesignedSize());
  Screenshot(QStringLiteral("window-minimum"));
  form.resize(form.DesignedSize() * 2);
  testing::ProcessEventsUntil([&] { return form.size() == form.DesignedSize() * 2; }, 2000);
  EXPECT_NEAR(form.TableScale(), 2.0, 0.05);
  Screenshot(QStringLiteral("window-2x"));
  for (const TablePalette palette : {TablePalette::kHighContrast, TablePalette::kDark}) {
    form.resize(form.DesignedSize());
    Wait(200);
    form.SetPalette(palette);
    Screenshot(palette == TablePalette::kDark ? QStringLiteral("window-dark") : QStringLiteral("window-high-contrast"));
  }
  form.SetPalette(TablePalette::kDesigned);
}

}  // namespace
}  // namespace orbelle::host
