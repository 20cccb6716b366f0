// The profile files through the system's own private-profile functions: the bare name
// "ZODRIX.INI" is the file in the Windows directory, where the suite's main program writes
// it (CRLF line ends, as that program's files have). The parsing rules are the platform-free
// ones tested with the shared settings tests; here only what the system functions decide.
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

std::string InWindowsDirectory(const char* name) { return (ProfileDirectory() / name).string(); }

std::string Contents(const char* name) {
  std::ifstream in(InWindowsDirectory(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PrivateProfile, SuiteSettingsComeFromTheWindowsDirectory) {
  const std::string saved = Contents(kSuiteSettingsFile);
  std::ofstream(InWindowsDirectory(kSuiteSettingsFile), std::ios::binary)
      << "[EPHEM]\r\nDirectory=C:\\ZODRIX\\DATA\r\n[SETUP]\r\nGMT=-5.5\r\n";
  SuiteSettings s;
  LoadSuiteSettings(s);
  std::ofstream(InWindowsDirectory(kSuiteSettingsFile), std::ios::binary) << saved;
  EXPECT_EQ(s.DataDirectory, "C:\\ZODRIX\\DATA\\");
  EXPECT_EQ(s.TimeZone, -6);  // half to even
}

TEST(PrivateProfile, WriterAndReaderAgreeWithTheSystemFile) {
  const char* scratch = "OrbelleAnglesTest.Ini";
  DeleteFileA(InWindowsDirectory(scratch).c_str());
  for (const char* left : {" 1800", " 2400"})
    ASSERT_TRUE(WritePrivateProfileString("Size", "Left", left, ProfilePath(scratch)));
  ASSERT_TRUE(WritePrivateProfileString("Size", "Top", " 900", ProfilePath(scratch)));
  // wine drops the blank before a written value; Windows keeps it. Both read it back without.
  std::string file = Contents(scratch);
  std::erase(file, ' ');
  EXPECT_EQ(file, "[Size]\r\nLeft=2400\r\nTop=900\r\n");
  EXPECT_EQ(GetPrivateProfileString("size", "TOP", "0", 256, ProfilePath(scratch)), "900");
  EXPECT_EQ(GetPrivateProfileString("Size", "Height", "0", 256, ProfilePath(scratch)), "0");
  // A buffer of n characters holds n - 1 of them and the terminating NUL.
  EXPECT_EQ(GetPrivateProfileString("Size", "Left", "0", 4, ProfilePath(scratch)), "240");
  DeleteFileA(InWindowsDirectory(scratch).c_str());
}

}  // namespace
}  // namespace orbelle::settings
