// The window's status line, the same in every host: why the last request drew no table, or
// else the reports of the last request drawn (the engine's unusable ephemeris files) and those
// of the load, or else, in live mode, that the table shows now.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orbelle::host {

// What the status line shows: `text` on the line (which may elide it), `details` (its tool
// tip) the line's text and every report, one a line.
struct StatusMessage {
  std::string text;
  std::string details;
};

class StatusLine {
 public:
  // A request is being drawn: the engine's reports are gathered anew (ReportDuringRequest).
  void BeginRequest() { request_reports_.clear(); }
  // The engine's report during the request being drawn, kept once.
  void ReportDuringRequest(const std::string& message);
  // The request was drawn: its reports replace those shown. A request that drew no table
  // leaves the earlier table's.
  void RequestDrawn() { reports_ = request_reports_; }
  // A report (of the load, of a file not written) shown until the next request is drawn.
  void Report(const std::string& message);
  const std::vector<std::string>& Reports() const { return reports_; }

  // The line: `request_problem` when there is one, else the first report with "(and N more)"
  // for the others, else in live mode the note that the table shows now at `utc`.
  StatusMessage Text(const std::optional<std::string>& request_problem, bool live, std::chrono::sys_seconds utc) const;

 private:
  std::vector<std::string> reports_, request_reports_;
};

}  // namespace orbelle::host
