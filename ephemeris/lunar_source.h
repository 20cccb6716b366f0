// The lunar source: the Moon, its nodes and the nutation it uses, by Brown's lunar theory.
#pragma once

#include <memory>

#include "ephemeris/body_numbers.h"
#include "ephemeris/instant.h"
#include "ephemeris/position.h"

namespace orbelle::ephemeris {

class LunarTheory;

// What the lunar theory gives for one request.
struct LunarPosition {
  // The Moon (with its orbit points: mean node and perigee); empty for a node request.
  ephemeris::Position body;
  // The Moon: the mean nodes; a node request: the true nodes. Degrees, without nutation.
  float north_node_deg = 0, south_node_deg = 0;
  // The theory's own six-term nutation in longitude, included in the Moon's longitude, degrees.
  float nutation_deg = 0;
};

class LunarSource {
 public:
  LunarSource();
  ~LunarSource();

  // Body::Moon: the Moon and the mean nodes, its heliocentric position from the instant's
  // Earth. Body::NorthNode or Body::SouthNode: the true nodes. The theory's time arguments
  // are the instant's; its nutation is its own (not the instant's). Any other body raises
  // InvalidArgumentError.
  LunarPosition Position(Body body, const Instant& instant);

 private:
  std::unique_ptr<LunarTheory> theory_;  // working record and argument rotations
};

}  // namespace orbelle::ephemeris
