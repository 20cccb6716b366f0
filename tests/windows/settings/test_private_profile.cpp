// The suite settings through the system's own private-profile functions: the bare name
// "ZODRIX.INI" is the file in the Windows directory, where the suite's main program writes
// it (CRLF line ends, as that program's files have).
#include <windows.h>
#undef GetPrivateProfileString
#undef WritePrivateProfileString

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "settings/profile_file.h"
#include "settings/suite_settings.h"

namespace orbelle::settings {
namespace {

std::string InWindowsDirectory(const char* name) {
  char directory[MAX_PATH];
  GetWindowsDirectoryA(directory, MAX_PATH);
  return std::string(directory) + "\\" + name;
}

class PrivateProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Read(kSuiteSettingsFile);
  }
  void TearDown() override {
    Write(kSuiteSettingsFile, saved_);
    DeleteFileA(InWindowsDirectory(kScratch).c_str());
  }
  static std::string Read(const char* name) {
    std::ifstream in(InWindowsDirectory(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const char* name, const std::string& contents) {
    std::ofstream(InWindowsDirectory(name), std::ios::binary) << contents;
  }
  static constexpr const char* kScratch = "OrbelleAnglesTest.Ini";
  std::string saved_;
};

TEST_F(PrivateProfile, SuiteSettingsComeFromTheWindowsDirectory) {
  Write(kSuiteSettingsFile,
        "[EPHEM]\r\nDirectory=C:\\ZODRIX\\DATA\r\n[SETUP]\r\nGMT=-5.5\r\n[LONGITUDE]\r\nDIRECTION=E\r\n"
        "[OPTIONS HOR]\r\nVALUE=70000\r\n");
  SuiteSettings s;
  LoadSuiteSettings(s);
  // The directory gets its final separator, so that file names can be appended to it.
  EXPECT_EQ(s.DataDirectory, "C:\\ZODRIX\\DATA\\");
  EXPECT_EQ(s.EphemerisDirectory, s.DataDirectory);
  EXPECT_EQ(s.TimeZone, -6);  // half to even
  EXPECT_EQ(s.LongitudeDirection, "E");
  EXPECT_EQ(s.HorizonOptionsValue, 70000);
  EXPECT_EQ(s.OptionsValue, 33554431);  // missing: the default
  EXPECT_EQ(s.LatitudeDirection, "N");
}

TEST_F(PrivateProfile, NoDataDirectoryMeansNotInstalled) {
  for (const char* contents : {"", "[EPHEM]\r\nDirectory=\r\n", "[OTHER]\r\nDirectory=C:\\X\\\r\n"}) {
    Write(kSuiteSettingsFile, contents);
    SuiteSettings s;
    EXPECT_THROW(LoadSuiteSettings(s), SuiteNotInstalled) << contents;
  }
}

TEST_F(PrivateProfile, WriterAndReaderAgreeWithTheSystemFile) {
  ASSERT_TRUE(WritePrivateProfileString("Size", "Left", " 1800", ProfilePath(kScratch)));
  ASSERT_TRUE(WritePrivateProfileString("Size", "Top", " 900", ProfilePath(kScratch)));
  ASSERT_TRUE(WritePrivateProfileString("Size", "Left", " 2400", ProfilePath(kScratch)));
  // wine drops the blank before a written value; Windows keeps it. Both read it back without.
  std::string file = Read(kScratch);
  std::erase(file, ' ');
  EXPECT_EQ(file, "[Size]\r\nLeft=2400\r\nTop=900\r\n");
  EXPECT_EQ(GetPrivateProfileString("size", "TOP", "0", 256, ProfilePath(kScratch)), "900");
  EXPECT_EQ(GetPrivateProfileString("Size", "Height", "0", 256, ProfilePath(kScratch)), "0");
  // A buffer of n characters holds n - 1 of them and the terminating NUL.
  EXPECT_EQ(GetPrivateProfileString("Size", "Left", "0", 4, ProfilePath(kScratch)), "240");
  EXPECT_EQ(ProfileDirectory(), std::filesystem::path(InWindowsDirectory("")).parent_path());
}

}  // namespace
}  // namespace orbelle::settings
