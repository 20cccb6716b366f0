#include "ephemeris/file_sources.h"

#include "ephemeris/orbit_points.h"
#include "ephemeris/reduction.h"

namespace orbelle::ephemeris {

namespace {

bool EndsWithElm(const std::string& path) { return path.size() >= 4 && path.compare(path.size() - 4, 4, ".ELM") == 0; }

}  // namespace

std::optional<ephemeris::Position> EphemerisFileSource::Position(Body body, const Instant& instant,
                                                                 const std::string& directory, OrbitPointFrame frame) {
  const Integer number = NumberOf(body);
  const auto state = files_.EphemerisLookup(number, directory, instant.jd(), std::string(BodyName(number)));
  if (!state) return std::nullopt;
  ephemeris::Position p = ReduceStateVector(*state, instant);
  p.orbit_points = MeanOrbitPoints(number, instant.time().T, frame, instant.earth());
  return p;
}

std::optional<ephemeris::Position> MinorBodySource::Position(Body body, const Instant& instant,
                                                             const std::string& path) {
  const Integer number = NumberOf(body);
  const auto state = EndsWithElm(path) ? files_.MinorBodyLookup(number, path, instant.jd())
                                       : files_.EphemerisLookup(number, path, instant.jd(), {});
  if (!state) return std::nullopt;
  return ReduceStateVector(*state, instant);
}

}  // namespace orbelle::ephemeris
