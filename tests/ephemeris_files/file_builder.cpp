#include "tests/ephemeris_files/file_builder.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

#include "ephemeris/binary_file.h"

namespace orbelle::test {

namespace {

template <typename T>
void Put(std::string& out, T v) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &v, sizeof(T));  // the test machines are little-endian, like the files
  out.append(bytes, sizeof(T));
}

}  // namespace

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteEphemerisFile(const std::string& path, bool header, std::int16_t count, double start, std::int16_t step,
                        const std::vector<Record>& records) {
  std::string out;
  if (header) out = std::string("EPHM") + std::string(8, '\0');
  Put(out, count);
  Put(out, start);
  Put(out, step);
  for (const Record& r : records) {
    for (float v : r) Put(out, v);
  }
  WriteBytes(path, out);
}

std::vector<Record> LinearRecords(std::size_t n, float y) {
  std::vector<Record> records;
  for (std::size_t i = 0; i < n; ++i) {
    records.push_back({static_cast<float>(1.0 + 0.001 * (static_cast<double>(i) - 2.0)), y, 0.5f});
  }
  return records;
}

void WriteMinorBodyFile(const std::string& path, char kind, std::int16_t step, std::int32_t epoch_tenths,
                        std::int32_t count, const std::vector<std::int32_t>& record_fields) {
  std::string out = "EL";
  Put(out, std::int16_t{0});
  out += "TEST BODY         ";
  Put(out, step);
  Put(out, epoch_tenths);
  Put(out, count);
  out += kind;
  out.resize(kind == 'X' ? 36 : 56, '\0');
  for (std::int32_t v : record_fields) Put(out, v);
  WriteBytes(path, out);
}

std::string DataDir() { return std::string(ORBELLE_SOURCE_DIR) + "/data/"; }

FileCoverage ReadCoverage(const std::string& path) {
  ephemeris::FileContentsCache files;
  ephemeris::BinaryFile file(files, path);
  const auto count = file.Int16(12);
  const auto start = file.Float64(14);
  const auto step = file.Int16(22);
  if (!count || !start || !step) throw std::runtime_error("not an ephemeris file: " + path);
  return {*start, double(*step), *count, *start + 3.0 * *step,
          *start + (static_cast<std::uint16_t>(*count) - 4.0) * *step};
}

}  // namespace orbelle::test
