// Synthetic ephemeris and minor-body files in a temporary directory, the covered range of an
// "EPHM" file, and an EphemerisFiles whose problem reports are collected.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ephemeris/ephemeris_files.h"
#include "tests/settings/temp_directory.h"

namespace orbelle::test {

// A fresh directory, removed with everything in it at the end of the test; its path with a
// trailing separator, as the ephemeris path wants it.
class TempDir : public testing::TempDirectory {
 public:
  std::string Path() const { return path().string() + "/"; }
  std::string operator/(const std::string& name) const { return Path() + name; }
};

using Record = std::array<float, 3>;

// An "EPHM" file (or the headerless variant): count as stored, S, step, records.
void WriteEphemerisFile(const std::string& path, bool header, std::int16_t count, double start, std::int16_t step,
                        const std::vector<Record>& records);

// Records i = 0 .. n-1 of a body moving uniformly: x = 1 + 0.001 (S + (i - 2) h - S) / h,
// y = `y`, z = 0.5 (so a position is known exactly at any date). The default puts the body
// among the minor planets; a larger `y` takes it to an outer planet's distance.
std::vector<Record> LinearRecords(std::size_t n, float y = 2.0f);

// A minor-body file: header fields, then the records as 32-bit integers.
void WriteMinorBodyFile(const std::string& path, char kind, std::int16_t step, std::int32_t epoch_tenths,
                        std::int32_t count, const std::vector<std::int32_t>& record_fields);

void WriteBytes(const std::string& path, const std::string& bytes);

// The shipped data directory, with a trailing separator.
std::string DataDir();

// The covered range of an "EPHM" file, read from its header.
struct FileCoverage {
  double start = 0, step = 0;     // S and h
  std::int16_t stored_count = 0;  // N as stored
  double first = 0, last = 0;     // S + 3h and S + (N - 4)h, N read unsigned
};
FileCoverage ReadCoverage(const std::string& path);

struct ReportingFiles {
  ephemeris::EphemerisFiles files;
  std::vector<std::string> reports;
  ReportingFiles() {
    files.SetProblemReporter([this](const std::string& m) { reports.push_back(m); });
  }
};

}  // namespace orbelle::test
