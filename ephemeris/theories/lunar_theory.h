// Brown's lunar theory in its classical truncated form: the Moon's apparent geocentric
// position, distance and motion, its heliocentric position, and the mean and true nodes.
//
// Time is counted in days d and Julian centuries T from 1900 January 0.5 (JD 2415020.0) and
// used as given (as TT). Longitudes are of date; the Moon's includes the nutation in
// longitude, which the procedure computes itself and hands back; the nodes are without it.
#pragma once

#include <array>
#include <span>

#include "ephemeris/instant_state.h"
#include "ephemeris/result_arrays.h"
#include "ephemeris/rotation.h"
#include "ephemeris/theories/lunar_terms.h"

namespace orbelle::ephemeris {

// The working record of one LunarEphemeris call, every quantity in its stored width. Every
// request recomputes what it reads, so nothing carries over from one call to the next.
struct LunarWork {
  float TrueNode = 0;     // true node longitude, degrees (node request)
  double Days = 0;        // d = JD - 2415020.0
  double T = 0;           // Julian centuries from JD 2415020.0
  double T2 = 0;          // T * T
  float MeanLongitude = 0;     // L, degrees
  float PerigeeLongitude = 0;  // Gamma, mean perigee, degrees
  float NodeLongitude = 0;     // Omega, mean ascending node, degrees (radians during the Moon's series)
  double SeriesSum = 0;        // series accumulator in arc-seconds
  float Elongation = 0;        // D
  float MeanAnomaly = 0;       // l
  float ArgLatitude = 0;       // F
  float SunMeanLongitude = 0;  // L sun
  float SunMeanAnomaly = 0;    // l'
  // The seven sines shared by the additive corrections.
  float Additive1 = 0, Additive2 = 0, Additive3 = 0, Additive4 = 0, Additive5 = 0, Additive6 = 0, Additive7 = 0;
  float DeltaLongitude = 0;    // additive correction to L, arc-seconds
  float DeltaPerigee = 0;      // additive correction to Gamma, arc-seconds
  float DeltaNode = 0;         // additive correction to Omega, arc-seconds
  float DeltaSunAnomaly = 0;   // additive correction to l', arc-seconds
  float EFactor = 0;           // E, the decrease of the Earth's orbital eccentricity
  float LatitudeArgument = 0;  // S, radians
  float Distance = 0;          // geocentric distance, AU
  float X = 0, Y = 0, Z = 0;   // heliocentric ecliptic coordinates, AU
};

class LunarTheory {
 public:
  // The principal longitude terms after Brown's 30 largest; a study of the theory may pass
  // fewer (e.g. none, to see what the further terms bring).
  // Terms whose multiples exceed kMaxMultiple raise InvalidArgumentError.
  explicit LunarTheory(std::span<const LunarArgumentTerm> further_longitude_terms = kFittedLongitudeTerms);

  // Body 2: the Moon (and, by LunarOption, the mean nodes); bodies 16 and 17: both nodes.
  // Reads the instant's JD and the Earth's vector, and sets its Nutation to the theory's
  // own. Other bodies 0..255 return after the set-up; any other number raises
  // InvalidArgumentError. Writes the slots 2, 16 and 17 only; the Moon and the nodes need
  // every array to have them (InvalidArgumentError before anything is written).
  // LunarOption for the Moon: 0 south mean node only, 1 both, 2 neither, 3 north only.
  // Returns the LunarOption handed back: 2 after a node request, otherwise the one given.
  Integer LunarEphemeris(Integer Body, Integer LunarOption, InstantState& instant, const ResultSpans& r);

  // The working record as the last call left it.
  const LunarWork& Work() const { return w_; }

 private:
  void MeanArguments();
  void AdditiveCorrections();
  // The rotations of k D, k l, k l' and k F, |k| up to kMaxMultiple, from the arguments in
  // radians; and the sine and cosine of a term's argument from them.
  void SetArgumentRotations();
  Rotation ArgumentRotation(const LunarArgumentTerm& t) const;
  void LongitudeSeries(float e_squared);
  void Latitude(float& latitude);
  void Distance();
  void TrueNode();
  void Heliocentric(float lambda, float beta, float geo_speed, const HeliocentricState& earth, float& helio_lon,
                    float& helio_lat, float& helio_dist, float& helio_speed);
  void OrbitPoints(float& ascending, float& descending, float& perigee, float& apogee);

  LunarWork w_;
  static constexpr int kMaxMultiple = 6;  // the largest multiple in Brown's tables and the fit
  std::array<std::array<Rotation, 2 * kMaxMultiple + 1>, 4> argument_rotation_{};
  std::span<const LunarArgumentTerm> further_longitude_terms_;
};

}  // namespace orbelle::ephemeris
