// The sources that read the suite's files: the ephemeris files of bodies 6..15 and the
// minor-body files of bodies from 32. Both read through one EphemerisFiles, whose record
// cache and problem reporter they share.
#pragma once

#include <optional>
#include <string>

#include "ephemeris/body_numbers.h"
#include "ephemeris/ephemeris_files.h"
#include "ephemeris/instant.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

class EphemerisFileSource {
 public:
  explicit EphemerisFileSource(EphemerisFiles& files) : files_(files) {}

  // Body 6..15 from its file (named after the body) in `directory` (ending in the
  // separator), reduced with the instant's Earth and nutation, with the orbit points of its
  // mean elements in `frame`. Empty when no file covers the instant (the DATE ERROR result).
  std::optional<ephemeris::Position> Position(Body body, const Instant& instant, const std::string& directory,
                                              OrbitPointFrame frame = OrbitPointFrame::None);

 private:
  EphemerisFiles& files_;
};

class MinorBodySource {
 public:
  explicit MinorBodySource(EphemerisFiles& files) : files_(files) {}

  // Body 32..86 from the file `path`: a ".ELM" minor-body file, otherwise an ephemeris file.
  // Empty when the file does not cover the instant.
  std::optional<ephemeris::Position> Position(Body body, const Instant& instant, const std::string& path);

 private:
  EphemerisFiles& files_;
};

}  // namespace orbelle::ephemeris
