#include "host/qt/quilan_server.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace orbelle::host {

void QuilanServer::Class_Initialize() {
  std::vector<std::string> reports;
  try {
    settings::LoadSuiteSettings(settings_, [&](const std::string& m) { reports.push_back(m); });
  } catch (const settings::SuiteNotInstalled& e) {
    throw InstallationError(e.what());
  }
  // The file only proves that the suite is installed in the data directory; nothing is read.
  // It must be a regular file that opens: its type is checked first, so a pipe in its place
  // cannot block the open, and a directory or device does not count.
  const std::string check_file = settings_.DataDirectory + kInstallationCheckFile;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(check_file, ec) || !std::ifstream(check_file, std::ios::binary)) {
    throw InstallationError(kModuleNotFoundMessage);
  }
  Quilan& form = EnsureForm();
  form.Table().EphemerisDirectory = settings_.EphemerisDirectory;
  for (const std::string& report : reports) {
    std::cerr << kApplicationTitle << ": " << report << '\n';
    form.ReportProblem(QString::fromStdString(report));
  }
  form.ShowForm();
}

// Touching the request box of a form that is not loaded loads it, without showing it.
std::optional<QString> QuilanServer::PutData(const QString& request) {
  Quilan& form = EnsureForm();
  if (!form.Loaded()) form.Form_Load();
  return form.SetRequest(request);
}

Quilan& QuilanServer::EnsureForm() {
  if (!form_) form_ = std::make_unique<Quilan>();
  return *form_;
}

}  // namespace orbelle::host
