#include "host/core/status_line.h"

#include <algorithm>

#include "host/core/terrestrial_time.h"

namespace orbelle::host {
namespace {

void AddOnce(std::vector<std::string>& reports, const std::string& message) {
  if (std::find(reports.begin(), reports.end(), message) == reports.end()) reports.push_back(message);
}

}  // namespace

void StatusLine::ReportDuringRequest(const std::string& message) { AddOnce(request_reports_, message); }

void StatusLine::Report(const std::string& message) { AddOnce(reports_, message); }

StatusMessage StatusLine::Text(const std::optional<std::string>& request_problem, bool live,
                               std::chrono::sys_seconds utc) const {
  StatusMessage out;
  if (request_problem) {
    out.text = *request_problem;
  } else if (!reports_.empty()) {
    out.text = reports_.front();
    if (reports_.size() > 1) out.text += " (and " + std::to_string(reports_.size() - 1) + " more)";
  } else if (live) {
    out.text = NowInTerrestrialTimeNote(utc);
  }
  std::vector<std::string> lines;
  if (!out.text.empty() && (reports_.empty() || out.text != reports_.front())) lines.push_back(out.text);
  lines.insert(lines.end(), reports_.begin(), reports_.end());
  if (live) lines.push_back("The table follows the clock once a minute.");
  for (const std::string& line : lines) out.details += (out.details.empty() ? "" : "\n") + line;
  return out;
}

}  // namespace orbelle::host
