#include "ephemeris/reduction.h"

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"

namespace orbelle::ephemeris {

DirectionAndMotion MotionBetween(const PlaneVectorAu& today, const PlaneVectorAu& ahead, ReductionOrder order) {
  const float today_x = ToSingle(today.x), today_y = ToSingle(today.y);
  const float ahead_x = ToSingle(ahead.x), ahead_y = ToSingle(ahead.y);
  const float direction = order == ReductionOrder::kBrownMoon ? LongitudeBelowFullTurn(Atan2Deg(today_y, today_x))
                                                              : Atan2Deg(today_y, today_x);
  const double turned = double(Atan2Deg(ahead_y, ahead_x)) - double(direction);
  double folded = 0;
  switch (order) {
    case ReductionOrder::kStateVector: folded = MotionWrappedFromHalfTurn(turned); break;
    case ReductionOrder::kNewcombPlanet: folded = MotionWrappedBeyondHalfTurn(turned); break;
    case ReductionOrder::kBrownMoon: folded = MotionWrappedBeyondHalfTurn(ToSingle(turned)); break;
  }
  return {direction, ToSingle(folded, "daily motion")};
}

DirectionAndMotion DailyMotion(const HeliocentricState& body, const HeliocentricState& observer, ReductionOrder order) {
  const double x = double(body.x) - observer.x, y = double(body.y) - observer.y;
  const bool state = order == ReductionOrder::kStateVector;
  const double from_x = state ? double(ToSingle(x)) : x, from_y = state ? double(ToSingle(y)) : y;
  return MotionBetween({x, y}, {from_x + body.vx - observer.vx, from_y + body.vy - observer.vy}, order);
}

ApparentDirection SeenFrom(const HeliocentricState& body, const HeliocentricState& observer,
                           const DirectionAndMotion& seen, float nutation_deg, ReductionOrder order) {
  const bool state = order == ReductionOrder::kStateVector, moon = order == ReductionOrder::kBrownMoon;
  const float x = ToSingle(double(body.x) - observer.x), y = ToSingle(double(body.y) - observer.y),
              z = ToSingle(double(body.z) - observer.z);
  const float lambda = state || moon ? seen.direction_deg : Atan2Deg(y, x);
  const double R = SquareRoot(double(x) * x + double(y) * y + double(z) * z);
  const double distance = state ? R : double(ToSingle(R));
  ApparentDirection apparent;
  apparent.dist_au = ToSingle(R);
  apparent.lat_deg = ArcSinDeg(ToSingle(Divide(z, distance, "latitude")));
  if (moon) {
    apparent.lon_deg = lambda;
    return apparent;
  }
  const double lon = double(lambda) - kLightDaysPerAU * distance * seen.motion_deg_per_day + nutation_deg;
  apparent.lon_deg =
      state ? LongitudeBelowFullTurn(ToSingle(lon, "longitude")) : LongitudeShiftedOneTurn(lon, "geocentric longitude");
  return apparent;
}

Position WithGeocentric(Position p, const ApparentDirection& direction, float geo_motion_deg_per_day) {
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
  return WithGeocentric(p, SeenFrom(body, instant.earth(), geo, instant.nutation_deg(), ReductionOrder::kStateVector),
                        geo.motion_deg_per_day);
}

}  // namespace orbelle::ephemeris
