// Loading the suite's common settings record from "ZODRIX.INI".
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <vector>

#include "settings/profile_file.h"
#include "settings/suite_settings.h"
#include "tests/settings/temp_directory.h"

namespace orbelle::settings {
namespace {

class SuiteSettingsTest : public ::testing::Test {
 protected:
  SuiteSettings Load(const std::string& contents) {
    const auto file = dir.Write("ZODRIX.INI", contents);
    SuiteSettings s;
    LoadSuiteSettings(s, file, [this](const std::string& m) { reports.push_back(m); });
    return s;
  }
  testing::TempDirectory dir;
  std::vector<std::string> reports;
};

// Every field from its section and key; a later load of a file holding only the directory
// sets every other field back to its default (the record's initial values).
TEST_F(SuiteSettingsTest, EveryFieldFromItsSectionAndKeyElseItsDefault) {
  SuiteSettings s = Load(
      "[EPHEM]\nDirectory=/d/\n[OPTIONS]\nVALUE=5\nPLANETS=6\nSELECT=7\n[SETUP]\nGMT=-3\n"
      "[OPTIONS HOR]\nVALUE=8\n[LONGITUDE]\nDEGREE=12.5\nMINUTES=30.25\nDIRECTION=E\n"
      "[LATITUDE]\nDEGREE=45\nMINUTES=0.1\nDIRECTION=S\n[DAY LIGHT SAVINGS]\nVALUE=1\n"
      "[NC]\nShowQuadrexLines=0\nInterval=W\nTipo=2\n[PRINTER]\nColor=1\n");
  const SuiteSettings expected{"/d/", "/d/", 5, 6, 7, -3, 8, 12.5f, 30.25f, "E", 45.0f, 0.1f, "S", 1, 0, "W", 2, 1};
  EXPECT_EQ(s, expected);
  EXPECT_TRUE(reports.empty());

  LoadSuiteSettings(s, dir.Write("ZODRIX.INI", "[EPHEM]\nDirectory=/srv/zodrix/\n"));
  SuiteSettings defaults;
  defaults.DataDirectory = defaults.EphemerisDirectory = "/srv/zodrix/";
  EXPECT_EQ(s, defaults);
}

// The directory gets its final separator and is cut to 254 characters.
TEST_F(SuiteSettingsTest, DataDirectoryAsTheSuiteStoresIt) {
  EXPECT_EQ(Load("[ephem]\ndirectory = \"/srv/zodrix data\"\n").EphemerisDirectory, "/srv/zodrix data/");
  EXPECT_EQ(Load("[EPHEM]\nDirectory=/" + std::string(300, 'a') + "\n").DataDirectory,
            "/" + std::string(253, 'a') + "/");
}

// A missing file, a missing or empty directory, and a directory, a pipe (which would block an
// open for ever), a device or a file beyond the 1 MiB limit in the file's place: not installed,
// at once.
TEST_F(SuiteSettingsTest, AnythingButARegularFileNamingADirectoryMeansNotInstalled) {
  const std::filesystem::path file = dir.path() / "ZODRIX.INI";
  const std::string valid = "[EPHEM]\nDirectory=/d/\n";
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"missing", [] {}},
      {"empty", [&] { dir.Write("ZODRIX.INI", "[EPHEM]\nDirectory=\n"); }},
      {"quotes", [&] { dir.Write("ZODRIX.INI", "[EPHEM]\nDirectory=\"\"\n"); }},
      {"no key", [&] { dir.Write("ZODRIX.INI", "[OPTIONS]\nVALUE=1\n"); }},
      {"directory", [&] { std::filesystem::create_directory(file); }},
      {"pipe", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }},
      {"device", [&] { std::filesystem::create_symlink("/dev/zero", file); }},
      {"over the limit", [&] { dir.Write("ZODRIX.INI", valid + std::string(kProfileFileLimit, '\n')); }},
  };
  for (const auto& [what, make] : cases) {
    std::filesystem::remove_all(file);
    make();
    SuiteSettings s;
    try {
      LoadSuiteSettings(s, file);
      ADD_FAILURE() << what;
    } catch (const SuiteNotInstalled& e) {
      EXPECT_STREQ(e.what(), "Please. Install QUADREX again") << what;
    }
  }
  // Up to the limit the file is read, a million blank lines included.
  std::filesystem::remove_all(file);
  EXPECT_EQ(Load(std::string(kProfileFileLimit - valid.size(), '\n') + valid).DataDirectory, "/d/");
}

// Numbers are taken as the profile functions give them (see test_profile_number.cpp); one too
// large for its field is reported, its text with control characters as \xNN (a terminal
// escape in the file never reaches the terminal), and the default kept.
TEST_F(SuiteSettingsTest, NumbersAreReadOrReported) {
  const SuiteSettings s = Load(
      "[EPHEM]\nDirectory=/d/\n[SETUP]\nGMT=99999999\x1b]2;X\a\n[OPTIONS]\nVALUE=3e9\nPLANETS=\nSELECT= 12h\n"
      "[OPTIONS HOR]\nVALUE=abc\n[NC]\nShowQuadrexLines=-32769\n[LATITUDE]\nDEGREE=1e39\n");
  EXPECT_EQ(s.TimeZone, 0);
  EXPECT_EQ(s.OptionsValue, 33554431);
  EXPECT_EQ(s.PlanetsValue, 0);  // present but empty
  EXPECT_EQ(s.Selection, 12);
  EXPECT_EQ(s.HorizonOptionsValue, 0);  // text
  EXPECT_EQ(s.ShowQuadrexLines, -1);
  EXPECT_EQ(s.LatitudeDegrees, 0.0f);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_NE(reports[0].find("[OPTIONS] VALUE"), std::string::npos) << reports[0];
  EXPECT_NE(reports[1].find("[SETUP] GMT: \"99999999\\x1B]2;X\\x07\""), std::string::npos) << reports[1];
}

}  // namespace
}  // namespace orbelle::settings
