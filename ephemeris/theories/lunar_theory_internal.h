// Brown's lunar theory in its classical truncated form, its working record and steps: the
// Moon's apparent geocentric position, distance and motion, its heliocentric position, and
// the mean and true nodes. Internal to the engine (its sources, tests and fitting tools);
// callers use LunarSource.
//
// Source: E. W. Brown, Tables of the Motion of the Moon (Yale University Press, 1919): the
// mean arguments, the principal terms of longitude, latitude and parallax, and the additive
// terms of the mean longitude, perigee, node and the Sun's mean anomaly (among them the great
// Venus term and the terms in the node from the figure of the Earth).
//
// Time is counted in days d and Julian centuries T from 1900 January 0.5 (JD 2415020.0) and
// used as given (as TT). Longitudes are of date; the Moon's includes the nutation in
// longitude, which the procedure computes itself and hands back; the nodes are without it.
#pragma once

#include <array>
#include <span>

#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/lunar_source.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/rotation.h"
#include "ephemeris/theories/lunar_terms.h"

namespace orbelle::ephemeris {

// The working record of one call, every quantity in its stored width and its unit in its
// name. Every call recomputes what it reads, except the instant's part (the time, the mean
// arguments with their additive corrections), which a call of the same instant finds set.
struct LunarWork {
  float TrueNodeDeg = 0;  // true node longitude (node request)
  double Days = 0;        // d = JD - 2415020.0
  double T = 0;           // Julian centuries from JD 2415020.0
  double T2 = 0;          // T * T
  // Brown's mean arguments with the additive corrections: L, the mean perigee Gamma, the mean
  // ascending node Omega, D, l, F, the Sun's L and l'.
  float MeanLongitudeDeg = 0, PerigeeLongitudeDeg = 0, NodeDeg = 0;
  float ElongationDeg = 0, MeanAnomalyDeg = 0, ArgLatitudeDeg = 0;
  float SunMeanLongitudeDeg = 0, SunMeanAnomalyDeg = 0;
  // Omega, D, l, l' and F as the Moon's series take them, each rounded to single.
  float NodeRad = 0, ElongationRad = 0, MeanAnomalyRad = 0, SunMeanAnomalyRad = 0, ArgLatitudeRad = 0;
  // The seven sines shared by the additive corrections.
  float Additive1 = 0, Additive2 = 0, Additive3 = 0, Additive4 = 0, Additive5 = 0, Additive6 = 0, Additive7 = 0;
  // Additive corrections to L, Gamma, Omega and l'.
  float DeltaLongitudeArcsec = 0, DeltaPerigeeArcsec = 0, DeltaNodeArcsec = 0, DeltaSunAnomalyArcsec = 0;
  float EFactor = 0;              // E, the decrease of the Earth's orbital eccentricity
  float LatitudeArgumentRad = 0;  // S
  float DistanceAu = 0;           // geocentric distance
};

class LunarTheory {
 public:
  // The principal longitude terms after Brown's 30 largest; a study of the theory may pass
  // fewer (e.g. none, to see what the further terms bring).
  // Terms whose multiples exceed kMaxMultiple raise InvalidArgumentError.
  explicit LunarTheory(std::span<const LunarArgumentTerm> further_longitude_terms = kFittedLongitudeTerms);

  // The Moon at the time arguments `t`, its heliocentric position from `earth`, with its
  // orbit points and the mean nodes.
  LunarPosition Moon(const TimeArguments& t, const HeliocentricState& earth);
  // The true nodes at `t` (no body position).
  LunarPosition TrueNodes(const TimeArguments& t);

  // The working record as the last call left it.
  const LunarWork& Work() const { return w_; }

 private:
  float SetInstant(const TimeArguments& t);
  void MeanArguments();
  void AdditiveCorrections();
  // The rotations of k D, k l, k l' and k F, |k| up to kMaxMultiple, from the arguments in
  // radians; and the sine and cosine of a term's argument from them.
  void SetArgumentRotations();
  Rotation ArgumentRotation(const LunarArgumentTerm& t) const;
  double LongitudeSeriesDeg(float e_squared) const;
  float Latitude();
  void Distance();
  void TrueNode();
  void Heliocentric(const HeliocentricState& earth, Position& moon) const;
  OrbitPointDirections OrbitPoints(float node_deg) const;

  LunarWork w_;
  bool instant_set_ = false;              // w_ holds the instant's part for its Days, T and T2
  float instant_nutation_deg_ = 0;        // the nutation of that instant
  static constexpr int kMaxMultiple = 6;  // the largest multiple in Brown's tables and the fit
  std::array<std::array<Rotation, 2 * kMaxMultiple + 1>, 4> argument_rotation_{};
  std::span<const LunarArgumentTerm> further_longitude_terms_;
};

}  // namespace orbelle::ephemeris
