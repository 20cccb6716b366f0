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

TEST(ElementsToDate, UnchangedAtJ2000AndSinThetaZeroIsACalculationError) {
  const ephemeris::OrbitOrientation el{10.0f, 50.0f, 70.0f};
  const auto same = ephemeris::ElementsToDate(el, kJ2000);
  EXPECT_NEAR(same.i, 10.0, 1e-4);
  EXPECT_NEAR(same.node, 50.0, 1e-4);
  EXPECT_NEAR(same.omega, 70.0, 1e-4);
  // A century later the node has advanced by roughly the general precession, 1.397 degrees.
  EXPECT_NEAR(ephemeris::ElementsToDate(el, kJ2000 + 36525.0).node, 51.4, 0.1);
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

// Argument of latitude of a circular orbit (node 50 degrees, inclination 10) from the
// heliocentric position.
double ArgumentOfLatitude(const ephemeris::HeliocentricState& s) {
  const double node = 50.0 * M_PI / 180.0, inc = 10.0 * M_PI / 180.0;
  const double along = s.x * std::cos(node) + s.y * std::sin(node);
  const double across = (-s.x * std::sin(node) + s.y * std::cos(node)) * std::cos(inc) + s.z * std::sin(inc);
  return std::atan2(across, along) * 180.0 / M_PI;
}

TEST(MinorBodyElementFile, NearestRecordAdvancedMeanAnomalyAndRangeEdges) {
  TempDir dir;
  // E = J2000.0, h = 40, three records with mean anomalies 10, 20 and 30 degrees.
  std::vector<std::int32_t> fields;
  for (double M : {10.0, 20.0, 30.0}) {
    const auto r = Elements(M, 10.0, 0.0, 0.0);
    fields.insert(fields.end(), r.begin(), r.end());
  }
  WriteMinorBodyFile(dir / "T.ELM", 'E', 40, 24515450, 3, fields);
  ReportingFiles f;
  const auto u = [&](double jd) {
    const auto s = f.files.MinorBodyLookup(100, dir / "T.ELM", jd);  // no cache slot needed
    EXPECT_TRUE(s) << jd;
    return s ? ArgumentOfLatitude(*s) : -1.0;
  };
  EXPECT_NEAR(u(kJ2000 - 20.0), 10.0, 0.005);  // E - h/2 is covered
  EXPECT_NEAR(u(kJ2000 + 19.9), 10.0, 0.005);
  EXPECT_NEAR(u(kJ2000 + 20.0), 20.0, 0.005);   // half a step: the next record
  EXPECT_NEAR(u(kJ2000 + 100.0), 30.0, 0.005);  // the last covered instant uses the last record
  EXPECT_FALSE(f.files.MinorBodyLookup(100, dir / "T.ELM", kJ2000 - 20.1));
  EXPECT_FALSE(f.files.MinorBodyLookup(100, dir / "T.ELM", kJ2000 + 100.1));
  EXPECT_TRUE(f.reports.empty());

  // The mean anomaly advances by n (JD - t0): 0.5 degrees per day for 10 days.
  WriteMinorBodyFile(dir / "N.ELM", 'E', 40, 24515450, 1, Elements(10.0, 10.0, 0.0, 0.5));
  const auto s = f.files.MinorBodyLookup(40, dir / "N.ELM", kJ2000 + 10.0);
  ASSERT_TRUE(s);
  EXPECT_NEAR(ArgumentOfLatitude(*s), 15.0, 0.005);
  EXPECT_NEAR(std::sqrt(s->x * s->x + s->y * s->y + s->z * s->z), 2.0, 1e-6);
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
