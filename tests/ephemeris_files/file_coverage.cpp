#include "tests/ephemeris_files/file_coverage.h"

#include <stdexcept>

#include "ephemeris/binary_file.h"

namespace orbelle::test {

FileCoverage ReadCoverage(const std::string& path) {
  ephemeris::FileContentsCache files;
  ephemeris::BinaryFile file(files, path);
  const auto count = file.Int16(12);
  const auto start = file.Float64(14);
  const auto step = file.Int16(22);
  if (!count || !start || !step) throw std::runtime_error("not an ephemeris file: " + path);
  FileCoverage c;
  c.start = *start;
  c.step = *step;
  c.stored_count = *count;
  c.first = c.start + 3 * c.step;
  c.last = c.start + (static_cast<std::uint16_t>(*count) - 4.0) * c.step;
  return c;
}

}  // namespace orbelle::test
