// A test's view of the body-position driver: one engine, its result arrays and the caller's
// Earth variables, with a call that takes only what a test varies.
#pragma once

#include <string>

#include "ephemeris/body_position.h"

namespace orbelle::test {

struct EngineCall {
  ephemeris::Ephemeris engine;
  ephemeris::ResultArrays r;
  ephemeris::InstantState instant;
  std::string path;

  // Body 0 for `jd`, then `body` with `mode`.
  void At(double jd, ephemeris::Integer body, ephemeris::Integer mode = 0) {
    Call(jd, 0, 0);
    Call(jd, body, mode);
  }
  // One driver call.
  void Call(double jd, ephemeris::Integer body, ephemeris::Integer mode) {
    instant.JD = jd;
    engine.BodyPosition({.Body = body, .Mode = mode, .EphemPath = path}, instant, r.Spans());
  }
};

}  // namespace orbelle::test
