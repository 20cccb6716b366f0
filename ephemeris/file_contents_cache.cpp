#include "ephemeris/file_contents_cache.h"

#include <algorithm>
#include <fstream>

namespace orbelle::ephemeris {

const FileBytes* FileContentsCache::Contents(const std::string& path) {
  namespace fs = std::filesystem;
  const auto now = std::chrono::steady_clock::now();
  const auto found = entries_.find(path);
  if (found != entries_.end() && now - found->second.checked < kRecheckAfter) {
    found->second.age = ++clock_;
    return &found->second.bytes;
  }
  // A look at the file on disk: a file that is gone fails here, one that was rewritten or
  // replaced has another modification time.
  std::error_code ec;
  const fs::path p(path);
  const fs::file_time_type modified = fs::last_write_time(p, ec);
  if (ec) {
    if (found != entries_.end()) entries_.erase(found);
    return nullptr;
  }
  if (found != entries_.end() && found->second.modified == modified) {
    found->second.age = ++clock_;
    found->second.checked = now;
    return &found->second.bytes;
  }
  if (!fs::is_regular_file(p, ec)) return nullptr;
  const std::uintmax_t size = fs::file_size(p, ec);
  if (ec) return nullptr;

  Entry entry;
  entry.modified = modified;
  entry.checked = now;
  entry.age = ++clock_;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  entry.bytes.resize(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(entry.bytes.data()), static_cast<std::streamsize>(size));
  entry.bytes.resize(static_cast<std::size_t>(in.gcount()));

  if (found == entries_.end() && entries_.size() >= kMaxFiles) {
    entries_.erase(std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
      return a.second.age < b.second.age;
    }));
  }
  Entry& stored = entries_[path] = std::move(entry);
  return &stored.bytes;
}

}  // namespace orbelle::ephemeris
