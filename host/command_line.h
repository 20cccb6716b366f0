// The subcommands of `orbelle-angles` that need no display or bus: the angles table as text
// or JSON, and the engine's positions for a list of Julian days.
#pragma once

#include <QStringList>
#include <string>

namespace orbelle::host {

// Exit statuses of the command.
inline constexpr int kExitOk = 0, kExitFailed = 1, kExitUsage = 2;

// The directory of the shipped ephemeris data, with its trailing separator: $ORBELLE_DATA_DIR
// when set, else the installed copy beside the installed program (PREFIX/share/orbelle-angles/),
// else the source tree's data/ (the program runs from its build tree).
std::string ShippedDataDirectory();

// The ephemeris directory of the suite settings ("ZODRIX.INI" in the profile directory) when
// they can be loaded, otherwise the shipped data.
std::string DefaultEphemerisDirectory();

// `table [--json] REQUEST`
int TableCommand(const QStringList& args);
// `positions [--ephem-dir DIR] [--bodies LIST] [JD ...]`
int PositionsCommand(const QStringList& args);

}  // namespace orbelle::host
