#include "ephemeris/binary_file.h"

#include <bit>
#include <cstring>

namespace orbelle::ephemeris {

BinaryFile::BinaryFile(FileContentsCache& files, const std::string& path) : bytes_(files.Contents(path)) {
  if (!bytes_) return;
  size_ = bytes_->size();
  open_ = true;
}

bool BinaryFile::Bytes(std::uint64_t offset, char* out, std::size_t n) {
  if (!open_ || offset > size_ || n > size_ - offset) return false;
  std::memcpy(out, bytes_->data() + offset, n);
  return true;
}

std::optional<std::uint64_t> BinaryFile::Unsigned(std::uint64_t offset, std::size_t n) {
  unsigned char bytes[8];
  if (!Bytes(offset, reinterpret_cast<char*>(bytes), n)) return std::nullopt;
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

std::optional<float> BinaryFile::Float32(std::uint64_t offset) {
  const auto v = Unsigned(offset, 4);
  if (!v) return std::nullopt;
  return std::bit_cast<float>(static_cast<std::uint32_t>(*v));
}

std::optional<double> BinaryFile::Float64(std::uint64_t offset) {
  const auto v = Unsigned(offset, 8);
  if (!v) return std::nullopt;
  return std::bit_cast<double>(*v);
}

std::optional<std::string> BinaryFile::Text(std::uint64_t offset, std::size_t length) {
  std::string s(length, '\0');
  if (!Bytes(offset, s.data(), length)) return std::nullopt;
  return s;
}

}  // namespace orbelle::ephemeris
