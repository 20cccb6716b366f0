#include "ephemeris/ephemeris_files.h"

namespace orbelle::ephemeris {

// Not yet served: every file body gets the DATE ERROR result until the file readers land.
std::optional<HeliocentricState> EphemerisFiles::EphemerisLookup(Integer, std::string&, double, const std::string&) {
  return std::nullopt;
}

std::optional<HeliocentricState> EphemerisFiles::MinorBodyLookup(Integer, const std::string&, double) {
  return std::nullopt;
}

}  // namespace orbelle::ephemeris
