#include "tools/reference/swetest.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orbelle::reference {

namespace {

std::string RunCapture(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run: " + command);
  std::string out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  const int status = pclose(pipe);
  if (status != 0) throw std::runtime_error("swetest failed (status " + std::to_string(status) + "): " + command);
  return out;
}

}  // namespace

bool SwetestAvailable() {
  return std::system("command -v swetest >/dev/null 2>&1") == 0 &&
         std::ifstream(std::string(kSwissEphemerisDir) + "/sepl_18.se1").good();
}

std::vector<std::vector<double>> Swetest(const std::string& flags, const std::vector<double>& jds) {
  char input_name[] = "/tmp/orbelle-swetest-XXXXXX";
  const int fd = mkstemp(input_name);
  if (fd < 0) throw std::runtime_error("cannot create a temporary file for swetest");
  {
    std::ostringstream lines;
    lines.precision(17);
    for (double jd : jds) lines << 'j' << jd << '\n';
    const std::string text = lines.str();
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
      close(fd);
      unlink(input_name);
      throw std::runtime_error("cannot write the swetest input");
    }
    close(fd);
  }
  std::string output;
  try {
    output = RunCapture("swetest " + flags + " -head -edir" + kSwissEphemerisDir + " < " + input_name + " 2>&1");
  } catch (...) {
    unlink(input_name);
    throw;
  }
  unlink(input_name);

  std::vector<std::vector<double>> rows;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("not found") != std::string::npos || line.find("Moshier") != std::string::npos ||
        line.find("error") != std::string::npos) {
      throw std::runtime_error("swetest: " + line);
    }
    const std::string prefix = "Date ?";
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    std::istringstream fields(line.substr(prefix.size()));
    std::vector<double> row;
    double v;
    while (fields >> v) row.push_back(v);
    if (!row.empty()) rows.push_back(std::move(row));
  }
  if (rows.size() != jds.size()) {
    throw std::runtime_error("swetest answered " + std::to_string(rows.size()) + " rows for " +
                             std::to_string(jds.size()) + " instants (flags " + flags + ")");
  }
  return rows;
}

}  // namespace orbelle::reference
