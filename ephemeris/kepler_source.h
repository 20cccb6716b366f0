// The Kepler source: the distant bodies 23..31 on two-body orbits of fixed elements.
#pragma once

#include <optional>

#include "ephemeris/body_numbers.h"
#include "ephemeris/instant.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

class KeplerSource {
 public:
  // A distant body (23..31) reduced with the instant's Earth and nutation; empty for any
  // other body.
  std::optional<ephemeris::Position> Position(Body body, const Instant& instant) const;
};

}  // namespace orbelle::ephemeris
