// The profile reader and writer against the documented behaviour of the classic
// GetPrivateProfileStringA / WritePrivateProfileStringA.
#include <gtest/gtest.h>

#include <clocale>

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

TEST_F(ProfileFileTest, ReaderNamesQuotesDefaultsAndDuplicates) {
  EXPECT_EQ(Get("Size", "Left", "0"), "0");  // no file: the default
  dir.Write("P.INI",
            "; comment=not a key\r\n[ Ephem ]\n  directory  =   /opt/data/  \n[Q]\nDouble=\"  a b  \"\nSingle='c'\n"
            "Nested=\"\"d\"\"\nMismatched=\"e'\nLone=\"\nInner=f\"g\"\n[Size]\nLeft=\nTop\r\nHeight= 4815\r\n"
            "[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n[\tTabs\t]\n\tkey\t=\tv\t\n");
  const struct {
    const char *section, *key, *def, *value;
  } cases[] = {
      {"ephem", "DIRECTORY", "dflt", "/opt/data/"},  // names without case, blanks trimmed
      {"EPHEM", "; comment", "dflt", "dflt"},
      {"Q", "Double", "dflt", "  a b  "},  // one pair of matching quotes goes
      {"Q", "Single", "dflt", "c"},
      {"Q", "Nested", "dflt", "\"d\""},
      {"Q", "Mismatched", "dflt", "\"e'"},
      {"Q", "Lone", "dflt", "\""},
      {"Q", "Inner", "dflt", "f\"g\""},
      {"Size", "Left", "0", ""},        // present and empty: no default
      {"Size", "Top", "0", "0"},        // a line without '=' is no key
      {"size", "height", "0", "4815"},  // carriage-return line ends
      {"Nowhere", "Left", "0", "0"},
      {"Size", "Width", " 7  ", " 7"},  // trailing blanks of the default go
      {"A", "k", "dflt", "1"},          // the first section and key of a name win
      {"A", "j", "dflt", "dflt"},
      {"tabs", "KEY", "dflt", "v"},  // a tab is a blank like a space
  };
  for (const auto& c : cases) EXPECT_EQ(Get(c.section, c.key, c.def), c.value) << c.section << " " << c.key;
}

// Under Turkish rules a capital I folds to the dotless i, so a locale's case folding would not
// find DIRECTORY= or [Options]: names fold only the ASCII letters, whatever the locale.
TEST_F(ProfileFileTest, NamesFoldTheSameInTheTurkishLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "tr_TR.UTF-8")) GTEST_SKIP() << "tr_TR.UTF-8 locale not installed";
  dir.Write("P.INI", "[EPHEM]\nDIRECTORY=/opt/data/\n[Options]\nwidth=5\n");
  EXPECT_EQ(Get("Ephem", "Directory"), "/opt/data/");
  EXPECT_EQ(Get("OPTIONS", "WIDTH"), "5");
  std::setlocale(LC_ALL, saved.c_str());
}

// Saved as UTF-16 ("Unicode" in Notepad), which the Windows functions read too.
TEST_F(ProfileFileTest, ReaderTakesUtf16Files) {
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (const char16_t unit : std::u16string_view(u"[EPHEM]\r\nDirectory=/opt/d\u00E4ta/\U0001F600\r\n")) {
    little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  for (const std::string& file : {little, big}) {
    dir.Write("P.INI", file);
    EXPECT_EQ(Get("Ephem", "Directory"), "/opt/d\xC3\xA4ta/\xF0\x9F\x98\x80");
  }
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

TEST_F(ProfileFileTest, WriterReplacesOrAddsOneKeyAndKeepsEverythingElse) {
  const auto file = dir.Write("P.INI", "; window place\n[Size]\nHeight = 100 ; old\nWidth=200\n\n[Other]\nx=1\n");
  ASSERT_TRUE(WritePrivateProfileString("SIZE", "height", " 4815", file));
  ASSERT_TRUE(WritePrivateProfileString("Size", "Left", " 30", file));
  ASSERT_TRUE(WritePrivateProfileString("New", "Key", "v", file));
  EXPECT_EQ(dir.Read("P.INI"),
            "; window place\n[Size]\nHeight= 4815\nWidth=200\nLeft= 30\n\n[Other]\nx=1\n[New]\nKey=v\n");

  // As a Windows editor saves it: a UTF-8 byte order mark, which is read past and kept.
  const auto crlf = dir.Write("CR.INI", "\xEF\xBB\xBF[Size]\r\nTop=1\r\n");
  EXPECT_EQ(GetPrivateProfileString("size", "top", "0", 256, crlf), "1");
  ASSERT_TRUE(WritePrivateProfileString("Size", "Top", " 2", crlf));
  ASSERT_TRUE(WritePrivateProfileString("Size", "Left", " 3", crlf));
  EXPECT_EQ(dir.Read("CR.INI"), "\xEF\xBB\xBF[Size]\r\nTop= 2\r\nLeft= 3\r\n");
}

TEST_F(ProfileFileTest, WriterCreatesTheDirectoryOrFailsLeavingNothingBehind) {
  const auto file = dir.path() / "sub" / "OrbelleAnglesPos.Ini";
  ASSERT_TRUE(WritePrivateProfileString("Size", "Height", " 4815", file));
  EXPECT_EQ(GetPrivateProfileString("Size", "Height", "0", 256, file), "4815");
  const auto blocker = dir.Write("not-a-directory", "x");
  EXPECT_FALSE(WritePrivateProfileString("Size", "Top", "1", blocker / "P.INI"));
  EXPECT_EQ(dir.Read("not-a-directory"), "x");
}

}  // namespace
}  // namespace orbelle::settings
