// POSIX atomic replacement: the new contents go to a temporary file in the same directory,
// are flushed to the disk, and the temporary file is renamed over the old one. rename(2) is
// atomic within a file system, so a reader (or a crash) sees either the old or the new file.
#include "settings/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

namespace orbelle::settings {

bool ReplaceFileContents(const std::filesystem::path& file, const std::string& contents) {
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  std::string temp = file.string() + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat old_status {};
  if (stat(file.c_str(), &old_status) == 0)
    fchmod(fd, old_status.st_mode & 07777);
  else
    fchmod(fd, 0644);
  std::size_t written = 0;
  while (written < contents.size()) {
    const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool ok = written == contents.size() && fsync(fd) == 0;
  if (close(fd) != 0 || !ok || std::rename(temp.c_str(), file.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace orbelle::settings
