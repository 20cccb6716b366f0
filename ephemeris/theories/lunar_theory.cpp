#include <array>
#include <cmath>
#include <cstdlib>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nutation.h"
#include "ephemeris/reduction.h"
#include "ephemeris/theories/lunar_theory_internal.h"

namespace orbelle::ephemeris {

namespace {

// The theory's angle factors in single precision, from pi rounded to single, each quotient
// formed in double and rounded.
constexpr float kDegToRadian = static_cast<float>(double(kSinglePi) / 180.0);
constexpr float kRadianToDeg = static_cast<float>(1.0 / double(kDegToRadian));
constexpr float kArcsecToRadian = static_cast<float>(1.0 / (3600.0 * double(kRadianToDeg)));

// The eccentricity of the Moon's orbit (single precision), for the daily motion: Brown's
// mean value (Tables of the Motion of the Moon, 1919).
constexpr float kLunarOrbitEccentricity = 0.05490049f;

// The sine of an angle in degrees formed in double and stored in single.
double SineOf(double degrees) { return SinDeg(ToSingle(degrees, "lunar argument")); }

// A sum kept in single precision, stored after every three terms (the working practice of
// the theory's additive corrections and node series).
float SingleSum(std::span<const double> terms) {
  float sum = 0.0f;
  int pending = 0;
  double line = 0.0;
  for (double term : terms) {
    line += term;
    if (++pending == 3) {
      sum = ToSingle(sum + line, "lunar series");
      line = 0.0;
      pending = 0;
    }
  }
  return ToSingle(sum + line, "lunar series");
}

// kD*D + kl*l + kl'*l' + kF*F from the arguments in degrees.
double ArgumentDeg(const LunarArgumentTerm& t, const LunarWork& w) {
  return t.D * double(w.ElongationDeg) + t.l * double(w.MeanAnomalyDeg) + t.lp * double(w.SunMeanAnomalyDeg) +
         t.F * double(w.ArgLatitudeDeg);
}

}  // namespace

LunarTheory::LunarTheory(std::span<const LunarArgumentTerm> further_longitude_terms)
    : further_longitude_terms_(further_longitude_terms) {
  for (auto terms : {std::span<const LunarArgumentTerm>(kBrownLongitudeTerms), further_longitude_terms_,
                     std::span<const LunarArgumentTerm>(kLatitudeArgumentTerms),
                     std::span<const LunarArgumentTerm>(kLatitudeCorrectionTerms),
                     std::span<const LunarArgumentTerm>(kParallaxTerms)}) {
    for (const LunarArgumentTerm& t : terms) {
      for (int k : {t.D, t.l, t.lp, t.F}) {
        if (std::abs(k) > kMaxMultiple) {
          throw InvalidArgumentError("lunar term with a multiple beyond " + std::to_string(kMaxMultiple));
        }
      }
    }
  }
}

// Brown's mean arguments of the instant and, from them before the additive corrections, the
// nutation in longitude (degrees); then the additive corrections. They depend on the instant
// alone, so a second request of the same instant (the Moon, then its nodes) finds them set.
float LunarTheory::SetInstant(const TimeArguments& t) {
  if (instant_set_ && w_.Days == t.days && w_.T == t.T && w_.T2 == t.T2) return instant_nutation_deg_;
  instant_set_ = false;
  w_.Days = Checked(t.days, "lunar days");
  w_.T = t.T;
  w_.T2 = t.T2;
  MeanArguments();
  instant_nutation_deg_ = NutationSixTermsLineByLine(
      {w_.NodeDeg, w_.SunMeanLongitudeDeg, w_.MeanLongitudeDeg, w_.SunMeanAnomalyDeg, w_.MeanAnomalyDeg}, w_.T);
  AdditiveCorrections();
  instant_set_ = true;
  return instant_nutation_deg_;
}

LunarPosition LunarTheory::TrueNodes(const TimeArguments& t) {
  LunarPosition p;
  p.nutation_deg = SetInstant(t);
  TrueNode();
  p.north_node_deg = LongitudeBelowFullTurn(w_.TrueNodeDeg);
  p.south_node_deg = LongitudeBelowFullTurn(ToSingle(w_.TrueNodeDeg + 180.0, "node"));
  return p;
}

LunarPosition LunarTheory::Moon(const TimeArguments& t, const HeliocentricState& earth) {
  LunarPosition p;
  p.nutation_deg = SetInstant(t);

  // Brown's factor for the decrease of the eccentricity of the Earth's orbit (the ratio of
  // Newcomb's eccentricity of date to its value at 1900), and its square in single precision.
  w_.EFactor = ToSingle(1.0 - 0.002495 * w_.T - 0.00000752 * w_.T2, "E");
  const float e_squared = ToSingle(double(w_.EFactor) * w_.EFactor, "E squared");
  w_.NodeRad = ToSingle(w_.NodeDeg * double(kDegToRadian), "lunar argument");
  w_.ElongationRad = ToSingle(w_.ElongationDeg * double(kDegToRadian), "lunar argument");
  w_.MeanAnomalyRad = ToSingle(w_.MeanAnomalyDeg * double(kDegToRadian), "lunar argument");
  w_.SunMeanAnomalyRad = ToSingle(w_.SunMeanAnomalyDeg * double(kDegToRadian), "lunar argument");
  w_.ArgLatitudeRad = ToSingle(w_.ArgLatitudeDeg * double(kDegToRadian), "lunar argument");

  SetArgumentRotations();
  const double series_deg = LongitudeSeriesDeg(e_squared);
  Position& moon = p.body;
  moon.geo_lon_deg =
      LongitudeBelowFullTurn(ToSingle(w_.MeanLongitudeDeg + series_deg + p.nutation_deg, "Moon longitude"));
  moon.geo_lat_deg = Latitude();
  Distance();
  moon.geo_dist_au = w_.DistanceAu;
  // The series leave the node in degrees as its radians give it back, single precision.
  const float node_deg = ToSingle(w_.NodeRad * double(kRadianToDeg), "lunar argument");

  // Daily motion by the law of areas: the mean motion 13.176358 deg/day at the mean distance
  // 0.00257185 AU, scaled by (mean distance / distance)^2 and sqrt(1 - e^2) for the orbit's
  // eccentricity e = 0.05490049.
  const double mean_over_actual = Divide(0.00257185, w_.DistanceAu, "Moon daily motion");
  const double e = kLunarOrbitEccentricity;
  moon.geo_motion_deg_per_day =
      ToSingle(13.176358 * mean_over_actual * mean_over_actual * SquareRoot(1.0 - e * e), "Moon daily motion");

  Heliocentric(earth, moon);
  moon.orbit_points = OrbitPoints(node_deg);
  p.north_node_deg = LongitudeBelowFullTurn(node_deg);
  p.south_node_deg = LongitudeBelowFullTurn(ToSingle(node_deg + 180.0));
  return p;
}

// Heliocentric position and motion: the Moon's geocentric vector (lambda, beta, distance) seen
// from the Sun, which stands at minus the Earth's vector; one day on, the geocentric direction
// turned by the Moon's daily motion in longitude at today's distance and latitude, with the
// Earth's velocity.
void LunarTheory::Heliocentric(const HeliocentricState& earth, Position& moon) const {
  const float lambda = moon.geo_lon_deg, beta = moon.geo_lat_deg;
  const double projected = double(CosDeg(beta)) * w_.DistanceAu;
  HeliocentricState geo;
  geo.x = ToSingle(CosDeg(lambda) * projected, "Moon X");
  geo.y = ToSingle(SinDeg(lambda) * projected, "Moon Y");
  geo.z = ToSingle(SinDeg(beta) * double(w_.DistanceAu), "Moon Z");
  const HeliocentricState sun{-earth.x, -earth.y, -earth.z, -earth.vx, -earth.vy};
  const float lambda1 = ToSingle(double(lambda) + moon.geo_motion_deg_per_day, "Moon longitude");
  const DirectionAndMotion helio =
      MotionBetween({double(geo.x) - sun.x, double(geo.y) - sun.y},
                    {CosDeg(lambda1) * projected - sun.x - sun.vx, SinDeg(lambda1) * projected - sun.y - sun.vy},
                    ReductionOrder::kBrownMoon);
  const ApparentDirection seen = SeenFrom(geo, sun, helio, 0.0f, ReductionOrder::kBrownMoon);
  moon.helio_lon_deg = seen.lon_deg;
  moon.helio_lat_deg = seen.lat_deg;
  moon.helio_dist_au = seen.dist_au;
  moon.helio_motion_deg_per_day = helio.motion_deg_per_day;
}

// Orbit points of the Moon: the mean node, and the mean perigee carried from the orbit onto
// the ecliptic with the mean inclination 5.1454 degrees; the apogee opposite.
OrbitPointDirections LunarTheory::OrbitPoints(float node_deg) const {
  OrbitPointDirections p;
  p.ascending_node_deg = LongitudeBelowFullTurn(node_deg);
  p.descending_node_deg = LongitudeBelowFullTurn(ToSingle(node_deg + 180.0));
  const float perigee_from_node = ToSingle(double(w_.PerigeeLongitudeDeg) - node_deg);
  const float inclination_deg = 5.1454f;
  p.perihelion_deg = LongitudeBelowFullTurn(ToSingle(
      Atan2Deg(ToSingle(SinDeg(perigee_from_node) * double(CosDeg(inclination_deg))), CosDeg(perigee_from_node)) +
      double(node_deg)));
  p.aphelion_deg = LongitudeBelowFullTurn(ToSingle(p.perihelion_deg + 180.0));
  return p;
}

// Brown's mean arguments of the instant, in single-precision degrees.
void LunarTheory::MeanArguments() {
  const BrownArguments a = LunarTheoryArguments(w_.Days);
  w_.MeanLongitudeDeg = a.moon_longitude;
  w_.PerigeeLongitudeDeg = a.perigee;
  w_.NodeDeg = a.node;
  w_.ElongationDeg = a.elongation;
  w_.MeanAnomalyDeg = a.moon_anomaly;
  w_.ArgLatitudeDeg = a.arg_latitude;
  w_.SunMeanLongitudeDeg = a.sun_longitude;
  w_.SunMeanAnomalyDeg = a.sun_anomaly;
}

// Brown's additive corrections (Tables of the Motion of the Moon, 1919, the additive terms of
// the arguments): long-period terms in arc-seconds (among them the great Venus term of 14.27"
// and the terms in the node from the figure of the Earth), applied to the mean longitude, the
// perigee, the node and the Sun's mean anomaly, and through them to D, l, l' and F.
void LunarTheory::AdditiveCorrections() {
  const double T = w_.T, T2 = w_.T2, d = w_.Days;
  const double node = w_.NodeDeg;
  w_.Additive1 = SinDeg(ToSingle(51.2 + 20.2 * T));
  w_.Additive2 = SinDeg(ToSingle(193.4404 - 132.8704 * T + 0.0091731 * T2));
  w_.Additive3 = SinDeg(w_.NodeDeg);
  w_.Additive4 = SinDeg(ToSingle(node + 275.05 - 2.3 * T));
  w_.Additive5 = SinDeg(ToSingle(211.5 + 119.0 * T));
  w_.Additive6 = SinDeg(ToSingle(304.3308 - 0.004125379 * d));
  w_.Additive7 = SinDeg(ToSingle(46.7551 - 2.43787437825874 * d));
  const double A1 = w_.Additive1, A2 = w_.Additive2, A3 = w_.Additive3, A4 = w_.Additive4, A5 = w_.Additive5,
               A6 = w_.Additive6, A7 = w_.Additive7;

  const double longitude_terms[] = {
      0.84 * A1,
      0.31 * SineOf(84.10959 + 16.20907 * T + 0.0091731 * T2),
      0.04 * SineOf(230.9067 - 0.000166580277891626 * d),
      14.27 * A2,
      7.261 * A3,
      0.282 * A4,
      0.04 * SineOf(211.5 + 3.2580424885964 * d),
      0.075 * SineOf(76.92566 + 0.0250986451283097 * d),
      0.237 * A6,
      0.108 * SineOf(145.2711 - 282.5499 * T),
      0.03 * SineOf(231.6267 + 0.118043714901432 * d),
      0.126 * SineOf(235.9616 - 1034.108 * T),
      0.033 * SineOf(275.5309 - 0.0241869429009967 * d),
      0.054 * SineOf(274.6737 - 0.0197952133021317 * d),
      0.01 * SineOf(113.1499 + 0.01696611168 * d),
      0.013 * SineOf(269.6856 - 0.01389867804 * d),
      0.013 * SineOf(188.1164 - 0.01802405736 * d),
      0.026 * A7,
      0.017 * SineOf(10.58595 + 0.00946463148 * d),
  };
  w_.DeltaLongitudeArcsec = SingleSum(longitude_terms);
  const double perigee_terms[] = {-2.1 * A1, -0.118 * A2, -2.076 * A3, -0.84 * A4, -0.1 * A5, -0.593 * A6, -0.065 * A7};
  w_.DeltaPerigeeArcsec = SingleSum(perigee_terms);
  const double node_terms[] = {0.63 * A1, 0.17 * A2, 95.96 * A3, 15.58 * A4, 1.86 * SineOf(node + 289.65 - 0.9 * T)};
  w_.DeltaNodeArcsec = SingleSum(node_terms);
  const double sun_terms[] = {-6.4 * A1, -0.27 * A5, -1.89 * A6, 0.2 * SineOf(219.7551 - 0.0243787 * d)};
  w_.DeltaSunAnomalyArcsec = SingleSum(sun_terms);

  const double dL = w_.DeltaLongitudeArcsec / 3600.0;
  w_.MeanLongitudeDeg = ToSingle(w_.MeanLongitudeDeg + dL);
  w_.ElongationDeg = ToSingle(w_.ElongationDeg + dL);
  w_.MeanAnomalyDeg = ToSingle(w_.MeanAnomalyDeg + dL - w_.DeltaPerigeeArcsec / 3600.0);
  w_.SunMeanAnomalyDeg = ToSingle(w_.SunMeanAnomalyDeg + w_.DeltaSunAnomalyArcsec / 3600.0);
  w_.ArgLatitudeDeg = ToSingle(w_.ArgLatitudeDeg + dL - w_.DeltaNodeArcsec / 3600.0);
}

// The arguments D, l, l' and F are in radians here; a term's argument kD D + kl l + kl' l' + kF F
// turns by the product of the rotations of its four multiples.
void LunarTheory::SetArgumentRotations() {
  const float* angles[] = {&w_.ElongationRad, &w_.MeanAnomalyRad, &w_.SunMeanAnomalyRad, &w_.ArgLatitudeRad};
  for (std::size_t a = 0; a < 4; ++a) {
    auto& rotations = argument_rotation_[a];
    for (int k = 1; k <= kMaxMultiple; ++k) {
      const Rotation r = RotationOf(k * double(*angles[a]));
      rotations[static_cast<std::size_t>(kMaxMultiple + k)] = r;
      rotations[static_cast<std::size_t>(kMaxMultiple - k)] = Signed(r, true);
    }
  }
}

Rotation LunarTheory::ArgumentRotation(const LunarArgumentTerm& t) const {
  auto of = [&](std::size_t a, int k) { return argument_rotation_[a][static_cast<std::size_t>(kMaxMultiple + k)]; };
  return Rotate(Rotate(of(0, t.D), of(1, t.l)), Rotate(of(2, t.lp), of(3, t.F)));
}

// The periodic part of the Moon's longitude, degrees: the principal terms with Brown's
// factor E per power of l', the two further terms in the node and in D, and the planetary
// terms. Arguments in radians.
double LunarTheory::LongitudeSeriesDeg(float e_squared) const {
  const double e = w_.EFactor, e2 = e_squared;
  const double e_power[] = {1.0, e, e2, e * e2};
  double sum_arcsec = 0.0;
  for (const auto& terms : {std::span<const LunarArgumentTerm>(kBrownLongitudeTerms), further_longitude_terms_}) {
    for (const LunarArgumentTerm& t : terms) {
      sum_arcsec += t.amplitude * e_power[std::abs(t.lp)] * ArgumentRotation(t).s;
    }
  }
  sum_arcsec += -0.189 * std::sin(w_.NodeRad) + 0.168 * std::sin(w_.ElongationRad);
  for (const LunarPlanetaryTerm& t : kPlanetaryLongitudeTerms) {
    sum_arcsec += t.amplitude * std::sin(t.phase + t.rate * w_.T);
  }
  return Checked(sum_arcsec / 3600.0, "Moon longitude series");
}

// Latitude, degrees, in Brown's form (Tables of the Motion of the Moon, 1919): 18519.7" sin S
// - 6.2" sin 3S with S the argument of latitude from the inequalities of the longitude, the
// principal term scaled for the node's long-period terms, plus the correction series N.
float LunarTheory::Latitude() {
  double sum_arcsec = 0.0;
  for (const LunarArgumentTerm& t : kLatitudeArgumentTerms) sum_arcsec += t.amplitude * ArgumentRotation(t).s;
  w_.LatitudeArgumentRad = ToSingle(w_.ArgLatitudeRad + kArcsecToRadian * sum_arcsec, "latitude argument");
  const double s = w_.LatitudeArgumentRad, node = w_.NodeRad;
  const float scaled_sine = ToSingle(
      (1.0 - 0.0004664 * std::cos(node) - 0.0000754 * std::cos(node + 4.800528 - 0.04014275 * w_.T)) * std::sin(s));
  const float principal = ToSingle((18519.7 * scaled_sine - 6.2 * std::sin(3.0 * s)) / 3600.0);
  sum_arcsec = 0.0;
  for (const LunarArgumentTerm& t : kLatitudeCorrectionTerms) sum_arcsec += t.amplitude * ArgumentRotation(t).s;
  return ToSingle(principal + sum_arcsec / 3600.0, "Moon latitude");
}

// Distance in AU from the equatorial horizontal parallax p (Brown's 3422.451" plus its cosine
// series): the Earth's equatorial radius 6378.16 km (IAU 1964 system of constants) over
// sin p, in units of 149 600 000 km.
void LunarTheory::Distance() {
  double parallax_arcsec = 3422.451;
  for (const LunarArgumentTerm& t : kParallaxTerms) parallax_arcsec += t.amplitude * ArgumentRotation(t).c;
  w_.DistanceAu = ToSingle(Divide(6.37816, 149600.0 * std::sin(kArcsecToRadian * parallax_arcsec), "Moon distance"),
                           "Moon distance");
}

// The true node: the mean node plus 21 periodic terms and the additive node term 95.96" sin
// Omega, degrees; arguments in degrees.
void LunarTheory::TrueNode() {
  std::array<double, kTrueNodeTerms.size()> terms;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    terms[i] = kTrueNodeTerms[i].amplitude * SineOf(ArgumentDeg(kTrueNodeTerms[i], w_));
  }
  const float periodic = SingleSum(terms);
  w_.TrueNodeDeg = ToSingle(w_.NodeDeg + (periodic + 95.96 * SinDeg(w_.NodeDeg)) / 3600.0, "true node");
}

}  // namespace orbelle::ephemeris
