// What the server process keeps for its whole life: the suite settings, the angles table and
// the one form that every instance of QuilanCls uses.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "host/core/angles_table.h"
#include "host/windows/quilan_form.h"
#include "settings/suite_settings.h"

namespace orbelle::windows {

inline constexpr const char* kInstallationCheckFile = "ZodrixTC2.Dat";
inline constexpr const char* kModuleNotFoundMessage = "Main orbelle module not found";

class QuilanServer {
 public:
  explicit QuilanServer(HINSTANCE instance);

  // Class_Initialize: loads the settings, checks the installation (a failure shows its
  // message and ends the process) and shows the window.
  void ClassInitialize();

  // Data (put): the request text into the window's request box; the table is redrawn before
  // this returns. Returns why no table could be drawn for the text.
  std::optional<RequestProblem> Data(const std::wstring& request);

  QuilanForm& Form() { return form_; }

 private:
  settings::SuiteSettings settings_;
  host::AnglesTable table_;
  QuilanForm form_;
};

// Shows `message` in a message box with the application's title and ends the process.
[[noreturn]] void FailInstallation(const char* message);

}  // namespace orbelle::windows
