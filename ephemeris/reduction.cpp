#include "ephemeris/reduction.h"

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"

namespace orbelle::ephemeris {

DirectionAndMotion DailyMotion(const HeliocentricState& body, const HeliocentricState& observer, ReductionOrder order) {
  const bool state = order == ReductionOrder::kStateVector;
  const double x = double(body.x) - observer.x, y = double(body.y) - observer.y;
  const float today_x = ToSingle(x), today_y = ToSingle(y);
  const double from_x = state ? today_x : x, from_y = state ? today_y : y;
  const float ahead_x = ToSingle(from_x + body.vx - observer.vx), ahead_y = ToSingle(from_y + body.vy - observer.vy);
  const float today = Atan2Deg(today_y, today_x);
  const double turned = double(Atan2Deg(ahead_y, ahead_x)) - double(today);
  return {today,
          ToSingle(state ? MotionWrappedFromHalfTurn(turned) : MotionWrappedBeyondHalfTurn(turned), "daily motion")};
}

GeocentricDirection ReduceToGeocentric(const HeliocentricState& body, const HeliocentricState& earth,
                                       const DirectionAndMotion& geo_motion, float nutation_deg, ReductionOrder order) {
  const bool state = order == ReductionOrder::kStateVector;
  const float x = ToSingle(double(body.x) - earth.x), y = ToSingle(double(body.y) - earth.y),
              z = ToSingle(double(body.z) - earth.z);
  const float lambda = state ? geo_motion.direction_deg : Atan2Deg(y, x);
  const double R = SquareRoot(double(x) * x + double(y) * y + double(z) * z);
  const double distance = state ? R : double(ToSingle(R));
  GeocentricDirection geo;
  geo.dist_au = ToSingle(R);
  geo.lat_deg = ArcSinDeg(ToSingle(Divide(z, distance, "geocentric latitude")));
  const double apparent = double(lambda) - kLightDaysPerAU * distance * geo_motion.motion_deg_per_day + nutation_deg;
  geo.lon_deg = state ? LongitudeBelowFullTurn(ToSingle(apparent, "longitude"))
                      : LongitudeShiftedOneTurn(apparent, "geocentric longitude");
  return geo;
}

Position WithGeocentric(Position p, const GeocentricDirection& direction, float geo_motion_deg_per_day) {
  p.geo_lon_deg = direction.lon_deg;
  p.geo_lat_deg = direction.lat_deg;
  p.geo_dist_au = direction.dist_au;
  p.geo_motion_deg_per_day = geo_motion_deg_per_day;
  return p;
}

Position ReduceStateVector(const HeliocentricState& body, const Instant& instant) {
  Position p;
  const DirectionAndMotion helio = DailyMotion(body, {}, ReductionOrder::kStateVector);
  p.helio_lon_deg = helio.direction_deg;
  p.helio_motion_deg_per_day = helio.motion_deg_per_day;
  const double r = SquareRoot(double(body.x) * body.x + double(body.y) * body.y + double(body.z) * body.z);
  p.helio_lat_deg = ArcSinDeg(ToSingle(Divide(body.z, r, "heliocentric latitude")));
  p.helio_dist_au = ToSingle(r);
  const DirectionAndMotion geo = DailyMotion(body, instant.earth(), ReductionOrder::kStateVector);
  return WithGeocentric(
      p, ReduceToGeocentric(body, instant.earth(), geo, instant.nutation_deg(), ReductionOrder::kStateVector),
      geo.motion_deg_per_day);
}

}  // namespace orbelle::ephemeris
