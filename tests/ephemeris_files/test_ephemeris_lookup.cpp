// The "EPHM" reader, the chain of files, the record cache and corrupt files, on synthetic
// files whose positions are known exactly (as the files of a minor body, which may have any
// layout), and on the shipped files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <thread>

#include "ephemeris/engine_error.h"
#include "tests/ephemeris_files/file_builder.h"
#include "tests/support/engine_call.h"

namespace orbelle::test {
namespace {

using ephemeris::HeliocentricState;

constexpr double kS = 2451000.5;
constexpr std::int16_t kStep = 10;

// A file of 20 records' count (23 stored) moving uniformly, x = 1 + 0.001 (JD - S) / h.
void WriteLinear(const std::string& path, bool header = true) {
  WriteEphemerisFile(path, header, 20, kS, kStep, LinearRecords(23));
}

double LinearX(double jd) { return 1.0 + 0.001 * (jd - kS) / kStep; }

TEST(EphemerisFile, CoverageEdgesRateAndHeaderlessVariant) {
  TempDir dir;
  WriteLinear(dir / "MINOR.EPH");
  WriteLinear(dir / "MINOR.DAT", false);
  ReportingFiles f;
  // Covered from S + 3h to S + (N - 4)h inclusive; at S + 3h the window starts with p = 0.
  for (double jd : {kS + 30.0, kS + 77.7, kS + 160.0}) {
    const auto s = f.files.EphemerisLookup(41, dir / "MINOR.EPH", jd, "");
    ASSERT_TRUE(s) << jd;
    EXPECT_NEAR(s->x, LinearX(jd), 2e-7) << jd;
    EXPECT_EQ(s->z, 0.5f);
    EXPECT_NEAR(s->vx, 0.0001, 2e-8);  // records rounded to single: 6e-8 over a 10-day step
    // The headerless variant of the same data, for a body from 32.
    const auto m = f.files.EphemerisLookup(40, dir / "MINOR.DAT", jd, "");
    ASSERT_TRUE(m) << jd;
    EXPECT_EQ(m->x, s->x);
  }
  // One day outside: the DATE ERROR result, nothing reported.
  for (double jd : {kS + 29.0, kS + 161.0}) {
    EXPECT_FALSE(f.files.EphemerisLookup(41, dir / "MINOR.EPH", jd, "")) << jd;
    EXPECT_FALSE(f.files.EphemerisLookup(40, dir / "MINOR.DAT", jd, "")) << jd;
  }
  EXPECT_TRUE(f.reports.empty());
  // Without its header the file is not an ephemeris file for bodies 6..15.
  std::ifstream vesta(DataDir() + "VESTA", std::ios::binary);
  vesta.seekg(12);
  WriteBytes(dir / "VESTA", std::string(std::istreambuf_iterator<char>(vesta), {}));
  EXPECT_FALSE(f.files.EphemerisLookup(9, dir.Path(), kS + 50.0, "VESTA"));
  EXPECT_EQ(f.reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + dir.Path() + "VESTA"});
  // Only bodies 0..86 have a slot in the record cache.
  EXPECT_THROW(f.files.EphemerisLookup(87, dir / "MINOR.DAT", kS + 50.0, ""), ephemeris::InvalidArgumentError);
  EXPECT_TRUE(f.files.EphemerisLookup(86, dir / "MINOR.DAT", kS + 50.0, ""));
}

TEST(EphemerisFile, CacheServesTheStepWithoutReadingTheFile) {
  TempDir dir;
  WriteLinear(dir / "MINOR");
  ReportingFiles f;
  ASSERT_TRUE(f.files.EphemerisLookup(33, dir / "MINOR", kS + 55.0, ""));  // window W = S + 20
  std::filesystem::remove(dir / "MINOR");
  // W + 3h exactly (p = 0) and just before W + 4h come from the cache.
  for (double jd : {kS + 50.0, kS + 59.99}) {
    const auto s = f.files.EphemerisLookup(33, dir / "MINOR", jd, "");
    ASSERT_TRUE(s) << jd;
    EXPECT_NEAR(s->x, LinearX(jd), 2e-7);
  }
  EXPECT_TRUE(f.reports.empty());
  // W + 4h needs the next window: once the bytes read are due for a look at the disk, the
  // file is read again, and it is gone.
  std::this_thread::sleep_for(ephemeris::FileContentsCache::kRecheckAfter + std::chrono::milliseconds(50));
  EXPECT_FALSE(f.files.EphemerisLookup(33, dir / "MINOR", kS + 60.0, ""));
  EXPECT_EQ(f.reports.size(), 1u);
  // The cache remembers its file: another file for the same body number is read.
  WriteEphemerisFile(dir / "OTHER", true, 20, kS, kStep, std::vector<Record>(23, Record{3.0f, 0.0f, 0.0f}));
  WriteLinear(dir / "FIRST");
  ASSERT_EQ(f.files.EphemerisLookup(33, dir / "FIRST", kS + 55.0, "")->y, 2.0f);
  EXPECT_EQ(f.files.EphemerisLookup(33, dir / "OTHER", kS + 55.0, "")->x, 3.0f);
}

TEST(EphemerisChain, WalksBothWaysAndEachBodyStartsWhereItsLastLookupEnded) {
  TempDir dir;
  for (const char* body : {"JUPITER", "SATURN"}) {
    for (int p = 0; p < ephemeris::kChainLength; ++p) {
      const std::string name = body + ephemeris::ChainExtension(p);
      std::filesystem::copy_file(DataDir() + name, dir / name);
    }
  }
  ReportingFiles f;
  const FileCoverage m2 = ReadCoverage(dir / "JUPITER.M2"), m1 = ReadCoverage(dir / "JUPITER.M1");
  const double only_m2 = m2.first + 10.0;
  ASSERT_LT(only_m2, m1.first);
  // From "" back past ".M1" to ".M2".
  ASSERT_TRUE(f.files.EphemerisLookup(10, dir.Path(), only_m2, "JUPITER"));
  EXPECT_EQ(f.files.CurrentExtension(10), ".M2");
  // Saturn starts from its own place, "": with ".M1" gone it cannot reach ".M2", whether or
  // not Jupiter was asked first.
  std::filesystem::remove(dir / "SATURN.M1");
  for (int fresh = 0; fresh < 2; ++fresh) {
    ReportingFiles g;
    if (fresh) {
      ASSERT_TRUE(g.files.EphemerisLookup(10, dir.Path(), only_m2, "JUPITER"));
    }
    EXPECT_FALSE(g.files.EphemerisLookup(11, dir.Path(), only_m2, "SATURN"));
    EXPECT_EQ(g.reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + dir.Path() + "SATURN.M1"});
  }
  // Forwards to the last file, then off both ends of the chain.
  const FileCoverage p3 = ReadCoverage(dir / "JUPITER.P3"), m11 = ReadCoverage(dir / "JUPITER.M11");
  EXPECT_TRUE(f.files.EphemerisLookup(10, dir.Path(), p3.last, "JUPITER"));
  EXPECT_EQ(f.files.CurrentExtension(10), ".P3");
  EXPECT_FALSE(f.files.EphemerisLookup(10, dir.Path(), p3.last + 1.0, "JUPITER"));
  EXPECT_EQ(f.files.CurrentExtension(10), ".P3");
  EXPECT_TRUE(f.files.EphemerisLookup(10, dir.Path(), m11.first, "JUPITER"));
  EXPECT_EQ(f.files.CurrentExtension(10), ".M11");
  EXPECT_FALSE(f.files.EphemerisLookup(10, dir.Path(), m11.first - 1.0, "JUPITER"));
  EXPECT_TRUE(f.reports.empty());
}

TEST(EphemerisChain, MissingFilesEndTheLookupWithAReport) {
  TempDir dir;
  for (const char* name : {"PLUTO", "PLUTO.M1"}) std::filesystem::copy_file(DataDir() + name, dir / name);
  // A date before ".M1" needs ".M2", which is missing: reported once, naming the file; the
  // next chain lookup starts from the file without extension again.
  ReportingFiles f;
  EXPECT_FALSE(f.files.EphemerisLookup(15, dir.Path(), ReadCoverage(dir / "PLUTO.M1").first - 1.0, "PLUTO"));
  EXPECT_EQ(f.reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + dir.Path() + "PLUTO.M2"});
  EXPECT_EQ(f.files.CurrentExtension(15), "");
  EXPECT_TRUE(f.files.EphemerisLookup(15, dir.Path(), 2451545.0, "PLUTO"));

  // Through the driver: the DATE ERROR result, the path untouched, one report.
  EngineCall call;
  std::vector<std::string> reports;
  call.engine.SetProblemReporter([&](const std::string& m) { reports.push_back(m); });
  call.path = dir.Path();
  call.r.GeoDist[13] = 17.0f;
  call.At(2451545.0, 13);
  EXPECT_EQ(call.r.GeoLon[13], -1.0f);
  EXPECT_EQ(call.r.HelioLon[13], -1.0f);
  EXPECT_EQ(call.r.AscNodeLon[13], -1.0f);
  EXPECT_EQ(call.r.GeoDist[13], 17.0f);
  EXPECT_EQ(call.path, dir.Path());
  EXPECT_EQ(reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + dir.Path() + "URANUS"});
}

TEST(CorruptEphemerisFiles, GiveTheDateErrorAndOneReportNeverAReadBeyondTheFileOrANaN) {
  using Writer = std::function<void(const std::string&)>;
  const auto file = [](std::int16_t count, double start, std::int16_t step, std::vector<Record> records) -> Writer {
    return [=](const std::string& p) { WriteEphemerisFile(p, true, count, start, step, records); };
  };
  const auto bytes = [](std::string b) -> Writer { return [=](const std::string& p) { WriteBytes(p, b); }; };
  std::vector<Record> with_nan = LinearRecords(23), with_inf = LinearRecords(23);
  with_nan[6][1] = std::numeric_limits<float>::quiet_NaN();
  with_inf[6][2] = -std::numeric_limits<float>::infinity();
  // Dates inside the range the header claims; the window around S + 45 holds record 6. Body
  // 40 is a minor body, whose file has no bounds of distance: non-finite records are refused
  // all the same.
  const std::vector<std::pair<const char*, Writer>> cases = {
      {"empty", bytes("")},
      {"truncated header", bytes(std::string("EPHM") + std::string(12, '\0'))},
      {"zero step", file(20, kS, 0, LinearRecords(23))},
      {"negative step", file(20, kS, -10, LinearRecords(23))},
      {"count beyond the end", file(900, kS, kStep, LinearRecords(23))},
      {"NaN start", file(20, std::nan(""), kStep, LinearRecords(23))},
      {"NaN coordinate", file(20, kS, kStep, with_nan)},
      {"infinite coordinate", file(20, kS, kStep, with_inf)},
      // Longer than its N + 3 records: a byte more, or a sparse 64 GB file (never read whole).
      {"one byte too long",
       [](const std::string& p) {
         WriteLinear(p);
         std::filesystem::resize_file(p, std::filesystem::file_size(p) + 1);
       }},
      {"64 GB", [](const std::string& p) { WriteLinear(p), std::filesystem::resize_file(p, std::uint64_t{64} << 30); }},
      // Not a regular file: never opened, so a pipe without a writer cannot block.
      {"directory", [](const std::string& p) { std::filesystem::create_directory(p); }},
      {"pipe", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
      {"device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
  };
  TempDir dir;
  const std::string path = dir / "MINOR";
  for (const auto& [what, write] : cases) {
    ReportingFiles f;
    std::filesystem::remove_all(path);
    write(path);
    // The count beyond the end is asked for a date past the records the file holds.
    const double jd = std::string(what) == "count beyond the end" ? kS + 500.0 : kS + 45.0;
    std::optional<HeliocentricState> s;
    ASSERT_NO_THROW(s = f.files.EphemerisLookup(40, path, jd, "")) << what;
    EXPECT_FALSE(s) << what;
    EXPECT_EQ(f.reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + path}) << what;
  }
  // The intact part of a file whose count runs beyond its end still serves its dates.
  ReportingFiles f;
  std::filesystem::remove(path);
  file(900, kS, kStep, LinearRecords(23))(path);
  const auto intact = f.files.EphemerisLookup(40, path, kS + 45.0, "");
  ASSERT_TRUE(intact);
  EXPECT_NEAR(intact->x, LinearX(kS + 45.0), 2e-7);
}

// Records of another date are as smooth and plausible as the right ones, so only the header
// tells: it must fit the file's place. The first two files once gave Jupiter 102.40 and Pluto
// 254.68 at JD 2451545 (right: 25.25 and 251.45), with no report.
TEST(CorruptEphemerisFiles, AHeaderThatDoesNotFitTheFilesPlaceIsReported) {
  using Change = std::function<void(std::string&)>;
  const auto flip = [](std::size_t byte, int bit) -> Change {
    return [=](std::string& b) { b[byte] = static_cast<char>(b[byte] ^ (1 << bit)); };
  };
  const std::vector<std::tuple<const char*, const char*, ephemeris::Integer, Change>> cases = {
      {"bit 0 of byte 19: S 512 days later", "PLUTO", ephemeris::kPluto, flip(19, 0)},
      {"bit 4 of byte 22: a step of 48 days", "JUPITER", ephemeris::kJupiter, flip(22, 4)},
      {"bit 1 of byte 22: a step of 20 days", "CHIRON", ephemeris::kChiron, flip(22, 1)},
      {"bit 0 of byte 0: no \"EPHM\"", "JUPITER", ephemeris::kJupiter, flip(0, 0)},
      {"the file of the place before", "JUPITER.M1", ephemeris::kJupiter, [](std::string&) {}},
      // Only the step is wrong: the covered range still begins and ends where it should.
      {"a step of 16 days, S and N to match", "JUPITER", ephemeris::kJupiter,
       [](std::string& b) {
         const std::int16_t n = 6200, h = 16;
         const double start = ReadCoverage(DataDir() + "JUPITER").first - 3 * h;
         std::memcpy(b.data() + 12, &n, 2);
         std::memcpy(b.data() + 14, &start, 8);
         std::memcpy(b.data() + 22, &h, 2);
       }},
      {"cut to its first half, its count to match", "JUPITER", ephemeris::kJupiter,
       [](std::string& b) {
         const std::int16_t n = 1531;
         std::memcpy(b.data() + 12, &n, 2);
         b.resize(24 + 12 * (n + 3));
       }},
  };
  TempDir dir;
  for (const auto& [what, source, body, change] : cases) {
    std::ifstream in(DataDir() + source, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    change(bytes);
    const std::string name(ephemeris::BodyName(body));
    WriteBytes(dir / name, bytes);
    ReportingFiles f;
    EXPECT_FALSE(f.files.EphemerisLookup(body, dir.Path(), 2451545.0, name)) << source << ", " << what;
    EXPECT_EQ(f.reports, std::vector<std::string>{"INVALID EPHEMERIS:  " + dir / name}) << source << ", " << what;
    std::filesystem::remove(dir / name);
  }
}

}  // namespace
}  // namespace orbelle::test
