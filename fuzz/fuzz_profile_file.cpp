// Profile files from arbitrary bytes: the reader returns at most buffer size - 1 characters,
// never reads outside the file, and the writer keeps every other line of the file, so that
// reading back the key it wrote gives the value it wrote.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine_harness.h"
#include "settings/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace s = orbelle::settings;
  const std::string path = orbelle::fuzz::ScratchDirectory() + "fuzz.ini";
  const std::string text(reinterpret_cast<const char*>(data), size);
  orbelle::fuzz::WriteFile(path, text);
  for (const char* section : {"EPHEM", "Size", "options hor", ""}) {
    for (const char* key : {"Directory", "Left", "VALUE", ""}) {
      for (std::size_t buffer : {std::size_t(1), std::size_t(5), std::size_t(255), std::size_t(256)}) {
        const std::string v = s::GetPrivateProfileString(section, key, "default", buffer, path);
        if (v.size() > buffer - 1) std::abort();
      }
    }
  }
  // Other sections survive a write, and the written value reads back.
  const std::string before_other = s::GetPrivateProfileString("Other", "k", "none", 256, path);
  if (s::WritePrivateProfileString("Size", "Left", "1234", path)) {
    if (s::GetPrivateProfileString("Size", "Left", "", 256, path) != "1234") std::abort();
    if (s::GetPrivateProfileString("Other", "k", "none", 256, path) != before_other) std::abort();
  }
  return 0;
}
