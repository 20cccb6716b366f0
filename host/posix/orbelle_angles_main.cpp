// orbelle-angles without the desktop: the table and the engine's positions on the command
// line, for a machine without Qt.
#include <string>
#include <vector>

#include "host/core/command_line.h"
#include "host/posix/c_library_conventions.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto status = orbelle::host::RunPortableCommand(args, orbelle::host::CLibraryConventions, ""))
    return *status;
  return orbelle::host::UnknownCommand(args.front());
}
