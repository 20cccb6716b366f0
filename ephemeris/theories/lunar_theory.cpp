#include "ephemeris/theories/lunar_theory.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nutation.h"

namespace orbelle::ephemeris {

namespace {

// The theory's angle factors in single precision, from pi rounded to single, each quotient
// formed in double and rounded.
constexpr float kDegToRadian = static_cast<float>(double(kSinglePi) / 180.0);
constexpr float kRadianToDeg = static_cast<float>(1.0 / double(kDegToRadian));
constexpr float kArcsecToRadian = static_cast<float>(1.0 / (3600.0 * double(kRadianToDeg)));

// The eccentricity of the Moon's orbit (single precision), for the daily motion.
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

// kD*D + kl*l + kl'*l' + kF*F from the stored arguments, in their current unit.
double ArgumentOf(const LunarArgumentTerm& t, const LunarWork& w) {
  return t.D * double(w.Elongation) + t.l * double(w.MeanAnomaly) + t.lp * double(w.SunMeanAnomaly) +
         t.F * double(w.ArgLatitude);
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

Integer LunarTheory::LunarEphemeris(Integer Body, Integer LunarOption, InstantState& instant, const ResultSpans& r) {
  // Set-up, whatever the body.
  const TimeArguments t = TimeArgumentsAt(instant.JD);
  w_.Days = Checked(t.days, "lunar days");
  w_.T = t.T;
  w_.T2 = t.T2;

  if (Body < 0 || Body > 255) throw InvalidArgumentError("LunarEphemeris: body number outside 0..255");
  const bool moon = Body == kMoon;
  if (!moon && Body != kNorthNode && Body != kSouthNode) return LunarOption;
  if (r.Slots() <= static_cast<std::size_t>(kSouthNode)) {
    throw InvalidArgumentError("LunarEphemeris: the result arrays need the slots 2 to 17");
  }

  MeanArguments();
  // The nutation from the mean arguments before the additive corrections.
  instant.Nutation = NutationSixTermsLineByLine(
      {w_.NodeLongitude, w_.SunMeanLongitude, w_.MeanLongitude, w_.SunMeanAnomaly, w_.MeanAnomaly}, w_.T);
  AdditiveCorrections();

  if (!moon) {
    TrueNode();
    r.GeoLon[kNorthNode] = LongitudeBelowFullTurn(w_.TrueNode);
    r.GeoLon[kSouthNode] = LongitudeBelowFullTurn(ToSingle(w_.TrueNode + 180.0, "node"));
    for (const Integer node : {kNorthNode, kSouthNode}) {
      r.GeoLat[node] = 0.0f;
      r.HelioLat[node] = 0.0f;
      r.GeoDist[node] = 0.0025f;
      r.HelioDist[node] = 1.0f;
    }
    return 2;
  }

  // Brown's factor for the decrease of the eccentricity of the Earth's orbit, and its square
  // in single precision.
  w_.EFactor = ToSingle(1.0 - 0.002495 * w_.T - 0.00000752 * w_.T2, "E");
  const float e_squared = ToSingle(double(w_.EFactor) * w_.EFactor, "E squared");
  for (float* angle : {&w_.NodeLongitude, &w_.Elongation, &w_.MeanAnomaly, &w_.SunMeanAnomaly, &w_.ArgLatitude}) {
    *angle = ToSingle(*angle * double(kDegToRadian), "lunar argument");
  }

  SetArgumentRotations();
  LongitudeSeries(e_squared);
  r.GeoLon[kMoon] = LongitudeBelowFullTurn(ToSingle(w_.MeanLongitude + w_.SeriesSum + instant.Nutation, "Moon longitude"));
  Latitude(r.GeoLat[kMoon]);
  Distance();
  r.GeoDist[kMoon] = w_.Distance;
  for (float* angle : {&w_.NodeLongitude, &w_.Elongation, &w_.MeanAnomaly, &w_.SunMeanAnomaly, &w_.ArgLatitude}) {
    *angle = ToSingle(*angle * double(kRadianToDeg), "lunar argument");
  }

  // Daily motion by the law of areas: the mean motion 13.176358 deg/day at the mean distance
  // 0.00257185 AU, scaled by (mean distance / distance)^2 and sqrt(1 - e^2) for the orbit's
  // eccentricity e = 0.05490049.
  const double mean_over_actual = Divide(0.00257185, w_.Distance, "Moon daily motion");
  const double e = kLunarOrbitEccentricity;
  r.GeoSpeed[kMoon] =
      ToSingle(13.176358 * mean_over_actual * mean_over_actual * SquareRoot(1.0 - e * e), "Moon daily motion");

  Heliocentric(r.GeoLon[kMoon], r.GeoLat[kMoon], r.GeoSpeed[kMoon], instant.Earth,
               r.HelioLon[kMoon], r.HelioLat[kMoon], r.HelioDist[kMoon], r.HelioSpeed[kMoon]);
  OrbitPoints(r.AscNodeLon[kMoon], r.DescNodeLon[kMoon], r.PerihelionLon[kMoon], r.AphelionLon[kMoon]);
  const float node = w_.NodeLongitude;

  // Mean nodes, by LunarOption: 0 south only, 1 both, 2 neither, 3 north only.
  if (LunarOption == 1 || LunarOption == 3) r.GeoLon[kNorthNode] = LongitudeBelowFullTurn(node);
  if (LunarOption == 0 || LunarOption == 1) r.GeoLon[kSouthNode] = LongitudeBelowFullTurn(ToSingle(node + 180.0));
  r.GeoLat[kNorthNode] = 0.0f;
  r.GeoLat[kSouthNode] = 0.0f;
  return LunarOption;
}

// Heliocentric position: the geocentric vector (lambda, beta, Distance) plus the Earth's
// heliocentric one.
void LunarTheory::Heliocentric(float lambda, float beta, float geo_speed, const HeliocentricState& earth, float& helio_lon,
                               float& helio_lat, float& helio_dist, float& helio_speed) {
  const double projected = double(CosDeg(beta)) * w_.Distance;
  w_.X = ToSingle(CosDeg(lambda) * projected, "Moon X");
  w_.Y = ToSingle(SinDeg(lambda) * projected, "Moon Y");
  w_.Z = ToSingle(SinDeg(beta) * double(w_.Distance), "Moon Z");
  w_.X = ToSingle(w_.X + double(earth.x), "Moon X");
  w_.Y = ToSingle(w_.Y + double(earth.y), "Moon Y");
  w_.Z = ToSingle(w_.Z + double(earth.z), "Moon Z");
  helio_lon = LongitudeBelowFullTurn(Atan2Deg(w_.Y, w_.X));
  helio_dist = ToSingle(
      SquareRoot(double(w_.X) * w_.X + double(w_.Y) * w_.Y + double(w_.Z) * w_.Z, "Moon heliocentric distance"));
  helio_lat = ArcSinDeg(ToSingle(Divide(w_.Z, helio_dist, "Moon heliocentric latitude")));

  // Heliocentric daily motion: the direction one day later, with the Moon's geocentric motion
  // in longitude and the Earth's velocity, less today's direction, folded into -180..180.
  const float lambda1 = ToSingle(double(lambda) + geo_speed, "Moon longitude");
  w_.X = ToSingle(CosDeg(lambda1) * projected + double(earth.x) + earth.vx, "Moon X");
  w_.Y = ToSingle(SinDeg(lambda1) * projected + double(earth.y) + earth.vy, "Moon Y");
  const float speed = ToSingle(double(Atan2Deg(w_.Y, w_.X)) - helio_lon);
  helio_speed = ToSingle(MotionWrappedBeyondHalfTurn(speed));
}

// Orbit points of the Moon: the mean node, and the mean perigee carried from the orbit onto
// the ecliptic with the mean inclination 5.1454 degrees; the apogee opposite.
void LunarTheory::OrbitPoints(float& ascending, float& descending, float& perigee, float& apogee) {
  const float node = w_.NodeLongitude;
  ascending = LongitudeBelowFullTurn(node);
  descending = LongitudeBelowFullTurn(ToSingle(node + 180.0));
  const float perigee_from_node = ToSingle(double(w_.PerigeeLongitude) - node);
  const float inclination = 5.1454f;
  perigee = LongitudeBelowFullTurn(ToSingle(
      Atan2Deg(ToSingle(SinDeg(perigee_from_node) * double(CosDeg(inclination))), CosDeg(perigee_from_node)) +
      double(node)));
  apogee = LongitudeBelowFullTurn(ToSingle(perigee + 180.0));
}

// Brown's mean arguments of the instant, in single-precision degrees.
void LunarTheory::MeanArguments() {
  const BrownArguments a = LunarTheoryArguments(w_.Days);
  w_.MeanLongitude = a.moon_longitude;
  w_.PerigeeLongitude = a.perigee;
  w_.NodeLongitude = a.node;
  w_.Elongation = a.elongation;
  w_.MeanAnomaly = a.moon_anomaly;
  w_.ArgLatitude = a.arg_latitude;
  w_.SunMeanLongitude = a.sun_longitude;
  w_.SunMeanAnomaly = a.sun_anomaly;
}

// Brown's additive corrections: long-period terms in arc-seconds (among them the great
// Venus term of 14.27" and the terms in the node from the figure of the Earth), applied to the
// mean longitude, the perigee, the node and the Sun's mean anomaly, and through them to
// D, l, l' and F.
void LunarTheory::AdditiveCorrections() {
  const double T = w_.T, T2 = w_.T2, d = w_.Days;
  const double node = w_.NodeLongitude;
  w_.Additive1 = SinDeg(ToSingle(51.2 + 20.2 * T));
  w_.Additive2 = SinDeg(ToSingle(193.4404 - 132.8704 * T + 0.0091731 * T2));
  w_.Additive3 = SinDeg(w_.NodeLongitude);
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
  w_.DeltaLongitude = SingleSum(longitude_terms);
  const double perigee_terms[] = {-2.1 * A1, -0.118 * A2, -2.076 * A3, -0.84 * A4, -0.1 * A5, -0.593 * A6, -0.065 * A7};
  w_.DeltaPerigee = SingleSum(perigee_terms);
  const double node_terms[] = {0.63 * A1, 0.17 * A2, 95.96 * A3, 15.58 * A4, 1.86 * SineOf(node + 289.65 - 0.9 * T)};
  w_.DeltaNode = SingleSum(node_terms);
  const double sun_terms[] = {-6.4 * A1, -0.27 * A5, -1.89 * A6, 0.2 * SineOf(219.7551 - 0.0243787 * d)};
  w_.DeltaSunAnomaly = SingleSum(sun_terms);

  const double dL = w_.DeltaLongitude / 3600.0;
  w_.MeanLongitude = ToSingle(w_.MeanLongitude + dL);
  w_.Elongation = ToSingle(w_.Elongation + dL);
  w_.MeanAnomaly = ToSingle(w_.MeanAnomaly + dL - w_.DeltaPerigee / 3600.0);
  w_.SunMeanAnomaly = ToSingle(w_.SunMeanAnomaly + w_.DeltaSunAnomaly / 3600.0);
  w_.ArgLatitude = ToSingle(w_.ArgLatitude + dL - w_.DeltaNode / 3600.0);
}

// The arguments D, l, l' and F are in radians here; a term's argument kD D + kl l + kl' l' + kF F
// turns by the product of the rotations of its four multiples.
void LunarTheory::SetArgumentRotations() {
  const float* angles[] = {&w_.Elongation, &w_.MeanAnomaly, &w_.SunMeanAnomaly, &w_.ArgLatitude};
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
void LunarTheory::LongitudeSeries(float e_squared) {
  const double e = w_.EFactor, e2 = e_squared;
  const double e_power[] = {1.0, e, e2, e * e2};
  w_.SeriesSum = 0.0;
  for (const auto& terms : {std::span<const LunarArgumentTerm>(kBrownLongitudeTerms), further_longitude_terms_}) {
    for (const LunarArgumentTerm& t : terms) {
      w_.SeriesSum += t.amplitude * e_power[std::abs(t.lp)] * ArgumentRotation(t).s;
    }
  }
  w_.SeriesSum += -0.189 * std::sin(w_.NodeLongitude) + 0.168 * std::sin(w_.Elongation);
  for (const LunarPlanetaryTerm& t : kPlanetaryLongitudeTerms) {
    w_.SeriesSum += t.amplitude * std::sin(t.phase + t.rate * w_.T);
  }
  w_.SeriesSum = Checked(w_.SeriesSum / 3600.0, "Moon longitude series");
}

// Latitude, degrees: 18519.7" sin S - 6.2" sin 3S with S the argument of latitude from the
// inequalities of the longitude, the principal term scaled for the node's long-period
// terms, plus the correction series N.
void LunarTheory::Latitude(float& latitude) {
  w_.SeriesSum = 0.0;
  for (const LunarArgumentTerm& t : kLatitudeArgumentTerms) w_.SeriesSum += t.amplitude * ArgumentRotation(t).s;
  w_.LatitudeArgument = ToSingle(w_.ArgLatitude + kArcsecToRadian * w_.SeriesSum, "latitude argument");
  const double s = w_.LatitudeArgument, node = w_.NodeLongitude;
  const float scaled_sine = ToSingle(
      (1.0 - 0.0004664 * std::cos(node) - 0.0000754 * std::cos(node + 4.800528 - 0.04014275 * w_.T)) * std::sin(s));
  const float principal = ToSingle((18519.7 * scaled_sine - 6.2 * std::sin(3.0 * s)) / 3600.0);
  w_.SeriesSum = 0.0;
  for (const LunarArgumentTerm& t : kLatitudeCorrectionTerms) w_.SeriesSum += t.amplitude * ArgumentRotation(t).s;
  latitude = ToSingle(principal + w_.SeriesSum / 3600.0, "Moon latitude");
}

// Distance in AU from the equatorial horizontal parallax p (3422.451" plus its cosine
// series): the Earth's equatorial radius 6378.16 km over sin p, in units of 149 600 000 km.
void LunarTheory::Distance() {
  w_.SeriesSum = 3422.451;
  for (const LunarArgumentTerm& t : kParallaxTerms) w_.SeriesSum += t.amplitude * ArgumentRotation(t).c;
  w_.Distance =
      ToSingle(Divide(6.37816, 149600.0 * std::sin(kArcsecToRadian * w_.SeriesSum), "Moon distance"), "Moon distance");
}

// The true node: the mean node plus 21 periodic terms and the additive node term 95.96" sin
// Omega, degrees; arguments in degrees.
void LunarTheory::TrueNode() {
  std::array<double, kTrueNodeTerms.size()> terms;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    terms[i] = kTrueNodeTerms[i].amplitude * SineOf(ArgumentOf(kTrueNodeTerms[i], w_));
  }
  const float periodic = SingleSum(terms);
  w_.TrueNode = ToSingle(w_.NodeLongitude + (periodic + 95.96 * SinDeg(w_.NodeLongitude)) / 3600.0, "true node");
}

}  // namespace orbelle::ephemeris
