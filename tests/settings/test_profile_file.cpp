// The profile reader and writer against the documented behaviour of the classic
// GetPrivateProfileStringA / WritePrivateProfileStringA.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "settings/profile_file.h"
#include "tests/settings/temp_directory.h"

namespace orbelle::settings {
namespace {

class ProfileFileTest : public ::testing::Test {
 protected:
  std::string Get(std::string_view section, std::string_view key, std::string_view def = "dflt",
                  std::size_t size = 256) {
    return GetPrivateProfileString(section, key, def, size, dir.path() / "P.INI");
  }
  testing::TempDirectory dir;
};

TEST_F(ProfileFileTest, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
  dir.Write("P.INI", "; comment=not a key\n[ Ephem ]\n  directory  =   /opt/data/  \n[Other]\nDirectory=x\n");
  EXPECT_EQ(Get("EPHEM", "Directory"), "/opt/data/");
  EXPECT_EQ(Get("ephem", "DIRECTORY"), "/opt/data/");
  EXPECT_EQ(Get("EPHEM", "; comment"), "dflt");
  EXPECT_EQ(Get("OTHER", "directory"), "x");
}

TEST_F(ProfileFileTest, OnePairOfMatchingQuotesIsRemoved) {
  dir.Write("P.INI", "[Q]\nDouble=\"  a b  \"\nSingle='c'\nNested=\"\"d\"\"\nMismatched=\"e'\nLone=\"\nInner=f\"g\"\n");
  EXPECT_EQ(Get("Q", "Double"), "  a b  ");
  EXPECT_EQ(Get("Q", "Single"), "c");
  EXPECT_EQ(Get("Q", "Nested"), "\"d\"");
  EXPECT_EQ(Get("Q", "Mismatched"), "\"e'");
  EXPECT_EQ(Get("Q", "Lone"), "\"");
  EXPECT_EQ(Get("Q", "Inner"), "f\"g\"");
}

TEST_F(ProfileFileTest, DefaultForMissingFileSectionOrKeyButNotForEmptyValue) {
  EXPECT_EQ(Get("Size", "Left", "0"), "0");  // no file: n = 1
  dir.Write("P.INI", "[Size]\nLeft=\nTop\n\n[Other]\nRight=5\n");
  EXPECT_EQ(Get("Size", "Left", "0"), "");    // present and empty: n = 0
  EXPECT_EQ(Get("Size", "Top", "0"), "0");    // a line without '=' is no key
  EXPECT_EQ(Get("Size", "Right", "0"), "0");  // key of another section
  EXPECT_EQ(Get("Nowhere", "Left", "0"), "0");
  EXPECT_EQ(Get("Size", "Width", " 7  "), " 7");  // trailing blanks of the default go
  EXPECT_EQ(Get("Size", "Width", ""), "");
}

TEST_F(ProfileFileTest, FirstSectionAndFirstKeyOfADuplicatedNameWin) {
  dir.Write("P.INI", "[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(Get("A", "k"), "1");
  EXPECT_EQ(Get("A", "j"), "dflt");
}

TEST_F(ProfileFileTest, BufferKeepsRoomForTheTerminatingNul) {
  const std::string long_value(300, 'x');
  dir.Write("P.INI", "[S]\nK=" + long_value + "\n");
  EXPECT_EQ(Get("S", "K", "", 255).size(), 254u);
  EXPECT_EQ(Get("S", "K", "", 256).size(), 255u);
  EXPECT_EQ(Get("S", "Missing", long_value, 255).size(), 254u);
  EXPECT_EQ(Get("S", "K", "", 1), "");
  EXPECT_EQ(Get("S", "K", "", 0), "");
}

TEST_F(ProfileFileTest, ReadsCarriageReturnLineEnds) {
  dir.Write("P.INI", "[Size]\r\nHeight= 4815\r\nWidth=\r\n");
  EXPECT_EQ(Get("size", "height"), "4815");
  EXPECT_EQ(Get("Size", "Width"), "");
}

TEST_F(ProfileFileTest, WriterReplacesOneKeyAndKeepsEverythingElse) {
  const std::string before = "; window place\n[Size]\nHeight = 100 ; old\nWidth=200\n\n[Other]\nx=1\n";
  const auto file = dir.Write("P.INI", before);
  ASSERT_TRUE(WritePrivateProfileString("SIZE", "height", " 4815", file));
  EXPECT_EQ(dir.Read("P.INI"), "; window place\n[Size]\nHeight= 4815\nWidth=200\n\n[Other]\nx=1\n");
  EXPECT_EQ(Get("Size", "Height"), "4815");
}

TEST_F(ProfileFileTest, WriterAddsKeyAtTheEndOfItsSectionAndSectionAtTheEndOfTheFile) {
  const auto file = dir.Write("P.INI", "[Size]\nHeight=1\n\n[Other]\nx=1\n");
  ASSERT_TRUE(WritePrivateProfileString("Size", "Left", " 30", file));
  ASSERT_TRUE(WritePrivateProfileString("New", "Key", "v", file));
  EXPECT_EQ(dir.Read("P.INI"), "[Size]\nHeight=1\nLeft= 30\n\n[Other]\nx=1\n[New]\nKey=v\n");
}

TEST_F(ProfileFileTest, WriterKeepsCarriageReturnLineEnds) {
  const auto file = dir.Write("P.INI", "[Size]\r\nTop=1\r\n");
  ASSERT_TRUE(WritePrivateProfileString("Size", "Top", " 2", file));
  ASSERT_TRUE(WritePrivateProfileString("Size", "Left", " 3", file));
  EXPECT_EQ(dir.Read("P.INI"), "[Size]\r\nTop= 2\r\nLeft= 3\r\n");
}

TEST_F(ProfileFileTest, WriterCreatesFileAndDirectoryAndLeavesNoTemporaryFile) {
  const auto file = dir.path() / "sub" / "OrbelleAnglesPos.Ini";
  ASSERT_TRUE(WritePrivateProfileString("Size", "Height", " 4815", file));
  EXPECT_EQ(GetPrivateProfileString("Size", "Height", "0", 256, file), "4815");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path() / "sub")) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(ProfileFileTest, WriterFailureLeavesNothingBehind) {
  const auto blocker = dir.Write("not-a-directory", "x");
  EXPECT_FALSE(WritePrivateProfileString("Size", "Top", "1", blocker / "P.INI"));
  EXPECT_EQ(dir.Read("not-a-directory"), "x");
}

TEST(ProfileDirectory, EnvironmentDecidesInOrder) {
  const std::string saved_home = getenv("HOME") ? getenv("HOME") : "";
  setenv("ZODRIX_PROFILE_DIR", "/p/zodrix", 1);
  setenv("XDG_CONFIG_HOME", "/xdg", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(ProfilePath("ZODRIX.INI"), "/p/zodrix/ZODRIX.INI");
  unsetenv("ZODRIX_PROFILE_DIR");
  EXPECT_EQ(ProfileDirectory(), "/xdg/zodrix");
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(ProfileDirectory(), "/home/u/.config/zodrix");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace orbelle::settings
