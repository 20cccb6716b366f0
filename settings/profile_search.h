// Where a profile file is read from: the XDG base-directory search.
//
// The user's own profile directory (ProfileDirectory: $XDG_CONFIG_HOME/zodrix, else
// ~/.config/zodrix) comes first, then "zodrix" below each directory of $XDG_CONFIG_DIRS
// (default /etc/xdg), in order. A file found in an earlier directory hides the files of the
// same name in later ones, file by file: a system-wide default ZODRIX.INI in /etc/xdg/zodrix
// serves every user who has none of their own, and a suite that later writes its own
// ZODRIX.INI into the user's directory takes precedence at once. Files are written only to
// the user's own directory (ProfilePath).
//
// $ZODRIX_PROFILE_DIR, when set, names the one and only profile directory: nothing else is
// searched.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace orbelle::settings {

// The directories searched for profile files, the first one the user's own.
std::vector<std::filesystem::path> ProfileSearchDirectories();

// The first existing file `file_name` in the search directories; when there is none, the
// file's place in the user's own directory (which then reads as a missing file).
std::filesystem::path FindProfile(std::string_view file_name);

}  // namespace orbelle::settings
