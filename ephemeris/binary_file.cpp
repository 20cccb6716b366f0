#include "ephemeris/binary_file.h"

#include <bit>
#include <cstring>

namespace orbelle::ephemeris {

BinaryFile::BinaryFile(FileContentsCache& files, const std::string& path) : file_(files.Contents(path)), path_(path) {
  if (!file_) return;
  size_ = file_->size;
  open_ = true;
}

bool BinaryFile::Bytes(std::uint64_t offset, unsigned char* out, std::size_t n) {
  if (!open_ || offset > size_ || n > size_ - offset) return false;
  if (file_->whole) {
    std::memcpy(out, file_->bytes.data() + offset, n);
    return true;
  }
  if (!in_) in_ = std::make_unique<std::ifstream>(path_, std::ios::binary);
  in_->seekg(static_cast<std::streamoff>(offset));
  in_->read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(n));
  if (*in_) return true;
  in_->clear();
  return false;
}

std::uint32_t LittleEndian32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

float LittleEndianFloat32(const unsigned char* bytes) { return std::bit_cast<float>(LittleEndian32(bytes)); }

std::optional<std::uint64_t> BinaryFile::Unsigned(std::uint64_t offset, std::size_t n) {
  unsigned char bytes[8];
  if (!Bytes(offset, bytes, n)) return std::nullopt;
  std::uint64_t v = 0;
  for (std::size_t b = n; b-- > 0;) v = (v << 8) | bytes[b];
  return v;
}

std::optional<std::int16_t> BinaryFile::Int16(std::uint64_t offset) {
  const auto v = Unsigned(offset, 2);
  if (!v) return std::nullopt;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(*v));
}

std::optional<std::int32_t> BinaryFile::Int32(std::uint64_t offset) {
  const auto v = Unsigned(offset, 4);
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(*v));
}

std::optional<double> BinaryFile::Float64(std::uint64_t offset) {
  const auto v = Unsigned(offset, 8);
  if (!v) return std::nullopt;
  return std::bit_cast<double>(*v);
}

std::optional<std::string> BinaryFile::Text(std::uint64_t offset, std::size_t length) {
  std::string s(length, '\0');
  if (!Bytes(offset, reinterpret_cast<unsigned char*>(s.data()), length)) return std::nullopt;
  return s;
}

}  // namespace orbelle::ephemeris
