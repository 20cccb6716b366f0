// Corrupt records of the shipped Jupiter file: single-bit flips anywhere in it must either be
// harmless (every longitude within 0.01 deg, no position lost) or be reported, and never give
// an impossible distance.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>

#include "ephemeris/ephemeris_chain.h"
#include "ephemeris/record_plausibility.h"
#include "tests/ephemeris_files/file_builder.h"
#include "tests/support/engine_call.h"

namespace orbelle::test {
namespace {

using ephemeris::kJupiter;

struct Shown {
  float geo_lon, helio_lon, geo_dist, helio_dist;
};

// Jupiter (with the Sun first, for the Earth) at each of `jds` from the files in `dir`;
// `reported` tells whether the engine reported a file it could not use.
std::vector<Shown> JupiterAt(const std::string& dir, const std::vector<double>& jds, bool& reported) {
  EngineCall call;
  call.path = dir;
  reported = false;
  call.engine.SetProblemReporter([&](const std::string&) { reported = true; });
  std::vector<Shown> out;
  for (double jd : jds) {
    call.At(jd, 1);
    call.Call(jd, kJupiter, 0);
    out.push_back(
        {call.r.GeoLon[kJupiter], call.r.HelioLon[kJupiter], call.r.GeoDist[kJupiter], call.r.HelioDist[kJupiter]});
  }
  return out;
}

double TurnDifference(double a, double b) {
  const double d = std::fabs(a - b);
  return std::min(d, 360.0 - d);
}

// The bounds are the extremes of the shipped files, rounded outwards (distances to 1e-4 AU,
// sixth differences to three digits): every record of every file of each body 6..15.
TEST(CorruptEphemerisRecords, BoundsAreTheExtremesOfTheShippedFiles) {
  for (ephemeris::Integer body = 6; body <= 15; ++body) {
    double least = 1e9, most = 0, sixth = 0;
    const int files = ephemeris::IsChainBody(body) ? ephemeris::kChainLength : 1;
    for (int p = 0; p < files; ++p) {
      const std::string name =
          std::string(ephemeris::BodyName(body)) + (files > 1 ? ephemeris::ChainExtension(p) : std::string());
      std::ifstream in(DataDir() + name, std::ios::binary);
      in.seekg(24);
      std::vector<std::array<float, 3>> records;
      for (std::array<float, 3> r; in.read(reinterpret_cast<char*>(r.data()), 12);) records.push_back(r);
      ASSERT_GT(records.size(), 7u) << name;
      for (std::size_t i = 0; i < records.size(); ++i) {
        const double distance = std::hypot(double(records[i][0]), double(records[i][1]), double(records[i][2]));
        least = std::min(least, distance);
        most = std::max(most, distance);
        for (std::size_t c = 0; i + 6 < records.size() && c < 3; ++c) {
          constexpr double kBinomial[7] = {1, -6, 15, -20, 15, -6, 1};
          double d = 0;
          for (std::size_t j = 0; j < 7; ++j) d += kBinomial[j] * records[i + j][c];
          sixth = std::max(sixth, std::fabs(d));
        }
      }
    }
    const ephemeris::RecordBounds* b = ephemeris::ShippedRecordBounds(body);
    ASSERT_TRUE(b);
    EXPECT_LE(b->min_distance, least) << body;
    EXPECT_GT(b->min_distance, least - 2e-4) << body;
    EXPECT_GE(b->max_distance, most) << body;
    EXPECT_LT(b->max_distance, most + 2e-4) << body;
    EXPECT_GE(b->max_sixth_difference, sixth) << body;
    EXPECT_LT(b->max_sixth_difference, sixth * 1.01) << body;
  }
}

// One record off by 1e-4 AU (a longitude off by about 0.001 deg) anywhere in a window of
// JUPITER is refused: the end records enter only one of the two sixth differences each. The
// bit-flip test below cannot see a gap here, as it counts a flip reported when any of the
// eight dates whose windows hold the record reports it.
TEST(CorruptEphemerisRecords, OneRecordOffAnywhereInTheWindowIsRefused) {
  std::ifstream in(DataDir() + "JUPITER", std::ios::binary);
  in.seekg(24 + 12 * 1000);
  ephemeris::RecordWindow window;
  for (std::size_t r = 0; r < 8; ++r) {
    for (auto& coordinate : window.xyz) in.read(reinterpret_cast<char*>(&coordinate[r]), 4);
  }
  ASSERT_TRUE(in && ephemeris::PlausibleRecords(kJupiter, window));
  for (std::size_t r = 0; r < 8; ++r) {
    ephemeris::RecordWindow off = window;
    off.xyz[1][r] += 1e-4f;
    EXPECT_FALSE(ephemeris::PlausibleRecords(kJupiter, off)) << "record " << r;
  }
}

TEST(CorruptEphemerisRecords, EveryBitFlipIsHarmlessOrReportedNeverAnImpossibleDistance) {
  const std::string original = DataDir() + "JUPITER";
  std::ifstream in(original, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const FileCoverage c = ReadCoverage(original);
  TempDir dir;
  std::mt19937 rng(11);
  int reported = 0, wrong_005 = 0, wrong_01 = 0, impossible = 0;
  double worst_unreported = 0;
  // Every bit of the 24-byte header, then random bits anywhere.
  constexpr int kHeaderBits = 24 * 8, kFlips = kHeaderBits + 1500;
  for (int flip = 0; flip < kFlips; ++flip) {
    const bool header = flip < kHeaderBits;
    const std::size_t offset = header ? flip / 8 : std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(rng);
    const int bit = header ? flip % 8 : std::uniform_int_distribution<int>(0, 7)(rng);
    // The dates of the eight windows that hold the flipped record (k - 1 <= i <= k + 6), or
    // eight dates across the file for a flip in the header.
    std::vector<double> jds;
    for (int j = 0; j < 8; ++j) {
      const double k = offset < 24 ? 3.0 + j * (3063.0 - 8.0) / 7.0 : double((offset - 24) / 12) - 6.0 + j;
      const double jd = c.start + (k + 0.5) * c.step;
      if (jd >= c.first && jd <= c.last) jds.push_back(jd);
    }
    bool unused = false;
    const std::vector<Shown> before = JupiterAt(DataDir(), jds, unused);
    std::string flipped = bytes;
    flipped[offset] = static_cast<char>(flipped[offset] ^ (1 << bit));
    WriteBytes(dir / "JUPITER", flipped);
    bool report = false;
    const std::vector<Shown> after = JupiterAt(dir.Path(), jds, report);
    double moved = 0;
    bool absurd = false, lost = false;
    for (std::size_t d = 0; d < jds.size(); ++d) {
      if (after[d].geo_lon == -1.0f) {
        lost = true;
        continue;
      }
      moved = std::max({moved, TurnDifference(after[d].geo_lon, before[d].geo_lon),
                        TurnDifference(after[d].helio_lon, before[d].helio_lon)});
      // Jupiter stays within 4.94 .. 5.47 AU of the Sun in every shipped file, so within
      // 1.02 AU more or less of the Earth.
      absurd = absurd || !(after[d].helio_dist > 4.9f && after[d].helio_dist < 5.5f) ||
               !(after[d].geo_dist > 3.9f && after[d].geo_dist < 6.5f);
    }
    reported += report;
    impossible += absurd;
    if (!report) {
      worst_unreported = std::max(worst_unreported, moved);
      wrong_005 += moved > 0.005;
      wrong_01 += moved >= 0.01 || lost;
    }
  }
  std::cout << kFlips << " flips: " << reported << " reported, " << wrong_01 << " silently wrong by 0.01 deg or more ("
            << wrong_005 << " by more than 0.005 deg), " << impossible
            << " impossible distances; unreported flips moved a longitude by at most " << worst_unreported << " deg\n";
  EXPECT_EQ(wrong_01, 0);
  EXPECT_EQ(impossible, 0);
}

}  // namespace
}  // namespace orbelle::test
