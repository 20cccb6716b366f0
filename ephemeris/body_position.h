// The body-position driver: the single entry point of the ephemeris engine.
//
// One Ephemeris object holds what a process keeps between calls: the driver's time
// arguments and working values, the working records of the solar, planetary and lunar
// theories, and the ephemeris-record cache. Two objects are fully independent.
//
// Calling order for one instant: body 0 (time arguments and nutation), then body 1 (the Sun,
// which leaves the Earth's vector in the instant state), then any other bodies. A body asked
// for without a body-0 call for its JD is computed with the previous instant's time arguments.
#pragma once

#include <span>
#include <string>

#include "ephemeris/body_numbers.h"
#include "ephemeris/ephemeris_files.h"
#include "ephemeris/instant_state.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/result_arrays.h"
#include "ephemeris/theories/lunar_theory.h"
#include "ephemeris/theories/planet_theory.h"

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

  // Time arguments of the last body-0 call: days and Julian centuries from JD 2415020.0.
  double Days() const { return days_; }
  double T() const { return t_; }
  double T2() const { return t2_; }

 private:
  struct Call;  // the request, the instant and the result arrays of the current call

  void TimeArguments(Call& c);
  void ReducePosition(Call& c, const HeliocentricState& h);
  void StoreOrbitPoints(Call& c);
  void FileBody(Call& c);
  void KeplerBody(Call& c);
  void MinorBody(Call& c);

  double days_ = 0, t_ = 0, t2_ = 0;  // kept from the last body-0 call

  SolarPlanetaryTheory planets_;
  LunarTheory moon_;
  EphemerisFiles files_;
};

}  // namespace orbelle::ephemeris
