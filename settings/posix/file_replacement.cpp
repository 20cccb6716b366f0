// POSIX atomic replacement: the new contents go to a temporary file in the same directory,
// are flushed to the disk, and the temporary file is renamed over the old one. rename(2) is
// atomic within a file system, so a reader (or a crash) sees either the old or the new file.
//
// As the classic profile functions do, a read-only file (no write permission at all) is left
// alone and the write fails; the file keeps its mode; a symbolic link stays a link and the
// file it points to is the one replaced. A writer holds a lock on its temporary file while
// it writes, so the temporary files of writers that died (a crash, a kill) are told from live
// ones and removed by the next write of the same file.
#include "settings/file_replacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>
#include <system_error>

namespace orbelle::settings {
namespace {

// A temporary file is the file's name, this marker and mkstemp's six random letters and
// digits: a name nobody gives a copy of their own (OrbelleAnglesPos.Ini.backup, a name with
// six characters after the dot, was taken for a temporary file and removed).
constexpr std::string_view kTemporaryMarker = ".saving-";
constexpr std::string_view kRandomPattern = "XXXXXX";
constexpr int kMostLinks = 40;  // as the kernel's limit on nested links

// The file a path names once symbolic links are followed; a dangling link gives the path it
// points to, which is then created.
std::filesystem::path LinkTarget(std::filesystem::path file) {
  std::error_code ec;
  for (int i = 0; i < kMostLinks && std::filesystem::is_symlink(file, ec); ++i) {
    const std::filesystem::path target = std::filesystem::read_symlink(file, ec);
    if (ec) break;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return file;
}

// Whether `name` (a file name in the directory) is a temporary file of `stem`'s writer.
bool IsTemporaryOf(std::string_view name, std::string_view stem) {
  if (!name.starts_with(stem)) return false;
  name.remove_prefix(stem.size());
  if (!name.starts_with(kTemporaryMarker)) return false;
  name.remove_prefix(kTemporaryMarker.size());
  return name.size() == kRandomPattern.size() &&
         std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Removes the temporary files of earlier writers of `file` that are no longer locked, that is
// whose writer has ended without renaming them.
void RemoveAbandonedTemporaries(const std::filesystem::path& file) {
  const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
  const std::string stem = file.filename().string();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (!IsTemporaryOf(name, stem)) continue;
    const int fd = open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {
    }, named{};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 && lstat(entry.path().c_str(), &named) == 0 &&
        opened.st_ino == named.st_ino && opened.st_dev == named.st_dev && S_ISREG(named.st_mode)) {
      unlink(entry.path().c_str());
    }
    close(fd);
  }
}

// A new temporary file next to `file`, locked for as long as it is open. Returns its
// descriptor (or -1) and sets `temp` to its name.
int CreateLockedTemporary(const std::filesystem::path& file, std::string& temp) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    temp = file.string() + std::string(kTemporaryMarker) + std::string(kRandomPattern);
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    // Between its creation and the lock another writer may have taken it for abandoned and
    // removed it: then it is no longer the file of that name, and a new one is made.
    struct stat opened {
    }, named{};
    if (flock(fd, LOCK_EX) == 0 && fstat(fd, &opened) == 0 && lstat(temp.c_str(), &named) == 0 &&
        opened.st_ino == named.st_ino) {
      return fd;
    }
    close(fd);
  }
  return -1;
}

bool WriteAll(int fd, const std::string& contents) {
  std::size_t written = 0;
  while (written < contents.size()) {
    const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool ReplaceFileContents(const std::filesystem::path& path, const std::string& contents) {
  const std::filesystem::path file = LinkTarget(path);
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  struct stat old_status {};
  const bool exists = stat(file.c_str(), &old_status) == 0;
  if (exists && ((old_status.st_mode & 0222) == 0 || access(file.c_str(), W_OK) != 0)) return false;  // read-only
  RemoveAbandonedTemporaries(file);

  std::string temp;
  const int fd = CreateLockedTemporary(file, temp);
  if (fd < 0) return false;
  fchmod(fd, exists ? old_status.st_mode & 07777 : 0644);
  const bool ok = WriteAll(fd, contents) && fsync(fd) == 0 && std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  close(fd);  // releases the lock, after the rename
  return ok;
}

}  // namespace orbelle::settings
