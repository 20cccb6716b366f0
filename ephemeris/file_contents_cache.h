// The data files the engine reads, kept between requests.
//
// A request for a date outside the cached record windows would otherwise open, seek and read
// its ephemeris file anew (and walk the chain through several files). Here a file of at most
// kWholeFileLimit bytes is read once and kept; every "EPHM" file is that small (65,535
// records at most, 786,480 bytes). A larger file (a long minor-body file, or a damaged one)
// is not loaded: its fields are read from the disk where they lie, so memory stays bounded
// whatever a file's size. A use more than kRecheckAfter after the last look at the file
// checks it on disk and reads it again when it changed, or reports it missing when it is
// gone, as opening it would; within that time the bytes read are used as they are (a look at
// the disk costs a system call, as much as the rest of a position).
// Only regular files are used, and their type is checked before they are opened: a
// directory, a pipe or a device in a file's place reads as a missing file, never blocks.
// At most kMaxFiles files are kept; beyond that the oldest entry is dropped.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace orbelle::ephemeris {

using FileBytes = std::vector<unsigned char>;

// A data file as the cache has it: its size, and its bytes when it is small enough to keep.
struct CachedFile {
  std::uint64_t size = 0;
  bool whole = false;  // `bytes` holds the whole file; otherwise it is read in place
  FileBytes bytes;
};

class FileContentsCache {
 public:
  static constexpr std::size_t kMaxFiles = 64;
  static constexpr std::uint64_t kWholeFileLimit = std::uint64_t{1} << 20;
  static constexpr std::chrono::milliseconds kRecheckAfter{1000};

  // The file as it is on disk now, or nullptr when it is missing, not a regular file or
  // cannot be read. The pointer stays valid until the next call.
  const CachedFile* Contents(const std::string& path);

 private:
  struct Entry {
    CachedFile file;
    std::filesystem::file_time_type modified{};
    std::chrono::steady_clock::time_point checked{};
    std::size_t age = 0;
  };

  std::unordered_map<std::string, Entry> entries_;
  std::size_t clock_ = 0;
};

}  // namespace orbelle::ephemeris
