#include "settings/profile_search.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "settings/profile_file.h"

namespace orbelle::settings {

std::vector<std::filesystem::path> ProfileSearchDirectories() {
  std::vector<std::filesystem::path> dirs = {ProfileDirectory()};
  if (const char* explicit_dir = std::getenv("ZODRIX_PROFILE_DIR"); explicit_dir && *explicit_dir) return dirs;
  const char* config_dirs = std::getenv("XDG_CONFIG_DIRS");
  std::string list = config_dirs && *config_dirs ? config_dirs : "/etc/xdg";
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    // A relative entry names no fixed place (it would depend on the working directory): skipped.
    if (const std::filesystem::path dir = list.substr(start, end - start); dir.is_absolute()) {
      dirs.push_back(dir / "zodrix");
    }
    start = end + 1;
  }
  return dirs;
}

std::filesystem::path FindProfile(std::string_view file_name) {
  const std::vector<std::filesystem::path> dirs = ProfileSearchDirectories();
  for (const std::filesystem::path& dir : dirs) {
    std::error_code ec;
    if (std::filesystem::exists(dir / file_name, ec)) return dir / file_name;
  }
  return dirs.front() / file_name;
}

}  // namespace orbelle::settings
