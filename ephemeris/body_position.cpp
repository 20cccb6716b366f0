#include "ephemeris/body_position.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/kepler_orbit.h"

namespace orbelle::ephemeris {

namespace {

// A daily motion in longitude as the difference of two directions, wrapped into -180..+180:
// a difference of 180 degrees or more in magnitude has a whole turn taken off with its sign.
float WrappedMotion(float later, float earlier) {
  double motion = static_cast<double>(later) - static_cast<double>(earlier);
  if (std::fabs(motion) >= 180.0) motion -= 360.0 * (motion > 0 ? 1.0 : -1.0);
  return ToSingle(motion, "daily motion");
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
    HeliocentricState& earth = instant.Earth;
    auto theory = [&](Integer b) {
      planets_.PlanetTheory(b, earth.x, earth.y, earth.z, earth.vx, earth.vy, t_, t2_, results.GeoLon,
                            results.GeoLat, results.GeoDist, results.GeoSpeed, results.HelioLon, results.HelioLat,
                            results.HelioDist, results.HelioSpeed);
    };
    if (body == kSun) theory(kTimeArguments);
    theory(body);
    if (c.mode == 0) return request.LunarOption;
    if (const auto el = MeanElements(body, t_)) {
      c.elements = *el;
      StoreOrbitPoints(c);
    }
  } else if (IsLunarBody(body)) {
    HeliocentricState& earth = instant.Earth;
    Integer b = body, option = request.LunarOption;
    moon_.LunarEphemeris(b, earth.x, earth.y, earth.z, earth.vx, earth.vy, instant.JD, option, instant.Nutation,
                         results.GeoLon, results.GeoLat, results.GeoDist, results.GeoSpeed, results.HelioLon,
                         results.HelioLat, results.HelioDist, results.HelioSpeed, results.AscNodeLon,
                         results.DescNodeLon, results.PerihelionLon, results.AphelionLon);
    return option;
  } else {
    FileBody(c);
  }
  return request.LunarOption;
}

// Time arguments and the nutation in longitude (degrees) from the principal terms of the
// IAU 1980 series in the older form of the Explanatory Supplement (1961): the Moon's node,
// twice the Sun's and the Moon's mean longitudes, the two mean anomalies. Mean arguments are
// polynomials of Brown and Newcomb in days d from 1900 January 0.5 (JD 2415020.0), given in
// revolutions and turned into degrees.
void Ephemeris::TimeArguments(Call& c) {
  days_ = c.instant.JD - kJD1900;
  t_ = days_ / kDaysPerJulianCentury;
  t2_ = t_ * t_;
  const double d = days_;
  const float moon_longitude = ToSingle(
      Norm360D(360.0 * (0.7512060108 + 0.036601101463356 * d - 2.3598e-15 * d * d + 1.077e-22 * d * d * d)),
      "Moon mean longitude");
  const float moon_node = ToSingle(
      Norm360D(360.0 * (0.71995354167 - 0.000147094228332 * d + 4.3263e-15 * d * d + 1.266e-22 * d * d * d)),
      "Moon node");
  const float moon_anomaly =
      Norm360(ToSingle(296.1046083 + Norm360D(477198.8489 * t_) + 0.00919166666 * t2_, "Moon mean anomaly"));
  const float sun_longitude =
      ToSingle(Norm360D(360.0 * (0.77693521605 + 0.002737909264963 * d + 6.3044e-16 * d * d)), "Sun mean longitude");
  const float sun_anomaly =
      Norm360(ToSingle(358.4758444 + Norm360D(35999.04975 * t_) - 0.00015 * t2_, "Sun mean anomaly"));

  const float two_node = ToSingle(2.0 * moon_node);
  const float two_sun = ToSingle(2.0 * sun_longitude);
  const float two_moon = ToSingle(2.0 * moon_longitude);
  const double arcsec = -(17.2327 + 0.01737 * t_) * SinDeg(moon_node) - 1.2729 * SinDeg(two_sun) +
                        0.2088 * SinDeg(two_node) - 0.2037 * SinDeg(two_moon) + 0.1261 * SinDeg(sun_anomaly) +
                        0.0675 * SinDeg(moon_anomaly);
  c.instant.Nutation = ToSingle(arcsec / 3600.0, "nutation");
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
  // A longitude a hair below a full turn may come back from the reduction as exactly 360:
  // it is stored as 0, so that the result stays within 0 <= x < 360.
  float geo_lon = Norm360(ToSingle(lambda - kLightDaysPerAU * R * geo_speed + c.instant.Nutation, "longitude"));
  if (geo_lon == 360.0f) geo_lon = 0.0f;

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
