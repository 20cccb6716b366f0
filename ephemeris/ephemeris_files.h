// The suite's ephemeris files ("EPHM": heliocentric coordinates at equal steps, chains of
// files per body) and the minor-body files (".ELM": orbital elements or coordinates).
//
// The lookup keeps, per body, the cache of eight records and the current extension of the
// chain; a file that cannot be used (missing, unreadable, not an ephemeris file, or with a
// header or data that cannot be right) is reported once through the problem reporter as
// "INVALID EPHEMERIS:  " followed by its full path, and the body gets the DATE ERROR result.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "ephemeris/ephemeris_chain.h"
#include "ephemeris/file_contents_cache.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/record_window.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

using ProblemReporter = std::function<void(const std::string& message)>;

inline constexpr const char* kInvalidEphemeris = "INVALID EPHEMERIS:  ";

class EphemerisFiles {
 public:
  void SetProblemReporter(ProblemReporter reporter) { report_ = std::move(reporter); }

  // Heliocentric state of `body` at `jd` from its ephemeris file (bodies 6..15: the file
  // `base_name` and the chain extension in the directory `ephem_path`; bodies from 32: the
  // file `ephem_path`, with or without the "EPHM" header). Empty when no file covers the date
  // (the DATE ERROR result). Only bodies 0..86 have a slot in the record cache; any other
  // raises InvalidArgumentError.
  std::optional<HeliocentricState> EphemerisLookup(Integer body, const std::string& ephem_path, double jd,
                                                   const std::string& base_name);

  // Heliocentric state of a minor body from its ".ELM" file `ephem_path` (or its sibling for
  // the earlier centuries). Empty when the file does not cover the date. A coordinate file
  // fills the body's slot of the record cache: bodies 32..86 only, any other raises
  // InvalidArgumentError.
  std::optional<HeliocentricState> MinorBodyLookup(Integer body, const std::string& ephem_path, double jd);

  // The chain extension the last lookup of `body` ended on ("" at start).
  std::string CurrentExtension(Integer body) const {
    return ChainExtension(extension_.at(static_cast<std::size_t>(body)));
  }

 private:
  RecordWindow& Slot(Integer body, Integer lowest);
  void Report(const std::string& path) const;

  ProblemReporter report_;
  std::array<RecordWindow, kBodySlots> cache_{};
  FileContentsCache contents_;
  // Chain position of each body's current extension: one body's lookups never move another's.
  std::array<int, kBodySlots> extension_ = ChainCentres();

  static std::array<int, kBodySlots> ChainCentres() {
    std::array<int, kBodySlots> centres;
    centres.fill(kChainCentre);
    return centres;
  }
};

}  // namespace orbelle::ephemeris
