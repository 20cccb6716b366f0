#include "ephemeris/lunar_source.h"

#include "ephemeris/engine_error.h"
#include "ephemeris/theories/lunar_theory_internal.h"

namespace orbelle::ephemeris {

LunarSource::LunarSource() : theory_(std::make_unique<LunarTheory>()) {}
LunarSource::~LunarSource() = default;

LunarPosition LunarSource::Position(Body body, const Instant& instant) {
  if (body == Body::Moon) return theory_->Moon(instant.time(), instant.earth());
  if (body == Body::NorthNode || body == Body::SouthNode) return theory_->TrueNodes(instant.time());
  throw InvalidArgumentError("lunar source: not the Moon or a node");
}

}  // namespace orbelle::ephemeris
