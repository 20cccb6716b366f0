#include "ephemeris/body_position.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/distant_bodies.h"
#include "ephemeris/kepler_orbit.h"
#include "ephemeris/mean_elements.h"
#include "ephemeris/orbit_points.h"
#include "ephemeris/nutation.h"

namespace orbelle::ephemeris {

namespace {

// A daily motion in longitude as the difference of two directions, wrapped into -180..+180.
float WrappedMotion(float later, float earlier) {
  return ToSingle(MotionWrappedFromHalfTurn(static_cast<double>(later) - static_cast<double>(earlier)), "daily motion");
}

bool EndsWithElm(const std::string& path) {
  return path.size() >= 4 && path.compare(path.size() - 4, 4, ".ELM") == 0;
}

}  // namespace

struct Ephemeris::Call {
  const BodyRequest& request;
  InstantState& instant;
  const ResultSpans& r;
  Integer mode;             // the request's Mode; 0 for bodies from 18 on
  OrbitalElements elements;  // of the body, for its orbit points
  std::size_t slot() const { return static_cast<std::size_t>(request.Body); }
};

Ephemeris::Ephemeris() = default;

Integer Ephemeris::BodyPosition(const BodyRequest& request, InstantState& instant, const ResultSpans& results) {
  const Integer body = request.Body;
  if (body == -1) return request.LunarOption;
  if (body < -1) throw InvalidArgumentError("BodyPosition: invalid body number " + std::to_string(body));
  Call c{request, instant, results, request.Mode, {}};
  const std::size_t needed = IsLunarBody(body) ? static_cast<std::size_t>(kSouthNode) + 1 : c.slot() + 1;
  if (body != kTimeArguments && results.Slots() < needed) {
    throw InvalidArgumentError("BodyPosition: body " + std::to_string(body) +
                               " has no slot in result arrays of " + std::to_string(results.Slots()) + " elements");
  }

  if (body > kSouthNode) {
    c.mode = 0;
    if (IsMinorBody(body)) MinorBody(c);
    if (IsDistantBody(body)) KeplerBody(c);
    return request.LunarOption;
  }
  if (body == kTimeArguments) {
    TimeArguments(c);
  } else if (IsPlanetTheoryBody(body)) {
    // The Sun works out the theory's own fundamental arguments first.
    if (body == kSun) planets_.PlanetTheory(kTimeArguments, t_, t2_, instant.Earth, results);
    planets_.PlanetTheory(body, t_, t2_, instant.Earth, results);
    if (c.mode == 0) return request.LunarOption;
    if (const auto el = MeanElements(body, t_)) {
      c.elements = *el;
      StoreOrbitPoints(c);
    }
  } else if (IsLunarBody(body)) {
    return moon_.LunarEphemeris(body, request.LunarOption, instant, results);
  } else {
    FileBody(c);
  }
  return request.LunarOption;
}

// Time arguments and the nutation in longitude of the instant (degrees), for the bodies the
// driver reduces itself.
void Ephemeris::TimeArguments(Call& c) {
  const ephemeris::TimeArguments t = TimeArgumentsAt(c.instant.JD);
  days_ = t.days;
  t_ = t.T;
  t2_ = t.T2;
  c.instant.Nutation = NutationSixTerms(DriverArguments(t), t.T);
}

// Heliocentric ecliptic position and motion of date to the eight results: directions by the
// two-argument arc tangent, motions as the change of direction over one day, the geocentric
// vector by subtracting the Earth's, and the light-time correction of the geocentric
// longitude as the motion during the light travel time (0.0057683 days per AU), with the
// nutation in longitude added to give the longitude of date.
void Ephemeris::ReducePosition(Call& c, const HeliocentricState& h) {
  const std::size_t b = c.slot();
  HeliocentricState work = h;  // heliocentric, then geocentric
  const HeliocentricState& earth = c.instant.Earth;
  const float helio_lon = Atan2Deg(work.y, work.x);
  const float ahead_y = ToSingle(double(work.y) + work.vy), ahead_x = ToSingle(double(work.x) + work.vx);
  const float helio_speed = WrappedMotion(Atan2Deg(ahead_y, ahead_x), helio_lon);
  const double r = SquareRoot(double(work.x) * work.x + double(work.y) * work.y + double(work.z) * work.z);
  const float helio_lat = ArcSinDeg(ToSingle(Divide(work.z, r, "heliocentric latitude")));

  work.x = ToSingle(double(work.x) - earth.x);
  work.y = ToSingle(double(work.y) - earth.y);
  work.z = ToSingle(double(work.z) - earth.z);
  const float lambda = Atan2Deg(work.y, work.x);
  const float geo_ahead_y = ToSingle(double(work.y) + work.vy - earth.vy);
  const float geo_ahead_x = ToSingle(double(work.x) + work.vx - earth.vx);
  const float geo_speed = WrappedMotion(Atan2Deg(geo_ahead_y, geo_ahead_x), lambda);
  const double R = SquareRoot(double(work.x) * work.x + double(work.y) * work.y + double(work.z) * work.z);
  const float geo_lat = ArcSinDeg(ToSingle(Divide(work.z, R, "geocentric latitude")));
  const float geo_lon =
      LongitudeBelowFullTurn(ToSingle(lambda - kLightDaysPerAU * R * geo_speed + c.instant.Nutation, "longitude"));

  c.r.HelioLon[b] = helio_lon;
  c.r.HelioSpeed[b] = helio_speed;
  c.r.HelioDist[b] = ToSingle(r);
  c.r.HelioLat[b] = helio_lat;
  c.r.GeoSpeed[b] = geo_speed;
  c.r.GeoDist[b] = ToSingle(R);
  c.r.GeoLat[b] = geo_lat;
  c.r.GeoLon[b] = geo_lon;
  if (c.mode != 0) StoreOrbitPoints(c);
}

void Ephemeris::StoreOrbitPoints(Call& c) {
  const OrbitPointDirections p = OrbitPoints(c.elements, c.mode, c.instant.Earth.x, c.instant.Earth.y);
  const std::size_t b = c.slot();
  c.r.AscNodeLon[b] = p.ascending_node;
  c.r.DescNodeLon[b] = p.descending_node;
  c.r.PerihelionLon[b] = p.perihelion;
  c.r.AphelionLon[b] = p.aphelion;
}

// Bodies 6..15: mean elements (for the orbit points only) and the position from the body's
// ephemeris file.
void Ephemeris::FileBody(Call& c) {
  if (const auto el = MeanElements(c.request.Body, t_)) c.elements = *el;
  if (c.mode < 0) {
    StoreOrbitPoints(c);
    return;
  }
  const auto state = files_.EphemerisLookup(c.request.Body, c.request.EphemPath, c.instant.JD,
                                             std::string(BodyName(c.request.Body)));
  if (!state) {
    WriteDateError(c.request.Body, c.r);
    return;
  }
  ReducePosition(c, *state);
}

void Ephemeris::KeplerBody(Call& c) {
  const auto el = DistantBodyElements(c.request.Body, t_, days_);
  if (!el) {
    WriteDateError(c.request.Body, c.r);
    return;
  }
  c.elements = *el;
  ReducePosition(c, KeplerOrbit(c.elements));
}

void Ephemeris::MinorBody(Call& c) {
  const auto state = EndsWithElm(c.request.EphemPath)
                         ? files_.MinorBodyLookup(c.request.Body, c.request.EphemPath, c.instant.JD)
                         : files_.EphemerisLookup(c.request.Body, c.request.EphemPath, c.instant.JD, {});
  if (!state) {
    WriteDateError(c.request.Body, c.r);
    return;
  }
  ReducePosition(c, *state);
}

}  // namespace orbelle::ephemeris
