// A test's view of the body-position driver: one engine, its result arrays and the caller's
// Earth variables, with a call that takes only what a test varies.
#pragma once

#include <string>

#include "ephemeris/body_position.h"

namespace orbelle::test {

struct EngineCall {
  ephemeris::Ephemeris engine;
  ephemeris::ResultArrays r;
  float earth_x = 0, earth_y = 0, earth_z = 0, earth_dx = 0, earth_dy = 0;
  float nutation = 0;
  std::string path;

  // Body 0 for `jd`, then `body` with `mode`.
  void At(double jd, ephemeris::Integer body, ephemeris::Integer mode = 0) {
    Call(jd, 0, 0);
    Call(jd, body, mode);
  }
  // One driver call.
  void Call(double jd, ephemeris::Integer body, ephemeris::Integer mode) {
    ephemeris::Integer lunar_option = 0;
    engine.BodyPosition(mode, body, path, earth_x, earth_y, earth_z, earth_dx, earth_dy, jd, lunar_option, nutation,
                        r.GeoLon, r.GeoLat, r.GeoDist, r.GeoSpeed, r.HelioLon, r.HelioLat, r.HelioDist,
                        r.HelioSpeed, r.AscNodeLon, r.DescNodeLon, r.PerihelionLon, r.AphelionLon);
  }
};

}  // namespace orbelle::test
