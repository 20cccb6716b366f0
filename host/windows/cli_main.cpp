// orbelle-angles.exe: the table and the engine's positions in a Windows console, the request
// read in the notation of the Windows user locale. Output is UTF-8 (the zodiac signs).
#include <windows.h>

#include <string>
#include <vector>

#include "host/core/command_line.h"
#include "host/windows/wide_text.h"
#include "host/windows/windows_conventions.h"

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(orbelle::windows::Narrow(argv[i]));
  const auto region = [] { return orbelle::windows::WindowsUserConventions(); };
  if (const auto status = orbelle::host::RunPortableCommand(args, region, "")) return *status;
  return orbelle::host::UnknownCommand(args.front());
}
