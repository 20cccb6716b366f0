// `orbelle-angles render`: the window drawn offscreen into a PNG.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "host/core/drawing_surface.h"

namespace orbelle::host {
namespace {

int Render(const QStringList& args, QString* err = nullptr) {
  QProcess process;
  process.start(QStringLiteral(ORBELLE_PROGRAM), QStringList{QStringLiteral("render")} + args);
  process.waitForFinished(30000);
  if (err) *err = QString::fromUtf8(process.readAllStandardError());
  return process.exitCode();
}

TEST(RenderCommand, WritesTheWindowWithEveryRowColour) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("window.png"));
  ASSERT_EQ(Render({QStringLiteral("--png"), png, QStringLiteral("12/25/2026 10:30")}), 0);
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  for (int colour : {9, 13, 11, 12, 10, 7, 2, 3, 8, 4}) {
    const PaletteColour c = PaletteEntry(colour);
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
      for (int x = 0; x < image.width() && !found; ++x)
        found = image.pixelColor(x, y) == QColor(c.red, c.green, c.blue);
    }
    EXPECT_TRUE(found) << "palette colour " << colour;
  }
}

TEST(RenderCommand, UnreadableRequestFailsNamingIt) {
  QTemporaryDir dir;
  QString err;
  EXPECT_EQ(Render({QStringLiteral("--png"), dir.filePath(QStringLiteral("x.png")), QStringLiteral("someday")}, &err),
            1);
  EXPECT_TRUE(err.contains(QLatin1String("someday"))) << err.toStdString();
  EXPECT_EQ(Render({QStringLiteral("--svg")}), 2);
}

}  // namespace
}  // namespace orbelle::host
