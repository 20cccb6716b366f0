#include "ephemeris/body_position.h"

#include <bit>
#include <cstdint>

#include "ephemeris/engine_error.h"
#include "ephemeris/orbit_points.h"

namespace orbelle::ephemeris {

namespace {

void StoreOrbitPoints(const OrbitPointDirections& p, std::size_t b, const ResultSpans& r) {
  r.AscNodeLon[b] = p.ascending_node_deg;
  r.DescNodeLon[b] = p.descending_node_deg;
  r.PerihelionLon[b] = p.perihelion_deg;
  r.AphelionLon[b] = p.aphelion_deg;
}

void Store(const Position& p, std::size_t b, const ResultSpans& r) {
  r.GeoLon[b] = p.geo_lon_deg;
  r.GeoLat[b] = p.geo_lat_deg;
  r.GeoDist[b] = p.geo_dist_au;
  r.GeoSpeed[b] = p.geo_motion_deg_per_day;
  r.HelioLon[b] = p.helio_lon_deg;
  r.HelioLat[b] = p.helio_lat_deg;
  r.HelioDist[b] = p.helio_dist_au;
  r.HelioSpeed[b] = p.helio_motion_deg_per_day;
  if (p.orbit_points) StoreOrbitPoints(*p.orbit_points, b, r);
}

bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

bool SameBits(const HeliocentricState& a, const HeliocentricState& b) {
  return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z) && SameBits(a.vx, b.vx) && SameBits(a.vy, b.vy);
}

void StoreOrDateError(const std::optional<Position>& p, Integer body, const ResultSpans& r) {
  if (p) {
    Store(*p, static_cast<std::size_t>(body), r);
  } else {
    WriteDateError(body, r);
  }
}

}  // namespace

Ephemeris::Ephemeris() = default;

const Instant& Ephemeris::InstantAt(double jd) {
  if (!instant_ || instant_->jd() != jd) {
    instant_.reset();
    instant_.emplace(jd);
  }
  return *instant_;
}

const Instant& Ephemeris::InstantAt(double jd, const HeliocentricState& earth, float nutation_deg) {
  const Instant& own = InstantAt(jd);
  if (SameBits(own.earth(), earth) && SameBits(own.nutation_deg(), nutation_deg)) return own;
  const Instant& moved = moved_instant_ ? *moved_instant_ : own;
  if (!moved_instant_ || moved.jd() != jd || !SameBits(moved.earth(), earth) ||
      !SameBits(moved.nutation_deg(), nutation_deg)) {
    moved_instant_ = own.WithEarth(earth).WithNutation(nutation_deg);
  }
  return *moved_instant_;
}

Integer Ephemeris::BodyPosition(const BodyRequest& request, InstantState& state, const ResultSpans& results) {
  const Integer body = request.Body;
  if (body == -1) return request.LunarOption;
  if (body < -1) throw InvalidArgumentError("BodyPosition: invalid body number " + std::to_string(body));
  const std::size_t needed =
      IsLunarBody(body) ? static_cast<std::size_t>(kSouthNode) + 1 : static_cast<std::size_t>(body) + 1;
  if (body != kTimeArguments && results.Slots() < needed) {
    throw InvalidArgumentError("BodyPosition: body " + std::to_string(body) + " has no slot in result arrays of " +
                               std::to_string(results.Slots()) + " elements");
  }
  const auto b = static_cast<Body>(body);
  const auto slot = static_cast<std::size_t>(body);

  if (body == kTimeArguments) {
    // The time arguments are kept for the later calls; the nutation goes to the caller's state.
    time_jd_ = state.JD;
    state.Nutation = InstantAt(time_jd_).nutation_deg();
  } else if (IsLunarBody(body)) {
    return LunarBodies(request, state, results);
  } else if (IsPlanetTheoryBody(body)) {
    const OrbitPointFrame frame = FrameOfMode(request.Mode);
    if (b == Body::Sun) {
      const Instant& now = InstantAt(time_jd_);
      state.Earth = now.earth();
      Store(planets_.Position(b, now, frame), slot, results);
    } else {
      const Instant& now = InstantAt(time_jd_, state.Earth, InstantAt(time_jd_).nutation_deg());
      Store(planets_.Position(b, now, frame), slot, results);
    }
  } else if (HasEphemerisFile(body)) {
    const Instant& now = InstantAt(time_jd_, state.Earth, state.Nutation);
    const OrbitPointFrame frame = FrameOfMode(request.Mode);
    if (request.Mode < 0) {
      // The orbit points alone, without reading the file.
      if (const auto points = MeanOrbitPoints(body, now.time().T, frame, now.earth())) {
        StoreOrbitPoints(*points, slot, results);
      }
    } else {
      StoreOrDateError(file_bodies_.Position(b, now, request.EphemPath, frame), body, results);
    }
  } else if (IsDistantBody(body)) {
    const Instant& now = InstantAt(time_jd_, state.Earth, state.Nutation);
    StoreOrDateError(distant_bodies_.Position(b, now), body, results);
  } else if (IsMinorBody(body)) {
    const Instant& now = InstantAt(time_jd_, state.Earth, state.Nutation);
    StoreOrDateError(minor_bodies_.Position(b, now, request.EphemPath), body, results);
  }
  return request.LunarOption;
}

// The Moon (slot 2, with the mean nodes in 16 and 17 as LunarOption asks: 0 south only, 1
// both, 2 neither, 3 north only) or the true nodes (16 and 17 whichever is asked for); both
// hand the lunar theory's nutation on to the caller's state.
Integer Ephemeris::LunarBodies(const BodyRequest& request, InstantState& state, const ResultSpans& r) {
  const Instant& now = InstantAt(state.JD, state.Earth, InstantAt(state.JD).nutation_deg());
  const LunarPosition p = moon_.Position(static_cast<Body>(request.Body), now);
  state.Nutation = p.nutation_deg;
  if (request.Body != kMoon) {
    r.GeoLon[kNorthNode] = p.north_node_deg;
    r.GeoLon[kSouthNode] = p.south_node_deg;
    for (const Integer node : {kNorthNode, kSouthNode}) {
      r.GeoLat[node] = 0.0f;
      r.HelioLat[node] = 0.0f;
      r.GeoDist[node] = 0.0025f;
      r.HelioDist[node] = 1.0f;
    }
    return static_cast<Integer>(MeanNodes::Neither);
  }
  Store(p.body, kMoon, r);
  const auto nodes = static_cast<MeanNodes>(request.LunarOption);
  if (nodes == MeanNodes::Both || nodes == MeanNodes::North) r.GeoLon[kNorthNode] = p.north_node_deg;
  if (nodes == MeanNodes::Both || nodes == MeanNodes::South) r.GeoLon[kSouthNode] = p.south_node_deg;
  r.GeoLat[kNorthNode] = 0.0f;
  r.GeoLat[kSouthNode] = 0.0f;
  return request.LunarOption;
}

}  // namespace orbelle::ephemeris
