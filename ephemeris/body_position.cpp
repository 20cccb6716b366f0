#include "ephemeris/body_position.h"

#include <array>
#include <cmath>
#include <string_view>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/kepler_orbit.h"

namespace orbelle::ephemeris {

namespace {

constexpr std::array<std::string_view, 18> kBodyNames = {
    "",        "SUN/EARTH", "MOON",   "MERCURY", "VENUS",   "MARS",   "CERES",   "PALLAS",     "JUNO",
    "VESTA",   "JUPITER",   "SATURN", "CHIRON",  "URANUS",  "NEPTUNE", "PLUTO", "NORTH T.N.", ""};

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

std::string BodyName(Integer body) {
  if (body < 0 || static_cast<std::size_t>(body) >= kBodyNames.size()) return {};
  return std::string(kBodyNames[static_cast<std::size_t>(body)]);
}

struct Ephemeris::Call {
  Integer& Body;
  std::string& EphemPath;
  float &EarthX, &EarthY, &EarthZ, &EarthDX, &EarthDY;
  double& JD;
  Integer& LunarOption;
  float& Nutation;
  ResultSpans r;
  std::size_t slot() const { return static_cast<std::size_t>(Body); }
};

Ephemeris::Ephemeris() = default;

void Ephemeris::BodyPosition(Integer& Mode, Integer& Body, std::string& EphemPath, float& EarthX, float& EarthY,
                             float& EarthZ, float& EarthDX, float& EarthDY, double& JD, Integer& LunarOption,
                             float& Nutation, std::span<float> GeoLon, std::span<float> GeoLat,
                             std::span<float> GeoDist, std::span<float> GeoSpeed, std::span<float> HelioLon,
                             std::span<float> HelioLat, std::span<float> HelioDist, std::span<float> HelioSpeed,
                             std::span<float> AscNodeLon, std::span<float> DescNodeLon,
                             std::span<float> PerihelionLon, std::span<float> AphelionLon) {
  if (Body == -1) return;
  if (Body < -1) throw InvalidArgumentError("BodyPosition: invalid body number " + std::to_string(Body));
  Call c{Body,   EphemPath,   EarthX,  EarthY,   EarthZ,   EarthDX,    EarthDY,    JD,
         LunarOption, Nutation,
         ResultSpans{GeoLon, GeoLat, GeoDist, GeoSpeed, HelioLon, HelioLat, HelioDist, HelioSpeed, AscNodeLon,
                     DescNodeLon, PerihelionLon, AphelionLon}};
  // The lunar theory writes the Moon's slot and both node slots whichever of the three is
  // asked for.
  const bool lunar = Body == kMoon || Body == kNorthNode || Body == kSouthNode;
  const std::size_t needed = lunar ? static_cast<std::size_t>(kSouthNode) + 1 : c.slot() + 1;
  if (Body != kTimeArguments && c.r.Slots() < needed) {
    throw InvalidArgumentError("BodyPosition: body " + std::to_string(Body) +
                               " has no slot in result arrays of " + std::to_string(c.r.Slots()) + " elements");
  }

  full_circle_ = 360.0f;
  half_circle_ = 180.0f;
  pi_ = 3.1415927f;
  deg_to_rad_ = pi_ / half_circle_;
  rad_to_deg_ = 1.0f / deg_to_rad_;
  arcsec_to_rad_ = static_cast<float>(1.0 / (3600.0 * static_cast<double>(rad_to_deg_)));
  mode_ = Mode;

  if (Body >= kFirstMinorBody) {
    mode_ = 0;
    MinorBody(c);
    return;
  }
  if (Body >= 18) {
    mode_ = 0;
    if (Body >= 23) KeplerBody(c);
    return;
  }
  switch (Body) {
    case kTimeArguments:
      TimeArguments(c);
      return;
    case kSun:
    case kMercury:
    case kVenus:
    case kMars: {
      if (Body == kSun) {
        Integer zero = kTimeArguments;
        planets_.PlanetTheory(zero, EarthX, EarthY, EarthZ, EarthDX, EarthDY, t_, t2_, GeoLon, GeoLat, GeoDist,
                              GeoSpeed, HelioLon, HelioLat, HelioDist, HelioSpeed);
      }
      planets_.PlanetTheory(Body, EarthX, EarthY, EarthZ, EarthDX, EarthDY, t_, t2_, GeoLon, GeoLat, GeoDist,
                            GeoSpeed, HelioLon, HelioLat, HelioDist, HelioSpeed);
      if (mode_ == 0) return;
      if (const auto el = MeanElements(Body, t_)) {
        elements_ = *el;
        StoreOrbitPoints(c);
      }
      return;
    }
    case kMoon:
    case kNorthNode:
    case kSouthNode:
      moon_.LunarEphemeris(Body, EarthX, EarthY, EarthZ, EarthDX, EarthDY, JD, LunarOption, Nutation, GeoLon,
                           GeoLat, GeoDist, GeoSpeed, HelioLon, HelioLat, HelioDist, HelioSpeed, AscNodeLon,
                           DescNodeLon, PerihelionLon, AphelionLon);
      return;
    default:
      FileBody(c);
      return;
  }
}

// Time arguments and the nutation in longitude (degrees) from the principal terms of the
// IAU 1980 series in the older form of the Explanatory Supplement (1961): the Moon's node,
// twice the Sun's and the Moon's mean longitudes, the two mean anomalies. Mean arguments are
// polynomials of Brown and Newcomb in days d from 1900 January 0.5 (JD 2415020.0), given in
// revolutions and turned into degrees.
void Ephemeris::TimeArguments(Call& c) {
  days_ = c.JD - 2415020.0;
  t_ = days_ / 36525.0;
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
  c.Nutation = ToSingle(arcsec / 3600.0, "nutation");
}

// Heliocentric ecliptic position and motion of date to the eight results: directions by the
// two-argument arc tangent, motions as the change of direction over one day, the geocentric
// vector by subtracting the Earth's, and the light-time correction of the geocentric
// longitude as the motion during the light travel time (0.0057683 days per AU), with the
// nutation in longitude added to give the longitude of date.
void Ephemeris::ReducePosition(Call& c, const HeliocentricState& h) {
  const std::size_t b = c.slot();
  work_ = h;
  const float helio_lon = Atan2Deg(work_.y, work_.x);
  const float ahead_y = ToSingle(double(work_.y) + work_.vy), ahead_x = ToSingle(double(work_.x) + work_.vx);
  const float helio_speed = WrappedMotion(Atan2Deg(ahead_y, ahead_x), helio_lon);
  const double r = SquareRoot(double(work_.x) * work_.x + double(work_.y) * work_.y + double(work_.z) * work_.z);
  const float helio_lat = ArcSinDeg(ToSingle(Divide(work_.z, r, "heliocentric latitude")));

  work_.x = ToSingle(double(work_.x) - c.EarthX);
  work_.y = ToSingle(double(work_.y) - c.EarthY);
  work_.z = ToSingle(double(work_.z) - c.EarthZ);
  const float lambda = Atan2Deg(work_.y, work_.x);
  const float geo_ahead_y = ToSingle(double(work_.y) + work_.vy - c.EarthDY);
  const float geo_ahead_x = ToSingle(double(work_.x) + work_.vx - c.EarthDX);
  const float geo_speed = WrappedMotion(Atan2Deg(geo_ahead_y, geo_ahead_x), lambda);
  const double R = SquareRoot(double(work_.x) * work_.x + double(work_.y) * work_.y + double(work_.z) * work_.z);
  const float geo_lat = ArcSinDeg(ToSingle(Divide(work_.z, R, "geocentric latitude")));
  // A longitude a hair below a full turn may come back from the reduction as exactly 360:
  // it is stored as 0, so that the result stays within 0 <= x < 360.
  float geo_lon = Norm360(ToSingle(lambda - kLightDaysPerAU * R * geo_speed + c.Nutation, "longitude"));
  if (geo_lon == 360.0f) geo_lon = 0.0f;

  c.r.HelioLon[b] = helio_lon;
  c.r.HelioSpeed[b] = helio_speed;
  c.r.HelioDist[b] = ToSingle(r);
  c.r.HelioLat[b] = helio_lat;
  c.r.GeoSpeed[b] = geo_speed;
  c.r.GeoDist[b] = ToSingle(R);
  c.r.GeoLat[b] = geo_lat;
  c.r.GeoLon[b] = geo_lon;
  if (mode_ != 0) StoreOrbitPoints(c);
}

void Ephemeris::StoreOrbitPoints(Call& c) {
  const OrbitPointDirections p = OrbitPoints(elements_, mode_, c.EarthX, c.EarthY);
  const std::size_t b = c.slot();
  c.r.AscNodeLon[b] = p.ascending_node;
  c.r.DescNodeLon[b] = p.descending_node;
  c.r.PerihelionLon[b] = p.perihelion;
  c.r.AphelionLon[b] = p.aphelion;
}

// Bodies 6..15: mean elements (for the orbit points only) and the position from the body's
// ephemeris file.
void Ephemeris::FileBody(Call& c) {
  if (const auto el = MeanElements(c.Body, t_)) elements_ = *el;
  body_name_ = BodyName(c.Body);
  if (mode_ < 0) {
    StoreOrbitPoints(c);
    return;
  }
  const auto state = files_.EphemerisLookup(c.Body, c.EphemPath, c.JD, body_name_);
  if (!state) {
    WriteDateError(c.Body, c.r);
    return;
  }
  ReducePosition(c, *state);
}

void Ephemeris::KeplerBody(Call& c) {
  const auto el = DistantBodyElements(c.Body, t_, days_);
  if (!el) {
    WriteDateError(c.Body, c.r);
    return;
  }
  elements_ = *el;
  ReducePosition(c, KeplerOrbit(elements_));
}

void Ephemeris::MinorBody(Call& c) {
  const auto state = EndsWithElm(c.EphemPath) ? files_.MinorBodyLookup(c.Body, c.EphemPath, c.JD)
                                              : files_.EphemerisLookup(c.Body, c.EphemPath, c.JD, {});
  if (!state) {
    WriteDateError(c.Body, c.r);
    return;
  }
  ReducePosition(c, *state);
}

}  // namespace orbelle::ephemeris
