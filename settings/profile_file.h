// Profile files: the "[section]" / "key=value" text files in which the suite keeps its
// settings, read and written with the rules of the classic private-profile functions
// (GetPrivateProfileStringA / WritePrivateProfileStringA):
//
//  - section and key names are matched without regard to ASCII case;
//  - blanks around section names, keys and values are ignored;
//  - a value enclosed in one matching pair of double or single quotes loses the quotes;
//  - a missing file, section or key yields the caller's default text (trailing blanks
//    removed);
//  - the caller's buffer of `buffer_size` characters holds a terminating NUL, so at most
//    buffer_size - 1 characters come back;
//  - lines starting with ';' are comments; the first matching section and key win;
//  - a file that is not a regular file (a directory, a pipe, a device) or is larger than
//    kProfileFileLimit reads as a missing file. Settings take a few kilobytes; the limit
//    keeps a damaged or hostile file from costing seconds and hundreds of megabytes.
//
// Profile files are written to the user's profile directory: $ZODRIX_PROFILE_DIR when set,
// otherwise $XDG_CONFIG_HOME/zodrix, otherwise ~/.config/zodrix; they are read from the first
// directory of the profile search that holds them (settings/profile_search.h).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orbelle::settings {

inline constexpr std::size_t kProfileFileLimit = std::size_t{1} << 20;  // 1 MiB

// The directory that holds the suite's profile files.
std::filesystem::path ProfileDirectory();

// Full path of the profile file `file_name` in the profile directory.
std::filesystem::path ProfilePath(std::string_view file_name);

// The characters the private-profile read copies into a buffer of `buffer_size` characters:
// the value of `key` in `section`, or `default_text` when there is none. The count of
// returned characters (the function's result on the classic platform) is the size of the
// returned string; it is 0 for a present empty value (or an empty default).
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view default_text,
                                    std::size_t buffer_size, const std::filesystem::path& file);

// Sets `key` of `section` to `value`: the key's line is replaced where it exists, otherwise
// the key is added at the end of its section, and the section is added at the end of the
// file when missing. Every other line stays as it was. The file (and its directory) is
// created when missing. The file is replaced as a whole (ReplaceFileContents), so it is
// never seen half written. Returns false when the file could not be written (the old file
// is then unchanged).
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::filesystem::path& file);

// Sets several keys of `section`, each as WritePrivateProfileString does, in one replacement
// of the file: a reader sees all of them changed or none (on Windows, where the system's
// functions write, one key after the other). A file that exists but cannot be read is not
// written (its other contents would be lost), nor one that would grow past kProfileFileLimit.
bool WritePrivateProfileStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& values,
                                const std::filesystem::path& file);

}  // namespace orbelle::settings
