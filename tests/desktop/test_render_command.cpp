// `orbelle-angles render`: the window drawn offscreen into a PNG (its rows and colours are
// checked on the image surface itself).
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace orbelle::host {
namespace {

int Render(const QStringList& args, QString* err = nullptr) {
  QProcess process;
  process.start(QStringLiteral(ORBELLE_PROGRAM), QStringList{QStringLiteral("render")} + args);
  process.waitForFinished(30000);
  if (err) *err = QString::fromUtf8(process.readAllStandardError());
  return process.exitCode();
}

TEST(RenderCommand, WritesThePngOrFailsNamingTheRequest) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("window.png"));
  ASSERT_EQ(Render({QStringLiteral("--png"), png, QStringLiteral("12/25/2026 10:30")}), 0);
  EXPECT_FALSE(QImage(png).isNull());
  QString err;
  EXPECT_EQ(Render({QStringLiteral("--png"), dir.filePath(QStringLiteral("x.png")), QStringLiteral("someday")}, &err),
            1);
  EXPECT_TRUE(err.contains(QLatin1String("someday"))) << err.toStdString();
  EXPECT_EQ(Render({QStringLiteral("--svg")}), 2);
}

}  // namespace
}  // namespace orbelle::host
