#include "ephemeris/ephemeris_file_reader.h"

#include <cmath>

#include "ephemeris/binary_file.h"
#include "ephemeris/ephemeris_file_layout.h"
#include "ephemeris/record_plausibility.h"

namespace orbelle::ephemeris {

FileReading ReadEphemerisFile(FileContentsCache& files, Integer body, int chain_position, const std::string& path,
                              double jd, RecordWindow& window) {
  BinaryFile file(files, path);
  const auto magic = file.Text(0, 4);
  if (!magic) return FileReading::kInvalid;
  const bool header = *magic == "EPHM";
  if (!header && !IsMinorBody(body)) return FileReading::kInvalid;
  const std::uint64_t base = header ? 12 : 0;
  const auto count = file.Int16(base);
  const auto start = file.Float64(base + 2);
  const auto step = file.Int16(base + 10);
  if (!count || !start || !step || !std::isfinite(*start) || *step <= 0) return FileReading::kInvalid;

  const double n = static_cast<std::uint16_t>(*count);
  const float h = *step;
  const double S = *start;
  // N + 3 records after the header: a longer file is not what its header describes.
  if (file.Size() > base + 12 + 12 * (static_cast<std::uint64_t>(n) + 3)) return FileReading::kInvalid;
  if (const auto layout = ShippedFileLayout(body, chain_position)) {
    if (*step != layout->step_days || S + 3.0 * h != layout->first_jd || S + (n - 4.0) * h < layout->reaches_jd) {
      return FileReading::kInvalid;
    }
  }
  if (jd < S + 3.0 * h) return FileReading::kBefore;
  window.last = S + (n - 4.0) * h;
  if (jd > window.last) return FileReading::kAfter;

  const double k = std::floor((jd - S) / h);
  window.start = S + (k - 3.0) * h;
  window.step = h;
  // Data record k - 1, the position at W, begins 12 (k - 1) bytes after the first record.
  const std::uint64_t first = base + 12 + 12 * (static_cast<std::uint64_t>(k) - 1);
  unsigned char records[8 * 12];
  if (!file.Bytes(first, records, sizeof records)) return FileReading::kInvalid;
  for (std::size_t r = 0; r < 8; ++r) {
    for (std::size_t c = 0; c < 3; ++c) window.xyz[c][r] = LittleEndianFloat32(records + 12 * r + 4 * c);
  }
  return PlausibleRecords(body, window) ? FileReading::kCovered : FileReading::kInvalid;
}

}  // namespace orbelle::ephemeris
