// Profile files on Windows: the system's own private-profile functions, so that this program
// reads and writes exactly what the suite's other programs see. A bare file name such as
// "ZODRIX.INI" is resolved by those functions to the Windows directory, where the suite's
// main program keeps its settings file; a full path is used as it is.
#include <windows.h>
// The names of this program's functions, which windows.h would turn into its ANSI variants.
#undef GetPrivateProfileString
#undef WritePrivateProfileString

#include <string>

#include "settings/profile_file.h"

namespace orbelle::settings {

std::filesystem::path ProfileDirectory() {
  wchar_t directory[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(directory, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::filesystem::path(directory) : std::filesystem::path();
}

// The bare name: the private-profile functions themselves place it in the Windows directory.
std::filesystem::path ProfilePath(std::string_view file_name) { return std::filesystem::path(file_name); }

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view default_text,
                                    std::size_t buffer_size, const std::filesystem::path& file) {
  if (buffer_size == 0) return {};
  std::string buffer(buffer_size, ' ');
  const DWORD count = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                               std::string(default_text).c_str(), buffer.data(),
                                               static_cast<DWORD>(buffer_size), file.string().c_str());
  buffer.resize(count);
  return buffer;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::filesystem::path& file) {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(value).c_str(),
                                    file.string().c_str()) != 0;
}

// The system's functions write one key at a time; the keys go in order.
bool WritePrivateProfileStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& values,
                                const std::filesystem::path& file) {
  bool written = true;
  for (const auto& [key, value] : values) written = WritePrivateProfileString(section, key, value, file) && written;
  return written;
}

}  // namespace orbelle::settings
