// The suite's ephemeris files ("EPHM": heliocentric coordinates at equal steps, chains of
// files per body) and the minor-body files (".ELM": orbital elements or coordinates).
//
// The lookup keeps the per-body cache of eight records and the current extension of the
// chain; a file that cannot be used is reported once through the problem reporter, naming
// the file, and the body gets the DATE ERROR result.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ephemeris/orbital_elements.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

using ProblemReporter = std::function<void(const std::string& message)>;

class EphemerisFiles {
 public:
  void SetProblemReporter(ProblemReporter reporter) { report_ = std::move(reporter); }

  // Heliocentric state of `body` at `jd` from its ephemeris file (bodies 6..15: the file
  // `base_name` and the chain extension in the directory `ephem_path`; bodies from 32: the
  // file `ephem_path`). Empty when no file covers the date (the DATE ERROR result).
  std::optional<HeliocentricState> EphemerisLookup(Integer body, std::string& ephem_path, double jd,
                                                   const std::string& base_name);

  // Heliocentric state of a minor body from its ".ELM" file `ephem_path`. Empty when the file
  // does not cover the date.
  std::optional<HeliocentricState> MinorBodyLookup(Integer body, const std::string& ephem_path, double jd);

 private:
  ProblemReporter report_;
};

}  // namespace orbelle::ephemeris
