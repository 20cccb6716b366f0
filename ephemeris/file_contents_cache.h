// The bytes of the data files the engine reads, kept between requests.
//
// A request for a date outside the cached record windows would otherwise open, seek and read
// its ephemeris file anew (and walk the chain through several files). Here each file is read
// once. A use more than kRecheckAfter after the last look at the file checks its modification
// time on disk and reads it again when it changed, or reports it missing when it is gone, as
// opening it would; within that time the bytes read are used as they are (a look at the disk
// costs a system call, as much as the rest of a position).
// Only regular files are read. At most kMaxFiles files are kept; beyond that the oldest
// entry is dropped.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace orbelle::ephemeris {

using FileBytes = std::vector<unsigned char>;

class FileContentsCache {
 public:
  static constexpr std::size_t kMaxFiles = 64;
  static constexpr std::chrono::milliseconds kRecheckAfter{1000};

  // The file's bytes as they are on disk now, or nullptr when it cannot be read. The pointer
  // stays valid until the next call.
  const FileBytes* Contents(const std::string& path);

 private:
  struct Entry {
    FileBytes bytes;
    std::filesystem::file_time_type modified{};
    std::chrono::steady_clock::time_point checked{};
    std::size_t age = 0;
  };

  std::unordered_map<std::string, Entry> entries_;
  std::size_t clock_ = 0;
};

}  // namespace orbelle::ephemeris
