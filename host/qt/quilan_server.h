// What all instances of the automation class QuilanCls share: the suite settings and the one
// form. The class keeps no data of its own; creating an instance runs Class_Initialize and
// assigning its Data property hands a request to the form.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>

#include "host/qt/quilan.h"
#include "settings/suite_settings.h"

namespace orbelle::host {

inline constexpr const char* kApplicationTitle = "OrbelleAngles";
inline constexpr const char* kInstallationCheckFile = "ZodrixTC2.Dat";
inline constexpr const char* kModuleNotFoundMessage = "Main orbelle module not found";

// The suite is not installed: the settings name no data directory, or the data directory
// lacks the installation check file. what() is the message for the user; the process ends.
class InstallationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class QuilanServer {
 public:
  // Loads the settings, checks the installation, creates the form once and shows it.
  // Throws InstallationError.
  void Class_Initialize();

  // The Data property: the form draws the table for `request` before this returns. Returns
  // why the table could not be drawn (the previous table then stays).
  std::optional<QString> PutData(const QString& request);

  // The form, once created.
  Quilan* Form() const { return form_.get(); }
  const settings::SuiteSettings& Settings() const { return settings_; }

 private:
  Quilan& EnsureForm();

  settings::SuiteSettings settings_;
  std::unique_ptr<Quilan> form_;
};

}  // namespace orbelle::host
