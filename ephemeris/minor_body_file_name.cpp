#include "ephemeris/minor_body_file_name.h"

namespace orbelle::ephemeris {

std::string MinorBodyFileName(const std::string& path, double jd) {
  if (jd >= 2415020.499) return path;
  const char* century = jd >= 2341972.5 ? "17" : "15";
  std::string name = path;
  if (const auto mark = path.find("C19"); mark != std::string::npos) name.replace(mark + 1, 2, century);
  if (const auto mark = path.find("19."); mark != std::string::npos) name.replace(mark, 2, century);
  return name;
}

}  // namespace orbelle::ephemeris
