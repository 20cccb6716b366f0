// The body-position driver: the engine's entry point for the suite's hosts, which ask for
// one body at a time and keep the results in twelve arrays indexed by body number. It is
// built on the sources (PlanetarySource, LunarSource, EphemerisFileSource, KeplerSource,
// MinorBodySource) and the Instant; a new caller uses those directly.
//
// Calling order for one instant: body 0 (time arguments and nutation), then body 1 (the Sun,
// which leaves the Earth's vector in the caller's InstantState), then any other bodies. A
// body asked for without a body-0 call for its JD is computed with the previous instant's
// time arguments; the Moon and the nodes hand their own nutation on to the later bodies.
#pragma once

#include <optional>
#include <string>

#include "ephemeris/body_numbers.h"
#include "ephemeris/ephemeris_files.h"
#include "ephemeris/file_sources.h"
#include "ephemeris/instant.h"
#include "ephemeris/instant_state.h"
#include "ephemeris/kepler_source.h"
#include "ephemeris/lunar_source.h"
#include "ephemeris/planetary_source.h"
#include "ephemeris/result_arrays.h"

namespace orbelle::ephemeris {

// The DATE ERROR longitude.
inline constexpr float kDateError = -1.0f;

// One body asked for. Mode 0: positions only; otherwise also the orbit points (heliocentric
// when |Mode| is 2), and a negative Mode makes a file body skip its file. LunarOption chooses
// the mean nodes a Moon request writes (0 south only, 1 both, 2 neither, 3 north only).
// EphemPath is the directory of the ephemeris files (bodies 6..15, ending in the separator)
// or the full path of the body's file (bodies from 32).
struct BodyRequest {
  Integer Body = 0;
  Integer Mode = 0;
  Integer LunarOption = 0;
  std::string EphemPath;
};

// The mean nodes a Moon request writes, the request's LunarOption (any other value: neither).
enum class MeanNodes : Integer { South = 0, Both = 1, Neither = 2, North = 3 };

// The orbit-point frame a request's Mode asks for.
constexpr OrbitPointFrame FrameOfMode(Integer mode) {
  if (mode == 0) return OrbitPointFrame::None;
  return mode == 2 || mode == -2 ? OrbitPointFrame::Heliocentric : OrbitPointFrame::Geocentric;
}

class Ephemeris {
 public:
  Ephemeris();

  // Fills the slot of `request.Body` in the result arrays (see the file comment and
  // InstantState for what the call leaves for later calls). Body -1 changes nothing; a body
  // number below -1 or without a slot in every array raises InvalidArgumentError before
  // anything is written. Returns the LunarOption handed back: 2 after a node request (so that
  // a Moon request made with it writes no mean node), otherwise the request's own.
  Integer BodyPosition(const BodyRequest& request, InstantState& instant, const ResultSpans& results);

  // Where unusable ephemeris files are reported (once per failure, naming the file).
  void SetProblemReporter(ProblemReporter reporter) { files_.SetProblemReporter(std::move(reporter)); }

 private:
  // The Instant of `jd`, made once and kept while the calls stay at that day.
  const Instant& InstantAt(double jd);
  // The Instant of `jd` with the caller's Earth and the nutation `nutation_deg`: the instant
  // itself when they are its own (the usual calling order), else a copy with them, kept while
  // they stay the same.
  const Instant& InstantAt(double jd, const HeliocentricState& earth, float nutation_deg);
  Integer LunarBodies(const BodyRequest& request, InstantState& state, const ResultSpans& r);

  double time_jd_ = 2415020.0;  // the JD of the last body-0 call: the time arguments of later calls
  std::optional<Instant> instant_;
  std::optional<Instant> moved_instant_;  // instant_ with a caller's other Earth or nutation

  EphemerisFiles files_;
  PlanetarySource planets_;
  LunarSource moon_;
  EphemerisFileSource file_bodies_{files_};
  KeplerSource distant_bodies_;
  MinorBodySource minor_bodies_{files_};
};

}  // namespace orbelle::ephemeris
