// Where the profile files are looked for: the user's directory first, then the system ones.
#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/profile_file.h"
#include "settings/profile_search.h"
#include "settings/suite_settings.h"
#include "temp_directory.h"

namespace orbelle::settings {
namespace {

// The environment of one test, restored afterwards.
class ProfileSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    unsetenv("ZODRIX_PROFILE_DIR");
    setenv("XDG_CONFIG_HOME", (root.path() / "home").c_str(), 1);
    setenv("XDG_CONFIG_DIRS",
           ("relative:" + (root.path() / "site").string() + ":" + (root.path() / "xdg").string()).c_str(), 1);
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
  }
  std::filesystem::path Put(const std::string& dir, const std::string& name, const std::string& text) {
    return root.Write(dir + "/zodrix/" + name, text);
  }

  static constexpr const char* kNames[] = {"ZODRIX_PROFILE_DIR", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "HOME"};
  testing::TempDirectory root;
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(ProfileSearchTest, UserDirectoryOverridesSystemDirectoriesFileByFile) {
  // The relative entry names no fixed place: skipped.
  EXPECT_EQ(ProfileSearchDirectories(),
            (std::vector<std::filesystem::path>{root.path() / "home/zodrix", root.path() / "site/zodrix",
                                                root.path() / "xdg/zodrix"}));
  const auto system_ini = Put("xdg", "ZODRIX.INI", "[EPHEM]\nDirectory=/usr/share/orbelle-angles\n");
  Put("xdg", "OrbelleAnglesPos.Ini", "[Size]\nTop=1\n");
  const auto site_pos = Put("site", "OrbelleAnglesPos.Ini", "[Size]\nTop=2\n");
  EXPECT_EQ(FindProfile("ZODRIX.INI"), system_ini);
  EXPECT_EQ(FindProfile("OrbelleAnglesPos.Ini"), site_pos);  // earlier system directory first
  SuiteSettings s;
  LoadSuiteSettings(s);
  EXPECT_EQ(s.DataDirectory, "/usr/share/orbelle-angles/");

  // A suite installed later writes its own file; it takes precedence without further steps,
  // while the other file still comes from the system.
  ASSERT_TRUE(WritePrivateProfileString("EPHEM", "Directory", "/opt/suite/", ProfilePath("ZODRIX.INI")));
  EXPECT_EQ(FindProfile("ZODRIX.INI"), root.path() / "home/zodrix/ZODRIX.INI");
  EXPECT_EQ(FindProfile("OrbelleAnglesPos.Ini"), site_pos);
  LoadSuiteSettings(s);
  EXPECT_EQ(s.DataDirectory, "/opt/suite/");
  EXPECT_EQ(GetPrivateProfileString("EPHEM", "Directory", "", 255, system_ini), "/usr/share/orbelle-angles");

  // A file found nowhere is looked for where it would be written.
  EXPECT_EQ(FindProfile("NEW.INI"), root.path() / "home/zodrix/NEW.INI");
}

TEST_F(ProfileSearchTest, ExplicitProfileDirectoryIsTheOnlyOneAndHomeTheLastResort) {
  Put("xdg", "ZODRIX.INI", "[EPHEM]\nDirectory=/usr/share/orbelle-angles\n");
  setenv("ZODRIX_PROFILE_DIR", (root.path() / "explicit").c_str(), 1);
  EXPECT_EQ(ProfileSearchDirectories(), std::vector<std::filesystem::path>{root.path() / "explicit"});
  SuiteSettings s;
  EXPECT_THROW(LoadSuiteSettings(s), SuiteNotInstalled);

  unsetenv("ZODRIX_PROFILE_DIR");
  unsetenv("XDG_CONFIG_DIRS");  // the default system directory
  EXPECT_EQ(ProfileSearchDirectories(),
            (std::vector<std::filesystem::path>{root.path() / "home/zodrix", "/etc/xdg/zodrix"}));
  setenv("XDG_CONFIG_HOME", "", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(ProfilePath("ZODRIX.INI"), "/home/u/.config/zodrix/ZODRIX.INI");
  // Relative places would depend on the working directory: never taken.
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(ProfilePath("ZODRIX.INI"), "/home/u/.config/zodrix/ZODRIX.INI");
  unsetenv("HOME");
  EXPECT_TRUE(ProfilePath("ZODRIX.INI").is_absolute());
}

}  // namespace
}  // namespace orbelle::settings
