// Reading little-endian fields of a data file's bytes at given offsets, never beyond its end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ephemeris/file_contents_cache.h"

namespace orbelle::ephemeris {

class BinaryFile {
 public:
  // The file `path` as `files` has it; Open() tells whether it could be read.
  BinaryFile(FileContentsCache& files, const std::string& path);
  bool Open() const { return open_; }
  std::uint64_t Size() const { return size_; }

  // The field at byte `offset`; empty when the file is not open, the field reaches beyond
  // the end of the file or the read fails.
  std::optional<std::int16_t> Int16(std::uint64_t offset);
  std::optional<std::int32_t> Int32(std::uint64_t offset);
  std::optional<float> Float32(std::uint64_t offset);
  std::optional<double> Float64(std::uint64_t offset);
  std::optional<std::string> Text(std::uint64_t offset, std::size_t length);

 private:
  // Reads `n` (at most 8) bytes as an unsigned little-endian number.
  std::optional<std::uint64_t> Unsigned(std::uint64_t offset, std::size_t n);
  bool Bytes(std::uint64_t offset, char* out, std::size_t n);

  const FileBytes* bytes_ = nullptr;
  bool open_ = false;
  std::uint64_t size_ = 0;
};

}  // namespace orbelle::ephemeris
