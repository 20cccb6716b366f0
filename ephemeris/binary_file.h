// Reading little-endian fields of a data file at given offsets, never beyond its end: from
// the bytes the cache keeps, or from the disk for a file too large to keep.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "ephemeris/file_contents_cache.h"

namespace orbelle::ephemeris {

class BinaryFile {
 public:
  // The file `path` (which outlives the object) as `files` has it; Open() tells whether it is
  // a regular file.
  BinaryFile(FileContentsCache& files, const std::string& path);
  bool Open() const { return open_; }
  std::uint64_t Size() const { return size_; }

  // The field at byte `offset`; empty when the file is not open, the field reaches beyond
  // the end of the file or the read fails.
  std::optional<std::int16_t> Int16(std::uint64_t offset);
  std::optional<std::int32_t> Int32(std::uint64_t offset);
  std::optional<double> Float64(std::uint64_t offset);
  std::optional<std::string> Text(std::uint64_t offset, std::size_t length);
  // The `n` bytes at `offset` into `out`; false as for the fields.
  bool Bytes(std::uint64_t offset, unsigned char* out, std::size_t n);

 private:
  // Reads `n` (at most 8) bytes as an unsigned little-endian number.
  std::optional<std::uint64_t> Unsigned(std::uint64_t offset, std::size_t n);

  const CachedFile* file_ = nullptr;
  const std::string& path_;
  std::unique_ptr<std::ifstream> in_;  // opened at the first read of a file the cache does not keep
  bool open_ = false;
  std::uint64_t size_ = 0;
};

// Little-endian numbers at `bytes`.
std::uint32_t LittleEndian32(const unsigned char* bytes);
float LittleEndianFloat32(const unsigned char* bytes);

}  // namespace orbelle::ephemeris
