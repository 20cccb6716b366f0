// The desktop tests run inside one QApplication, on the offscreen platform unless the
// environment names another (an X server, for instance), with a configuration directory of
// their own: Qt's file dialog remembers the last folder it saw in the user's configuration,
// which would tie one run to the folders of an earlier one.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  char config[] = "/tmp/orbelle-test-config-XXXXXX";
  if (mkdtemp(config) == nullptr) return 1;
  qputenv("XDG_CONFIG_HOME", config);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  std::filesystem::remove_all(config);
  return status;
}
