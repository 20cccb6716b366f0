// The shipped ephemeris files against the reference ephemeris (swetest, JPL DE431-derived):
// heliocentric longitudes and latitudes of bodies 6..15 to 0.15" (a single-precision
// longitude alone rounds by up to 0.055"), daily motions to 1e-5 degree/day, over 1800-2200,
// the whole covered range and the edges of every file, and the minor-body test files. (The
// geocentric reduction is checked by tests/planet_accuracy; the DATE ERROR results at the
// files' edges are pinned by tests/golden.) The environment variable ORBELLE_ACCURACY_SAMPLES
// (random instants per body and range, default 150) makes a larger run; every test prints its
// largest deviations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <random>

#include "tests/ephemeris_files/file_builder.h"
#include "tests/support/engine_call.h"
#include "tools/reference/swetest.h"

namespace orbelle::test {
namespace {

using ephemeris::Integer;

constexpr double kJD1800 = 2378496.5, kJD2200 = 2524593.5;

struct FileBody {
  Integer body;
  const char* letter;  // swetest planet letter
  const char* name;
};
constexpr FileBody kFileBodies[] = {{6, "F", "CERES"},    {7, "G", "PALLAS"},  {8, "H", "JUNO"},    {9, "I", "VESTA"},
                                    {10, "5", "JUPITER"}, {11, "6", "SATURN"}, {12, "D", "CHIRON"}, {13, "7", "URANUS"},
                                    {14, "8", "NEPTUNE"}, {15, "9", "PLUTO"}};

int Samples() {
  const char* env = std::getenv("ORBELLE_ACCURACY_SAMPLES");
  return env ? std::max(1, std::atoi(env)) : 150;
}

std::vector<FileCoverage> Files(const FileBody& b) {
  std::vector<FileCoverage> files;
  if (!ephemeris::IsChainBody(b.body)) return {ReadCoverage(DataDir() + b.name)};
  for (int p = 0; p < ephemeris::kChainLength; ++p) {
    files.push_back(ReadCoverage(DataDir() + b.name + ephemeris::ChainExtension(p)));
  }
  return files;
}

void AddRandom(std::vector<double>& jds, std::mt19937_64& rng, double lo, double hi, int n) {
  std::uniform_real_distribution<double> uniform(lo, hi);
  for (int i = 0; i < n; ++i) jds.push_back(uniform(rng));
}

// Random instants over 1800..2200 and over the whole range, and every file's first and last
// covered instants with the instants 0.3 days beyond them that the neighbouring file serves.
std::vector<double> Instants(const std::vector<FileCoverage>& files, Integer body) {
  std::mt19937_64 rng(1000 + body);
  std::vector<double> jds;
  AddRandom(jds, rng, kJD1800, kJD2200, Samples());
  AddRandom(jds, rng, files.front().first, files.back().last, Samples());
  for (std::size_t f = 0; f < files.size(); ++f) {
    jds.push_back(files[f].first);
    jds.push_back(files[f].last);
    if (f > 0) jds.push_back(files[f].first - 0.3);
    if (f + 1 < files.size()) jds.push_back(files[f].last + 0.3);
  }
  return jds;
}

double ArcsecDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)) * 3600.0; }

TEST(ReferenceAccuracy, HeliocentricPositionsAndMotionsFromTheShippedFiles) {
  if (!reference::SwetestAvailable()) GTEST_SKIP() << "swetest or its data files are not installed";
  for (const FileBody& b : kFileBodies) {
    const std::vector<FileCoverage> files = Files(b);
    const std::vector<double> jds = Instants(files, b.body);
    const auto ref = reference::Swetest(std::string("-p") + b.letter + " -hel -true -nonut -flbs", jds);
    EngineCall call;
    call.path = DataDir();
    ReportingFiles rates;
    double worst_lon = 0, worst_lat = 0, worst_rate = 0;
    for (std::size_t k = 0; k < jds.size(); ++k) {
      call.At(jds[k], b.body);
      const double lon = ArcsecDiff(call.r.HelioLon[b.body], ref[k][0]);
      const double lat = std::fabs(call.r.HelioLat[b.body] - ref[k][1]) * 3600.0;
      const auto s = rates.files.EphemerisLookup(b.body, DataDir(), jds[k], b.name);
      ASSERT_TRUE(s) << b.name << " " << jds[k];
      const double rate =
          (double(s->x) * s->vy - double(s->y) * s->vx) / (double(s->x) * s->x + double(s->y) * s->y) * 180.0 / M_PI;
      EXPECT_LE(lon, 0.15) << b.name << " JD " << jds[k];
      EXPECT_LE(lat, 0.15) << b.name << " JD " << jds[k];
      EXPECT_NEAR(rate, ref[k][2], 1e-5) << b.name << " JD " << jds[k];
      worst_lon = std::max(worst_lon, lon);
      worst_lat = std::max(worst_lat, lat);
      worst_rate = std::max(worst_rate, std::fabs(rate - ref[k][2]));
    }
    EXPECT_TRUE(rates.reports.empty());
    std::cout << b.name << ": " << jds.size() << " instants, longitude " << worst_lon << "\", latitude " << worst_lat
              << "\", motion " << worst_rate << " deg/day\n";
  }
}

TEST(ReferenceAccuracy, MinorBodyTestFilesAndTheirCenturySiblings) {
  if (!reference::SwetestAvailable()) GTEST_SKIP() << "swetest or its data files are not installed";
  // 1500..2100: the "C19" / "19." names serve from 1900, their siblings 17 and 15 before.
  std::vector<double> jds;
  std::mt19937_64 rng(5);
  AddRandom(jds, rng, 2268924.5, 2488069.5, Samples());
  jds.insert(jds.end(), {2415020.498, 2415020.499, 2341972.49, 2341972.5});
  struct Case {
    const char* file;
    const char* letter;
    double tolerance;  // arc seconds
  };
  for (const Case& c : {Case{"CERES19.ELM", "F", 5.0}, Case{"C19VESTA.ELM", "I", 0.15}}) {
    const auto ref = reference::Swetest(std::string("-p") + c.letter + " -hel -true -nonut -flb", jds);
    EngineCall call;
    call.path = DataDir() + "elm/" + c.file;
    double worst_lon = 0, worst_lat = 0;
    for (std::size_t k = 0; k < jds.size(); ++k) {
      call.At(jds[k], 40);
      const double lon = ArcsecDiff(call.r.HelioLon[40], ref[k][0]);
      const double lat = std::fabs(call.r.HelioLat[40] - ref[k][1]) * 3600.0;
      EXPECT_LE(lon, c.tolerance) << c.file << " JD " << jds[k];
      EXPECT_LE(lat, c.tolerance) << c.file << " JD " << jds[k];
      worst_lon = std::max(worst_lon, lon);
      worst_lat = std::max(worst_lat, lat);
    }
    std::cout << c.file << ": " << jds.size() << " instants, longitude " << worst_lon << "\", latitude " << worst_lat
              << "\"\n";
  }
}

}  // namespace
}  // namespace orbelle::test
