// Minor-body files (".ELM"): century siblings, the nearest element record and its reduction
// to the date, coordinate files, and corrupt files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ephemeris/element_precession.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/minor_body_file_name.h"
#include "tests/ephemeris_files/file_builder.h"

namespace orbelle::test {
namespace {

using ephemeris::MinorBodyFileName;

constexpr double kJ2000 = 2451545.0;

TEST(MinorBodyFileName, CenturySiblingsBefore1900) {
  EXPECT_EQ(MinorBodyFileName("/d/C19VESTA.ELM", 2415020.499), "/d/C19VESTA.ELM");
  EXPECT_EQ(MinorBodyFileName("/d/C19VESTA.ELM", 2415020.0), "/d/C17VESTA.ELM");
  EXPECT_EQ(MinorBodyFileName("/d/C19VESTA.ELM", 2341972.5), "/d/C17VESTA.ELM");
  EXPECT_EQ(MinorBodyFileName("/d/C19VESTA.ELM", 2341972.4), "/d/C15VESTA.ELM");
  EXPECT_EQ(MinorBodyFileName("/d/CERES19.ELM", 2400000.5), "/d/CERES17.ELM");
  // Both marks, each replaced at its first occurrence in the original name.
  EXPECT_EQ(MinorBodyFileName("/C19/A19.B19.ELM", 2300000.5), "/C15/A15.B19.ELM");
  // Case-sensitive, and a name without a mark stays as it is.
  EXPECT_EQ(MinorBodyFileName("/d/c19vesta.ELM", 2300000.5), "/d/c19vesta.ELM");
  EXPECT_EQ(MinorBodyFileName("/d/VESTA.ELM", 2300000.5), "/d/VESTA.ELM");
}

TEST(ElementsToDate, SinThetaZeroIsACalculationError) {
  // In the J2000.0 ecliptic at J2000.0 the node direction is undefined: 0 / 0.
  try {
    ephemeris::ElementsToDate({0.0f, 50.0f, 70.0f}, kJ2000);
    ADD_FAILURE() << "no error";
  } catch (const ephemeris::CalculationError& e) {
    EXPECT_NE(std::string(e.what()).find("sin(theta) = 0"), std::string::npos);
  }
}

// Element record: M, omega, node, i (1e-6 degrees), e, n (1e-8), a (1e-7 AU).
std::vector<std::int32_t> Elements(double M, double i, double e, double n) {
  return {static_cast<std::int32_t>(M * 1e6),
          0,
          50000000,
          static_cast<std::int32_t>(i * 1e6),
          static_cast<std::int32_t>(e * 1e8),
          static_cast<std::int32_t>(n * 1e8),
          20000000};
}

TEST(MinorBodyCoordinateFile, EightRecordsInterpolatedAndCacheSlotLimit) {
  TempDir dir;
  // E = 2451000.5, h = 10, C = 20: records x = 1 + 0.001 (i - 2), y = 2, z = 0.5 in 1e-7 AU.
  std::vector<std::int32_t> fields;
  for (const Record& r : LinearRecords(23)) {
    for (float v : r) fields.push_back(static_cast<std::int32_t>(std::lround(v * 1e7)));
  }
  WriteMinorBodyFile(dir / "X.ELM", 'X', 10, 24510005, 20, fields);
  ReportingFiles f;
  for (double jd : {2451030.5, 2451077.3, 2451160.5}) {
    const auto s = f.files.MinorBodyLookup(32, dir / "X.ELM", jd);
    ASSERT_TRUE(s) << jd;
    EXPECT_NEAR(s->x, 1.0 + 0.001 * (jd - 2451000.5) / 10.0, 2e-7);
    EXPECT_NEAR(s->vx, 0.0001, 2e-8);
    EXPECT_EQ(s->y, 2.0f);
  }
  EXPECT_FALSE(f.files.MinorBodyLookup(32, dir / "X.ELM", 2451029.5));
  EXPECT_FALSE(f.files.MinorBodyLookup(32, dir / "X.ELM", 2451161.5));
  EXPECT_TRUE(f.reports.empty());
  EXPECT_TRUE(f.files.MinorBodyLookup(86, dir / "X.ELM", 2451050.5));
  EXPECT_THROW(f.files.MinorBodyLookup(87, dir / "X.ELM", 2451050.5), ephemeris::InvalidArgumentError);
  // A file larger than the engine keeps in memory (100,000 daily records, 1.2 MB) is read
  // where its records lie, with the same result.
  fields.clear();
  for (const Record& r : LinearRecords(100003)) {
    for (float v : r) fields.push_back(static_cast<std::int32_t>(std::lround(v * 1e7)));
  }
  WriteMinorBodyFile(dir / "BIG.ELM", 'X', 1, 24510005, 100000, fields);
  ASSERT_GT(std::filesystem::file_size(dir / "BIG.ELM"), ephemeris::FileContentsCache::kWholeFileLimit);
  const auto big = f.files.MinorBodyLookup(33, dir / "BIG.ELM", 2451000.5 + 90000.25);
  ASSERT_TRUE(big);
  EXPECT_NEAR(big->x, 1.0 + 0.001 * 90000.25, 1e-5);
}

TEST(CorruptMinorBodyFiles, GiveTheDateErrorAndOneReportNamingTheFileOpened) {
  TempDir dir;
  struct Case {
    const char* what;
    std::function<void(const std::string&)> write;
  };
  const std::vector<Case> cases = {
      {"missing", [](const std::string&) {}},
      {"truncated header", [](const std::string& p) { WriteBytes(p, std::string(20, 'E')); }},
      {"zero step", [](const std::string& p) { WriteMinorBodyFile(p, 'E', 0, 24000005, 3, Elements(1, 10, 0, 0)); }},
      {"negative count", [](const std::string& p) { WriteMinorBodyFile(p, 'E', 10, 24000005, -4, {}); }},
      {"element count beyond the end",
       [](const std::string& p) { WriteMinorBodyFile(p, 'E', 10, 23999005, 500, Elements(1, 10, 0, 0)); }},
      {"coordinate count beyond the end",
       [](const std::string& p) { WriteMinorBodyFile(p, 'X', 10, 23990005, 500, std::vector<std::int32_t>(60, 1)); }},
  };
  // A date of 1858: the sibling "C17" file is the one opened and reported.
  for (const Case& c : cases) {
    std::filesystem::remove(dir / "C17TEST.ELM");
    c.write(dir / "C17TEST.ELM");
    ReportingFiles f;
    std::optional<ephemeris::HeliocentricState> s;
    ASSERT_NO_THROW(s = f.files.MinorBodyLookup(50, dir / "C19TEST.ELM", 2400000.5)) << c.what;
    EXPECT_FALSE(s) << c.what;
    EXPECT_EQ(f.reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + dir.Path() + "C17TEST.ELM"}) << c.what;
  }
}

}  // namespace
}  // namespace orbelle::test
