#include "settings/suite_settings.h"

#include <optional>
#include <string_view>
#include <type_traits>

#include "host/core/utf8.h"
#include "settings/profile_file.h"
#include "settings/profile_number.h"
#include "settings/profile_search.h"

namespace orbelle::settings {
namespace {

// Every key is read into a buffer of 255 characters, so at most 254 come back.
constexpr std::size_t kBufferSize = 255;

// A bit-set default: the number's decimal text with a leading blank, as BASIC's Str$ forms it.
std::string NumberText(std::int32_t n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

class SettingsReader {
 public:
  SettingsReader(const std::filesystem::path& file, const SettingsProblemReporter& report)
      : file_(file), report_(report) {}

  std::string Text(std::string_view section, std::string_view key, std::string_view default_text) const {
    return GetPrivateProfileString(section, key, default_text, kBufferSize, file_);
  }

  template <class Field>
  Field Number(std::string_view section, std::string_view key, std::string_view default_text) const {
    const std::string text = Text(section, key, default_text);
    if (const std::optional<Field> value = Convert<Field>(LeadingNumber(text))) return *value;
    const Field fallback = Convert<Field>(LeadingNumber(default_text)).value_or(Field{});
    if (report_) {
      report_(std::string(kSuiteSettingsFile) + " [" + std::string(section) + "] " + std::string(key) + ": \"" +
              host::Printable(text) + "\" is too large for its field; the default " + std::to_string(fallback) +
              " is used");
    }
    return fallback;
  }

 private:
  template <class Field>
  static std::optional<Field> Convert(double value) {
    if constexpr (std::is_same_v<Field, float>) {
      return RoundToSingle(value);
    } else {
      return RoundToInteger<Field>(value);
    }
  }

  const std::filesystem::path& file_;
  const SettingsProblemReporter& report_;
};

}  // namespace

void LoadSuiteSettings(SuiteSettings& s, const std::filesystem::path& file, const SettingsProblemReporter& report) {
  const SettingsReader read(file, report);
  s.DataDirectory = read.Text("EPHEM", "Directory", "");
  if (s.DataDirectory.empty()) throw SuiteNotInstalled();
  // File names are appended to the directory directly; a value written without its final
  // separator would otherwise name the wrong files.
  constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (s.DataDirectory.back() != '/' && s.DataDirectory.back() != kSeparator) s.DataDirectory += kSeparator;
  s.EphemerisDirectory = s.DataDirectory;

  s.OptionsValue = read.Number<std::int32_t>("OPTIONS", "VALUE", NumberText((1 << 25) - 1));
  s.PlanetsValue = read.Number<std::int32_t>("OPTIONS", "PLANETS", NumberText((1 << 25) - 1));
  s.Selection = read.Number<std::int32_t>("OPTIONS", "SELECT", NumberText(0));
  s.TimeZone = read.Number<std::int16_t>("SETUP", "GMT", "");
  s.HorizonOptionsValue = read.Number<std::int32_t>("OPTIONS HOR", "VALUE", NumberText((1 << 17) - 1));
  s.LongitudeDegrees = read.Number<float>("LONGITUDE", "DEGREE", "0");
  s.LongitudeMinutes = read.Number<float>("LONGITUDE", "MINUTES", "0");
  s.LongitudeDirection = read.Text("LONGITUDE", "DIRECTION", "W");
  s.LatitudeDegrees = read.Number<float>("LATITUDE", "DEGREE", "0");
  s.LatitudeMinutes = read.Number<float>("LATITUDE", "MINUTES", "0");
  s.LatitudeDirection = read.Text("LATITUDE", "DIRECTION", "N");
  s.DaylightSaving = read.Number<std::int16_t>("DAY LIGHT SAVINGS", "VALUE", "0");
  s.ShowQuadrexLines = read.Number<std::int16_t>("NC", "ShowQuadrexLines", "-1");
  s.Interval = read.Text("NC", "Interval", "D");
  s.Tipo = read.Number<std::int16_t>("NC", "Tipo", "0");
  s.PrinterColour = read.Number<std::int16_t>("PRINTER", "Color", "0");
}

void LoadSuiteSettings(SuiteSettings& settings, const SettingsProblemReporter& report) {
  LoadSuiteSettings(settings, FindProfile(kSuiteSettingsFile), report);
}

}  // namespace orbelle::settings
