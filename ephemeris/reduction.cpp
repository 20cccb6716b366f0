#include "ephemeris/reduction.h"

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"

namespace orbelle::ephemeris {

namespace {

// A daily motion in longitude as the difference of two directions, wrapped into -180..+180.
float WrappedMotion(float later, float earlier) {
  return ToSingle(MotionWrappedFromHalfTurn(static_cast<double>(later) - static_cast<double>(earlier)), "daily motion");
}

}  // namespace

Position ReduceToGeocentric(const HeliocentricState& body, const Instant& instant) {
  HeliocentricState work = body;  // heliocentric, then geocentric
  const HeliocentricState& earth = instant.earth();
  Position p;
  p.helio_lon_deg = Atan2Deg(work.y, work.x);
  const float ahead_y = ToSingle(double(work.y) + work.vy), ahead_x = ToSingle(double(work.x) + work.vx);
  p.helio_motion_deg_per_day = WrappedMotion(Atan2Deg(ahead_y, ahead_x), p.helio_lon_deg);
  const double r = SquareRoot(double(work.x) * work.x + double(work.y) * work.y + double(work.z) * work.z);
  p.helio_lat_deg = ArcSinDeg(ToSingle(Divide(work.z, r, "heliocentric latitude")));
  p.helio_dist_au = ToSingle(r);

  work.x = ToSingle(double(work.x) - earth.x);
  work.y = ToSingle(double(work.y) - earth.y);
  work.z = ToSingle(double(work.z) - earth.z);
  const float lambda = Atan2Deg(work.y, work.x);
  const float geo_ahead_y = ToSingle(double(work.y) + work.vy - earth.vy);
  const float geo_ahead_x = ToSingle(double(work.x) + work.vx - earth.vx);
  p.geo_motion_deg_per_day = WrappedMotion(Atan2Deg(geo_ahead_y, geo_ahead_x), lambda);
  const double R = SquareRoot(double(work.x) * work.x + double(work.y) * work.y + double(work.z) * work.z);
  p.geo_lat_deg = ArcSinDeg(ToSingle(Divide(work.z, R, "geocentric latitude")));
  p.geo_dist_au = ToSingle(R);
  p.geo_lon_deg = LongitudeBelowFullTurn(
      ToSingle(lambda - kLightDaysPerAU * R * p.geo_motion_deg_per_day + instant.nutation_deg(), "longitude"));
  return p;
}

}  // namespace orbelle::ephemeris
