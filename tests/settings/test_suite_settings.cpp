// Loading the suite's common settings record from "ZODRIX.INI".
#include "settings/suite_settings.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST_F(SuiteSettingsTest, OnlyTheDataDirectoryGivesEveryOtherDefault) {
  SuiteSettings s;
  s.TimeZone = 9;  // a value of an earlier load is overwritten
  s.Interval = "M";
  LoadSuiteSettings(s, dir.Write("ZODRIX.INI", "[EPHEM]\nDirectory=/srv/zodrix/\n"));
  EXPECT_EQ(s.DataDirectory, "/srv/zodrix/");
  EXPECT_EQ(s.EphemerisDirectory, "/srv/zodrix/");
  EXPECT_EQ(s.OptionsValue, 33554431);
  EXPECT_EQ(s.PlanetsValue, 33554431);
  EXPECT_EQ(s.Selection, 0);
  EXPECT_EQ(s.TimeZone, 0);
  EXPECT_EQ(s.HorizonOptionsValue, 131071);
  EXPECT_EQ(s.LongitudeDegrees, 0.0f);
  EXPECT_EQ(s.LongitudeMinutes, 0.0f);
  EXPECT_EQ(s.LongitudeDirection, "W");
  EXPECT_EQ(s.LatitudeDegrees, 0.0f);
  EXPECT_EQ(s.LatitudeMinutes, 0.0f);
  EXPECT_EQ(s.LatitudeDirection, "N");
  EXPECT_EQ(s.DaylightSaving, 0);
  EXPECT_EQ(s.ShowQuadrexLines, -1);
  EXPECT_EQ(s.Interval, "D");
  EXPECT_EQ(s.Tipo, 0);
  EXPECT_EQ(s.PrinterColour, 0);
}

TEST_F(SuiteSettingsTest, EveryFieldFromItsSectionAndKey) {
  const SuiteSettings s = Load(
      "[EPHEM]\nDirectory=/d/\n[OPTIONS]\nVALUE=5\nPLANETS=6\nSELECT=7\n[SETUP]\nGMT=-3\n"
      "[OPTIONS HOR]\nVALUE=8\n[LONGITUDE]\nDEGREE=12.5\nMINUTES=30.25\nDIRECTION=E\n"
      "[LATITUDE]\nDEGREE=45\nMINUTES=0.1\nDIRECTION=S\n[DAY LIGHT SAVINGS]\nVALUE=1\n"
      "[NC]\nShowQuadrexLines=0\nInterval=W\nTipo=2\n[PRINTER]\nColor=1\n");
  EXPECT_EQ(s.OptionsValue, 5);
  EXPECT_EQ(s.PlanetsValue, 6);
  EXPECT_EQ(s.Selection, 7);
  EXPECT_EQ(s.TimeZone, -3);
  EXPECT_EQ(s.HorizonOptionsValue, 8);
  EXPECT_EQ(s.LongitudeDegrees, 12.5f);
  EXPECT_EQ(s.LongitudeMinutes, 30.25f);
  EXPECT_EQ(s.LongitudeDirection, "E");
  EXPECT_EQ(s.LatitudeDegrees, 45.0f);
  EXPECT_EQ(s.LatitudeMinutes, 0.1f);
  EXPECT_EQ(s.LatitudeDirection, "S");
  EXPECT_EQ(s.DaylightSaving, 1);
  EXPECT_EQ(s.ShowQuadrexLines, 0);
  EXPECT_EQ(s.Interval, "W");
  EXPECT_EQ(s.Tipo, 2);
  EXPECT_EQ(s.PrinterColour, 1);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SuiteSettingsTest, MissingOrEmptyDataDirectoryMeansNotInstalled) {
  SuiteSettings s;
  EXPECT_THROW(LoadSuiteSettings(s, dir.path() / "ZODRIX.INI"), SuiteNotInstalled);
  for (const char* contents : {"[EPHEM]\nDirectory=\n", "[EPHEM]\nDirectory=\"\"\n", "[OPTIONS]\nVALUE=1\n"}) {
    EXPECT_THROW(Load(contents), SuiteNotInstalled) << contents;
  }
  try {
    Load("");
  } catch (const SuiteNotInstalled& e) {
    EXPECT_STREQ(e.what(), "Please. Install QUADREX again");
  }
}

TEST_F(SuiteSettingsTest, DataDirectoryGetsItsFinalSeparator) {
  const SuiteSettings s = Load("[ephem]\ndirectory = \"/srv/zodrix data\"\n");
  EXPECT_EQ(s.DataDirectory, "/srv/zodrix data/");
  EXPECT_EQ(s.EphemerisDirectory, "/srv/zodrix data/");
}

TEST_F(SuiteSettingsTest, LongDirectoryIsCutTo254Characters) {
  const SuiteSettings s = Load("[EPHEM]\nDirectory=/" + std::string(300, 'a') + "\n");
  EXPECT_EQ(s.DataDirectory, "/" + std::string(253, 'a') + "/");
}

TEST_F(SuiteSettingsTest, IntegersRoundHalfToEvenAndTextGivesZero) {
  EXPECT_EQ(Load("[EPHEM]\nDirectory=/d/\n[SETUP]\nGMT=-5.5\n").TimeZone, -6);
  EXPECT_EQ(Load("[EPHEM]\nDirectory=/d/\n[SETUP]\nGMT=2.5\n").TimeZone, 2);
  EXPECT_EQ(Load("[EPHEM]\nDirectory=/d/\n[SETUP]\nGMT=abc\n").TimeZone, 0);
  EXPECT_EQ(Load("[EPHEM]\nDirectory=/d/\n[SETUP]\nGMT= 3h\n").TimeZone, 3);
  EXPECT_EQ(Load("[EPHEM]\nDirectory=/d/\n[OPTIONS]\nVALUE=\n").OptionsValue, 0);  // present but empty
  EXPECT_TRUE(reports.empty());
}

TEST_F(SuiteSettingsTest, NumberTooLargeForItsFieldIsReportedAndTheDefaultKept) {
  const SuiteSettings s = Load(
      "[EPHEM]\nDirectory=/d/\n[SETUP]\nGMT=40000\n[OPTIONS]\nVALUE=3e9\nPLANETS=12\n"
      "[NC]\nShowQuadrexLines=-32769\n[LATITUDE]\nDEGREE=1e39\n");
  EXPECT_EQ(s.TimeZone, 0);
  EXPECT_EQ(s.OptionsValue, 33554431);
  EXPECT_EQ(s.PlanetsValue, 12);
  EXPECT_EQ(s.ShowQuadrexLines, -1);
  EXPECT_EQ(s.LatitudeDegrees, 0.0f);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_NE(reports[0].find("[OPTIONS] VALUE"), std::string::npos) << reports[0];
  EXPECT_NE(reports[1].find("[SETUP] GMT: \"40000\""), std::string::npos) << reports[1];
}

TEST_F(SuiteSettingsTest, ProfileDirectoryHoldsTheFile) {
  dir.Write("ZODRIX.INI", "[EPHEM]\nDirectory=/from/profile\n");
  setenv("ZODRIX_PROFILE_DIR", dir.path().c_str(), 1);
  SuiteSettings s;
  LoadSuiteSettings(s);
  unsetenv("ZODRIX_PROFILE_DIR");
  EXPECT_EQ(s.DataDirectory, "/from/profile/");
}

}  // namespace
}  // namespace orbelle::settings
