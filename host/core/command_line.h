// The subcommands of `orbelle-angles` that need no display or bus: the angles table as text,
// JSON or CSV, and the engine's positions for a list or a series of instants. Arguments are UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/regional_conventions.h"

namespace orbelle::host {

// Exit statuses of the command.
inline constexpr int kExitOk = 0, kExitFailed = 1, kExitUsage = 2;

// The directory of the shipped ephemeris data, with its trailing separator: $ORBELLE_DATA_DIR
// when set, else the installed copy beside the installed program (PREFIX/share/orbelle-angles/),
// else the source tree's data/ (the program runs from its build tree).
std::string ShippedDataDirectory();

// The ephemeris directory of the suite settings (the first "ZODRIX.INI" of the profile search) when
// they can be loaded, otherwise the shipped data.
std::string DefaultEphemerisDirectory();

// `table [--json | --csv] [REQUEST | now]`, the request read in the notation of `region`.
int TableCommand(const std::vector<std::string>& args, const RegionalConventions& region);
// The longest line `positions` reads from standard input, in bytes: an instant needs a few
// dozen; a longer line ends the command with a message.
inline constexpr std::size_t kLongestInputLine = 4096;

// `positions [--ephem-dir DIR] [--bodies LIST] [--from WHEN --to WHEN [--step DAYS]] [WHEN ...]`,
// each WHEN a Julian day, a request in the notation of `region`, or now.
int PositionsCommand(const std::vector<std::string>& args, const RegionalConventions& region);

// Runs `orbelle-angles` with `args` (the words after the program's name) when they name no
// command, ask for help or name a command above, and returns the exit status; otherwise
// returns nothing. `region` is asked for only by `table` and `positions`. `host_commands_help` lists the
// host's further commands in the help text.
std::optional<int> RunPortableCommand(const std::vector<std::string>& args, RegionalConventions (*region)(),
                                      std::string_view host_commands_help);

// Reports an unknown command; returns the usage status.
int UnknownCommand(const std::string& command);

}  // namespace orbelle::host
