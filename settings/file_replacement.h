// Replacing a whole file's contents so that no reader ever sees it half written. Each platform
// supplies its own implementation (POSIX: settings/posix/file_replacement.cpp).
#pragma once

#include <filesystem>
#include <string>

namespace orbelle::settings {

// Makes `contents` the whole contents of `file`, creating the file and its directory when
// missing. Returns false when the file could not be written; the old file is then unchanged.
bool ReplaceFileContents(const std::filesystem::path& file, const std::string& contents);

}  // namespace orbelle::settings
