// Solar and planetary theory, its working record and steps: Newcomb's Sun (and so the
// Earth), Mercury, Venus and Mars from mean elements, Kepler's equation and periodic
// perturbations, reduced to apparent geocentric positions of date. Internal to the engine
// (its sources, tests and fitting tools); callers use PlanetarySource.
//
// Sources: S. Newcomb, Tables of the Sun, Astronomical Papers of the American Ephemeris
// (APAE) vol. 6 part 1 (1895); Tables of the Heliocentric Motion of Mercury, APAE 6 part 2
// (1895); of Venus, APAE 6 part 3 (1895); of Mars, APAE 6 part 4 (1898).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "ephemeris/body_numbers.h"
#include "ephemeris/constants.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/position.h"
#include "ephemeris/rotation.h"
#include "ephemeris/theories/perturbation_terms.h"

namespace orbelle::ephemeris {

// The theory's angle factors in double precision, from the 14-digit decimal pi.
inline constexpr double kPlanetDegToRad = kDecimalPi / 180.0;
inline constexpr double kPlanetRadToDeg = 1.0 / kPlanetDegToRad;
inline constexpr double kPlanetArcsecToRad = 1.0 / (kPlanetRadToDeg * 3600.0);

// The working record of one position. Angles in radians unless stated.
struct PlanetWork {
  double T3 = 0;
  double SunMeanLongitude = 0, SunMeanAnomaly = 0;
  double MoonMeanLongitude = 0, MoonMeanAnomaly = 0, MoonNodeLongitude = 0, MoonElongation = 0;
  double MeanAnomaly = 0, EccentricAnomaly = 0, Eccentricity = 0, MeanLongitude = 0;
  double TrueLongitudeDeg = 0;  // in the orbit, then heliocentric ecliptic
  double SemiMajorAxisAu = 0, RadiusVectorAu = 0;
  double NodeLongitude = 0, Inclination = 0;
  double HelioLatitudeDeg = 0;
  double PerihelionLongitude = 0;
  double OrbitPX = 0, OrbitQX = 0, OrbitPY = 0, OrbitQY = 0;  // AU
  double MeanMotionRadPerYear = 0;                            // per Julian year
};

// A disturbing planet of a body: its block of perturbation terms with the block's name, and
// its mean anomaly X in degrees as a function of T (Julian centuries from JD 2415020.0). The
// theory takes X within one turn (`reduced`), except Mercury's in the Sun's terms.
struct Disturber {
  const char* block;
  const PerturbationBlock* terms;
  double (*degrees)(double T);
  bool reduced;
  // X in radians as the terms take it.
  double Radians(double T) const;
};

// The disturbers of the Sun (body 1) and of Mercury, Venus and Mars in the order their terms
// are added; empty for any other body.
std::span<const Disturber> DisturbersOf(Integer body);

// A series of terms with each amplitude turned by its phase, (A cos phase, A sin phase), one
// per term: constants of the tables, worked out once for the process. A phase of +pi or -pi
// is the theory's decimal pi.
struct TurnedSeries {
  std::span<const PerturbationTerm> terms;
  std::vector<Rotation> turned_amplitudes;
  explicit TurnedSeries(std::span<const PerturbationTerm> series);
};
struct TurnedBlock {
  TurnedSeries longitude, log_radius, latitude;
  explicit TurnedBlock(const PerturbationBlock& block);
};

// The term blocks of the Sun, Mercury, Venus and Mars with their turned amplitudes, each
// body's in the order of its disturbers (DisturbersOf); one object for the process.
struct TurnedTerms {
  std::vector<TurnedBlock> sun, mercury, venus, mars;
  static const TurnedTerms& Shared();
};

// The Sun's apparent geocentric position and the Earth's heliocentric state it gives.
struct SolarResult {
  Position sun;
  HeliocentricState earth;
};

class SolarPlanetaryTheory {
 public:
  SolarPlanetaryTheory();

  // The Sun at the time arguments `t`.
  SolarResult Sun(const TimeArguments& t);
  // Mercury, Venus or Mars (body 3..5) at `t`, seen from `earth`; the positions only.
  Position Planet(Integer body, const TimeArguments& t, const HeliocentricState& earth);

  // The fundamental arguments and the nutation of the instant (T, T2 in Julian centuries
  // from JD 2415020.0), which the Sun and the planets start from.
  void SetInstant(double T, double T2);

  // Internal state, readable for tests and tools.
  const PlanetWork& Work() const { return work_; }
  float NutationLongitude() const { return nutation_longitude_; }
  double OwnMultiple(int k) const;
  double DisturberMultiple(int k) const;

  // The body's orbit before the perturbations (body 1 after SetInstant, or 3..5): the
  // longitude in the orbit, radius vector, mean anomaly, node and inclination in the working
  // record, as the perturbations find them. The term fitter samples it (tools/fit_planet_terms).
  void UnperturbedOrbit(Integer body, double T, double T2);
  // The Sun's lunar terms (longitude and latitude in arc-seconds, log r in 1e-9) and Mars's
  // two own terms (longitude, log r), the parts of the sums that are not term tables.
  struct LunarTermsOfTheSun {
    double longitude = 0, log_radius = 0, latitude = 0;
  };
  LunarTermsOfTheSun LunarTerms() const;
  struct MarsOwnTerms {
    double longitude = 0, log_radius = 0;
  };
  MarsOwnTerms OwnTermsOfMars() const;

  // Exposed for tests: the Kepler solution from MeanAnomaly, Eccentricity, MeanLongitude and
  // SemiMajorAxisAu, the multiple tables, and the four perturbation series, which only add to
  // the sums.
  PlanetWork& MutableWork() { return work_; }
  void SolveKepler();
  void SetOwnMultiples();
  void SetDisturberMultiples(double x_degrees);
  void PerturbSunByVenus();
  void PerturbSunByMars();
  void PerturbMercuryByVenus();
  void PerturbVenusByEarth();

 private:
  Position ReducePlanet(const HeliocentricState& earth);
  void AddSunPerturbations(double T);
  void AddMercuryPerturbations(double T);
  void AddVenusPerturbations(double T);
  void AddMarsPerturbations(double T);
  // One disturbing body: x (degrees) through the multiple tables, then its terms of the
  // three sums, two per addition with a group of three at an odd end.
  void AddInlineBlock(double x_degrees, const TurnedBlock& block);
  void AddInlineTerms(const TurnedBlock& block);

  // A cos(x*X + m*M + phase) by the addition theorem, from the rotations of the multiple
  // tables and the term's amplitude turned by its phase: no trigonometric call per term.
  double TermValue(const PerturbationTerm& t, const Rotation& turned_amplitude, const double* direct_x);
  const Rotation& OwnRotation(int k);
  const Rotation& DisturberRotation(int k);
  // Adds the terms to `sum` two at a time, sum = (A1 cos a1 + sum) + A2 cos a2; an odd last
  // term is added alone, or with `end_in_three` together with the two before it. With
  // `direct_x` the disturber's anomaly is that value (radians) instead of the multiple tables.
  void AddSeries(const TurnedSeries& series, double& sum, bool end_in_three, const double* direct_x = nullptr);

  const TurnedTerms* terms_ = &TurnedTerms::Shared();
  PlanetWork work_;
  float nutation_longitude_ = 0;
  // k times the own mean anomaly, k = 1..18: single, except k = 16 (double).
  std::array<float, 19> own_multiple_{};
  double own_multiple_16_ = 0;
  // k times the disturber's mean anomaly: k = 1..10 double, 11, 12, 13, 15, 17 single.
  std::array<double, 11> disturber_multiple_{};
  std::array<float, 18> disturber_multiple_single_{};
  double pert_longitude_ = 0, pert_log_radius_ = 0, pert_latitude_ = 0;
  // cos and sin of the multiples, set with them: own k = 1..18 and 19 (10 M + 9 M), disturber
  // k = 1..17; entry 0 is the zero angle.
  std::array<Rotation, 20> own_rotation_{};
  std::uint32_t own_rotation_known_ = 1;  // bit k: own_rotation_[k] is that of the current multiples
  std::array<Rotation, 18> disturber_rotation_{};
  std::uint32_t disturber_rotation_known_ = 1;  // bit k: disturber_rotation_[k] is current
};

}  // namespace orbelle::ephemeris
