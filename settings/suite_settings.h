// The suite's common settings record, read from the suite-wide settings file "ZODRIX.INI"
// found by the profile search. The loader only reads the file.
//
// Of all the fields, this program uses only the data directory: it holds the installation
// check file and the ephemeris files. The other fields are the suite's common settings and
// are read so that the record is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace orbelle::settings {

inline constexpr const char* kSuiteSettingsFile = "ZODRIX.INI";
inline constexpr const char* kNotInstalledMessage = "Please. Install QUADREX again";

struct SuiteSettings {
  std::string DataDirectory;                  // [EPHEM] Directory, always ending with a separator
  std::string EphemerisDirectory;             // copy of DataDirectory, the ephemeris files' directory
  std::int32_t OptionsValue = 33554431;       // [OPTIONS] VALUE, bit set, 2^25 - 1
  std::int32_t PlanetsValue = 33554431;       // [OPTIONS] PLANETS, bit set, 2^25 - 1
  std::int32_t Selection = 0;                 // [OPTIONS] SELECT
  std::int16_t TimeZone = 0;                  // [SETUP] GMT, hours
  std::int32_t HorizonOptionsValue = 131071;  // [OPTIONS HOR] VALUE, bit set, 2^17 - 1
  float LongitudeDegrees = 0;                 // [LONGITUDE] DEGREE
  float LongitudeMinutes = 0;                 // [LONGITUDE] MINUTES
  std::string LongitudeDirection = "W";       // [LONGITUDE] DIRECTION
  float LatitudeDegrees = 0;                  // [LATITUDE] DEGREE
  float LatitudeMinutes = 0;                  // [LATITUDE] MINUTES
  std::string LatitudeDirection = "N";        // [LATITUDE] DIRECTION
  std::int16_t DaylightSaving = 0;            // [DAY LIGHT SAVINGS] VALUE
  std::int16_t ShowQuadrexLines = -1;         // [NC] ShowQuadrexLines, -1 is true
  std::string Interval = "D";                 // [NC] Interval
  std::int16_t Tipo = 0;                      // [NC] Tipo
  std::int16_t PrinterColour = 0;             // [PRINTER] Color

  bool operator==(const SuiteSettings&) const = default;
};

// The settings file names no data directory (missing file, key or value): the suite is not
// installed. what() is kNotInstalledMessage.
class SuiteNotInstalled : public std::runtime_error {
 public:
  SuiteNotInstalled() : std::runtime_error(kNotInstalledMessage) {}
};

// Receives a note for each value that does not fit its field (that field keeps its default).
using SettingsProblemReporter = std::function<void(const std::string& message)>;

// Fills every field of `settings` from `file`. Keys that are missing take their defaults; a
// number too large for its field is reported and the field takes its default. The data
// directory gets a trailing '/' when it has none, before it is copied to the ephemeris
// directory. Throws SuiteNotInstalled when there is no data directory.
void LoadSuiteSettings(SuiteSettings& settings, const std::filesystem::path& file,
                       const SettingsProblemReporter& report = {});

// The same for the first "ZODRIX.INI" of the profile search (settings/profile_search.h).
void LoadSuiteSettings(SuiteSettings& settings, const SettingsProblemReporter& report = {});

}  // namespace orbelle::settings
