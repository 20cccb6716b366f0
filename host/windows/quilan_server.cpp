#include "host/windows/quilan_server.h"

#include <vector>

#include "host/windows/server_lifetime.h"
#include "host/windows/wide_text.h"
#include "host/windows/windows_conventions.h"

namespace orbelle::windows {

void FailInstallation(const char* message) {
  MessageBoxW(nullptr, Widen(message).c_str(), kApplicationTitle, MB_OK);
  ExitProcess(1);
}

QuilanServer::QuilanServer(HINSTANCE instance) : form_(instance, table_) {
  table_.Region = WindowsUserConventions();
  form_.on_load = [this] { table_.LoadRows(); };
  form_.on_shown = HoldServer;
  form_.on_closed = ReleaseServer;
}

void QuilanServer::ClassInitialize() {
  std::vector<std::string> reports;
  try {
    settings::LoadSuiteSettings(settings_, [&](const std::string& message) { reports.push_back(message); });
  } catch (const settings::SuiteNotInstalled&) {
    FailInstallation(settings::kNotInstalledMessage);
  }
  // The installation check opens the file and reads nothing: it proves that the suite's
  // data directory is where the settings say.
  table_.EphemerisDirectory = settings_.EphemerisDirectory;
  table_.Region = WindowsUserConventions();
  const std::string check = settings_.DataDirectory + kInstallationCheckFile;
  const HANDLE file = CreateFileW(Widen(check).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) FailInstallation(kModuleNotFoundMessage);
  CloseHandle(file);
  form_.Show();
  for (const std::string& report : reports) form_.ReportProblem(report);
}

std::optional<RequestProblem> QuilanServer::Data(const std::wstring& request) { return form_.SetRequest(request); }

}  // namespace orbelle::windows
