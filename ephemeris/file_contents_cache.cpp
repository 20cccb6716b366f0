#include "ephemeris/file_contents_cache.h"

#include <algorithm>
#include <fstream>

namespace orbelle::ephemeris {

const CachedFile* FileContentsCache::Contents(const std::string& path) {
  namespace fs = std::filesystem;
  const auto now = std::chrono::steady_clock::now();
  const auto found = entries_.find(path);
  if (found != entries_.end() && now - found->second.checked < kRecheckAfter) {
    found->second.age = ++clock_;
    return &found->second.file;
  }
  // A look at the file on disk: a file that is gone fails here, one that was rewritten or
  // replaced has another modification time or size. file_size fails for anything but a
  // regular file (a directory, a pipe, a device), so no separate look at the type is needed.
  std::error_code ec;
  const fs::path p(path);
  const fs::file_time_type modified = fs::last_write_time(p, ec);
  const std::uintmax_t size = ec ? 0 : fs::file_size(p, ec);
  if (ec) {
    if (found != entries_.end()) entries_.erase(found);
    return nullptr;
  }
  if (found != entries_.end() && found->second.modified == modified && found->second.file.size == size) {
    found->second.age = ++clock_;
    found->second.checked = now;
    return &found->second.file;
  }

  Entry entry;
  entry.modified = modified;
  entry.checked = now;
  entry.age = ++clock_;
  entry.file.size = size;
  entry.file.whole = size <= kWholeFileLimit;
  if (entry.file.whole) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return nullptr;
    entry.file.bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(entry.file.bytes.data()), static_cast<std::streamsize>(size));
    entry.file.bytes.resize(static_cast<std::size_t>(in.gcount()));
    entry.file.size = entry.file.bytes.size();
  }

  if (found == entries_.end() && entries_.size() >= kMaxFiles) {
    entries_.erase(std::min_element(entries_.begin(), entries_.end(),
                                    [](const auto& a, const auto& b) { return a.second.age < b.second.age; }));
  }
  Entry& stored = entries_[path] = std::move(entry);
  return &stored.file;
}

}  // namespace orbelle::ephemeris
