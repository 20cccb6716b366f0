#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/engine_error.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nutation.h"
#include "ephemeris/reduction.h"
#include "ephemeris/theories/planet_theory_internal.h"

namespace orbelle::ephemeris {

namespace {

// Constant of aberration, arc-seconds (Newcomb's value, adopted by the Paris conference of
// 1896 and kept in the Explanatory Supplement to the Astronomical Ephemeris, 1961).
constexpr double kAberration = 20.47;

// Newcomb's elements of date of a planet: mean longitude L, mean motion n, longitude of
// perihelion, mean anomaly M, eccentricity, node, inclination, semi-major axis; degrees,
// degrees per Julian year, AU. (Not the Kepler elements of the orbit points.) The
// polynomials in T are those of Newcomb's tables, whole revolutions of the linear terms
// written apart: Mercury, APAE vol. 6 part 2 (1895); Venus, part 3 (1895); Mars, part 4
// (1898).
struct NewcombElements {
  double L, n, perihelion, M, e, node, i, a;
};

NewcombElements PlanetElements(Integer body, double T, double T2, double T3) {
  auto N = [](double a) { return Norm360D(a); };
  switch (body) {
    case kMercury:
      return {N(N(415.0 * 360.0 * T) + 178.15 + (266654.8 * T + 104.68 + 1.084 * T2) / 3600.0),
              (5381016.3093 - 0.000495 * T) / 3600.0,
              75.85 + (5599.76 * T + 178.91 + 1.061 * T2) / 3600.0,
              N(N(415.0 * 360.0 * T) + 102.25 + (261055.04 * T + 105.77 + 0.024 * T2) / 3600.0),
              0.20561421 + 2.046e-5 * T - 3e-8 * T2,
              47.1 + (4266.75 * T + 165.4 + 0.626 * T2) / 3600.0,
              7.0 + (6.699 * T + 10.37 - 0.066 * T2) / 3600.0,
              0.3870986};
    case kVenus:
      return {N(N(162.0 * 360.0 * T) + 342.75 + (717162.88 * T + 61.39 + 1.1148 * T2) / 3600.0),
              (2106641.3832 + 9.6e-5 * T) / 3600.0,
              130.15 + (5068.93 * T + 49.8 - 3.515 * T2) / 3600.0,
              N(N(162.0 * 360.0 * T) + 212.6 + (712093.95 * T + 11.6 + 4.63 * T2) / 3600.0),
              0.00682069 - 4.774e-5 * T + 9.1e-8 * T2,
              75.75 + (3239.46 * T + 106.73 + 1.476 * T2) / 3600.0,
              3.35 + (3.621 * T + 157.07 - 0.0035 * T2) / 3600.0,
              0.7233316};
    default:
      return {N(N(53.0 * 360.0 * T) + 293.7 + (222117.33 * T + 171.46 + 1.1184 * T2) / 3600.0),
              (689050.9262 + 0.000169 * T) / 3600.0,
              334.2 + (6626.73 * T + 65.53 + 0.4675 * T2 - 0.0043 * T3) / 3600.0,
              N(N(53.0 * 360.0 * T) + 319.5 + (215490.6 * T + 105.93 + 0.6509 * T2 + 0.0043 * T3) / 3600.0),
              0.0933129 + 9.2064e-5 * T - 7.7e-8 * T2,
              48.75 + (2775.57 * T + 131.19 - 0.005 * T2 - 0.0192 * T3) / 3600.0,
              1.85 + (1.2 - 2.43 * T + 0.0454 * T2) / 3600.0,
              1.523691462};
  }
}

// Long-period terms of Venus and Mars, degrees, added to both L and M: the terms of
// Newcomb's Tables of Venus (APAE 6 part 3) and Tables of Mars (APAE 6 part 4), among them
// Mars's empirical term 52.49" sin(47.48 + 19.771 T) with its constant and secular parts.
double PlanetLongPeriodDeg(Integer body, double T) {
  auto s = [](double a) { return SinDegD(a); };
  if (body == kVenus) {
    return ((2.761 - 0.022 * T) * s(150.27 * T + 237.24) + 0.269 * s(119.05 * T + 212.2) -
            0.208 * s(1223.5 * T + 175.8)) /
           3600.0;
  }
  return (0.606 * s(119.051 * T + 212.87) + 0.009 * s(753.67 * T + 325.0) + 0.13 * s(163.0 * T + 74.0) +
          0.28 * s(40.8 * T + 300.0) + 0.319 * s(773.444 * T + 116.88) + 52.49 * s(19.771 * T + 47.48) - 37.05 -
          13.5 * T) /
         3600.0;
}

// The disturbing planets of each body in the order their terms are added; their mean
// anomalies in degrees (Jupiter's and Saturn's with the great inequality where the theory
// has it), T in Julian centuries from JD 2415020.0: the arguments of Newcomb's tables of
// each body (APAE vol. 6, 1895-1898).
double GreatInequality(double T) { return SinDegD(134.4 + 38.5 * T); }

constexpr std::array<Disturber, 6> kSunDisturbers = {{
    {"SunByMercury", &kSunByMercury, [](double T) { return 102.199 + 149472.35 * T; }, false},
    {"SunByVenus", &kSunByVenus, [](double T) { return 212.445 + 58517.493 * T; }, true},
    {"SunByMars", &kSunByMars, [](double T) { return 319.582 + 19139.977 * T; }, true},
    {"SunMarsLatitude", &kSunMarsLatitude, [](double T) { return 319.582 + 19139.977 * T; }, true},
    {"SunByJupiter", &kSunByJupiter,
     [](double T) { return 225.281 + 3034.583 * T + (0.3315 - 0.00155 * T) * SinDegD(133.9099 + 38.39365 * T); }, true},
    {"SunBySaturn", &kSunBySaturn, [](double T) { return 175.596 + 1221.794 * T; }, true},
}};
constexpr std::array<Disturber, 4> kMercuryDisturbers = {{
    {"MercuryByVenus", &kMercuryByVenus, [](double T) { return 212.536 + 58517.656 * T; }, true},
    {"MercuryByEarth", &kMercuryByEarth, [](double T) { return -1.45 + 35999.213 * T; }, true},
    {"MercuryByJupiter", &kMercuryByJupiter, [](double T) { return 225.36 + 3034.743 * T; }, true},
    {"MercuryBySaturn", &kMercuryBySaturn, [](double T) { return 175.68 + 1221.96 * T; }, true},
}};
constexpr std::array<Disturber, 5> kVenusDisturbers = {{
    {"VenusByMercury", &kVenusByMercury, [](double T) { return 102.35 + 149472.6615 * T; }, true},
    {"VenusByEarth", &kVenusByEarth, [](double T) { return 358.63 + 35999.3595 * T; }, true},
    {"VenusByMars", &kVenusByMars, [](double T) { return 319.74 + 19140.2867 * T; }, true},
    {"VenusByJupiter", &kVenusByJupiter, [](double T) { return 225.43 + 3034.893 * T; }, true},
    {"VenusBySaturn", &kVenusBySaturn, [](double T) { return 175.8 + 1222.0994 * T; }, true},
}};
constexpr std::array<Disturber, 5> kMarsDisturbers = {{
    {"MarsByVenus", &kMarsByVenus, [](double T) { return 212.388 + 58517.3715 * T; }, true},
    {"MarsByEarth", &kMarsByEarth, [](double T) { return 358.415 + 35998.9285 * T; }, true},
    {"MarsByJupiter", &kMarsByJupiter, [](double T) { return 225.209 + 3034.462 * T + 0.332 * GreatInequality(T); },
     true},
    {"MarsBySaturn", &kMarsBySaturn, [](double T) { return 175.533 + 1221.669 * T - 0.808 * GreatInequality(T); },
     true},
    {"MarsByUranus", &kMarsByUranus, [](double T) { return 74.188 + 428.049 * T; }, true},
}};

// The fundamental arguments of an instant in radians, T^3, and the nutation in longitude from
// them (13 terms of Woolard's series, degrees), which the Sun and the planets add.
struct NewcombInstant {
  double T = 0, T2 = 0, T3 = 0;
  NutationRadians radians{};
  float nutation_deg = 0;
  bool set = false;
};

// A pure function of T and T2, worked out once per instant and thread: the Sun of an
// Instant and the planets of the same instant share it.
const NewcombInstant& NewcombInstantAt(double T, double T2) {
  thread_local NewcombInstant last;
  if (last.set && last.T == T && last.T2 == T2) return last;
  last.set = false;
  NewcombInstant now;
  now.T = T;
  now.T2 = T2;
  now.T3 = Checked(T2 * T, "T3");
  const NewcombBrownArguments a = PlanetTheoryArguments(T, T2, now.T3);
  now.radians = {a.sun_longitude * kPlanetDegToRad,  a.sun_anomaly * kPlanetDegToRad,
                 a.moon_longitude * kPlanetDegToRad, a.moon_anomaly * kPlanetDegToRad,
                 a.moon_node * kPlanetDegToRad,      a.moon_elongation * kPlanetDegToRad};
  now.nutation_deg = NutationThirteenTerms(now.radians, T);
  now.set = true;
  last = now;
  return last;
}

}  // namespace

void SolarPlanetaryTheory::SetInstant(double T, double T2) {
  const NewcombInstant& a = NewcombInstantAt(T, T2);
  work_.T3 = a.T3;
  work_.SunMeanLongitude = a.radians.sun_longitude;
  work_.SunMeanAnomaly = a.radians.sun_anomaly;
  work_.MoonMeanLongitude = a.radians.moon_longitude;
  work_.MoonMeanAnomaly = a.radians.moon_anomaly;
  work_.MoonNodeLongitude = a.radians.moon_node;
  work_.MoonElongation = a.radians.moon_elongation;
  nutation_longitude_ = a.nutation_deg;
}

// Kepler's equation by fixed-point iteration to 1e-10 rad, the true anomaly in 0..2 pi, the
// longitude in the orbit (degrees, not reduced) and the radius vector.
void SolarPlanetaryTheory::SolveKepler() {
  if (work_.MeanAnomaly < 0) work_.MeanAnomaly = work_.MeanAnomaly + kDecimalPi + kDecimalPi;
  const double M = work_.MeanAnomaly, e = work_.Eccentricity;
  // The iteration contracts by the factor e: it converges for every ellipse. An eccentricity
  // outside 0..1 (the polynomials taken tens of thousands of years out) would make it wander
  // for ever, so it is refused, as is an iteration that has not settled after a million rounds.
  if (!(e >= 0 && e < 1)) throw CalculationError("Kepler's equation: eccentricity outside 0..1");
  double E = M, previous = 0;
  int rounds = 0;
  do {
    previous = E;
    E = Checked(M + e * std::sin(previous), "eccentric anomaly");
    if (++rounds > 1000000) throw CalculationError("Kepler's equation does not converge");
  } while (std::fabs(previous - E) > 1e-10);
  double v = 2.0 * std::atan(SquareRoot((1 + e) / (1 - e), "true anomaly") *
                             Divide(std::sin(E / 2), std::cos(E / 2), "true anomaly"));
  if (v < 0) {
    v += kDecimalPi;
    if (E >= kDecimalPi && v < kDecimalPi) v += kDecimalPi;
  }
  work_.TrueLongitudeDeg = (v - M + work_.MeanLongitude) * kPlanetRadToDeg;
  work_.RadiusVectorAu = (1 - e * std::cos(E)) * work_.SemiMajorAxisAu;
  work_.EccentricAnomaly = E;
}

// The Sun by Newcomb's theory (Tables of the Sun, APAE vol. 6 part 1, 1895): mean elements
// of the Earth's orbit with the long-period terms, the perturbations, the Earth's
// heliocentric position and velocity, then the apparent longitude with nutation and the
// annual aberration 20.47" / R.
SolarResult SolarPlanetaryTheory::Sun(const TimeArguments& t) {
  auto s = [](double a) { return SinDegD(a); };
  auto c = [](double a) { return CosDegD(a); };
  SetInstant(t.T, t.T2);
  UnperturbedOrbit(kSun, t.T, t.T2);
  SetOwnMultiples();
  AddSunPerturbations(t.T);

  pert_longitude_ = pert_longitude_ / 3600.0;
  pert_log_radius_ = pert_log_radius_ * 1e-9;
  work_.TrueLongitudeDeg = Norm360D(pert_longitude_ + work_.TrueLongitudeDeg);
  work_.RadiusVectorAu = Checked(std::pow(10.0, pert_log_radius_) * work_.RadiusVectorAu, "radius vector");
  work_.HelioLatitudeDeg = pert_latitude_ / 3600.0;
  const double lambda = work_.TrueLongitudeDeg, beta = work_.HelioLatitudeDeg, R = work_.RadiusVectorAu;

  SolarResult r;
  Position& sun = r.sun;
  HeliocentricState& earth = r.earth;
  sun.geo_lon_deg = LongitudeShiftedOneTurn(lambda, "Sun longitude");
  sun.geo_lat_deg = ToSingle(beta, "Sun latitude");
  sun.geo_dist_au = ToSingle(R, "Sun distance");
  sun.helio_lon_deg = LongitudeShiftedOneTurn(Norm360D(180.0 + lambda), "Earth longitude");
  sun.helio_lat_deg = ToSingle(-beta, "Earth latitude");
  sun.helio_dist_au = ToSingle(R, "Earth distance");

  earth.x = ToSingle(-R * c(lambda) * c(beta), "EarthX");
  earth.y = ToSingle(-R * s(lambda) * c(beta), "EarthY");
  earth.z = ToSingle(-R * s(beta), "EarthZ");

  // Velocity of the unperturbed ellipse, scaled to the perturbed radius vector.
  const double a = work_.SemiMajorAxisAu, e = work_.Eccentricity;
  const float s_peri = ToSingle(std::sin(work_.PerihelionLongitude)),
              c_peri = ToSingle(std::cos(work_.PerihelionLongitude));
  const float s_ecc = ToSingle(std::sin(work_.EccentricAnomaly)), c_ecc = ToSingle(std::cos(work_.EccentricAnomaly));
  const float minor = ToSingle(SquareRoot(1 - e * e, "minor axis") * a);
  work_.OrbitPX = c_peri * a;
  work_.OrbitPY = s_peri * a;
  work_.OrbitQX = -s_peri * double(minor);
  work_.OrbitQY = c_peri * double(minor);
  const double k = Divide(a * work_.MeanMotionRadPerYear / 365.25, R, "Earth velocity");
  earth.vx = ToSingle(-k * (-work_.OrbitPX * s_ecc + c_ecc * work_.OrbitQX), "EarthDX");
  earth.vy = ToSingle(-k * (-work_.OrbitPY * s_ecc + c_ecc * work_.OrbitQY), "EarthDY");

  const float ahead_y = ToSingle(-double(earth.y) - earth.vy), ahead_x = ToSingle(-double(earth.x) - earth.vx);
  const double speed = double(Atan2Deg(ahead_y, ahead_x)) - sun.geo_lon_deg;
  sun.geo_motion_deg_per_day = ToSingle(MotionWrappedBelowHalfTurnBack(speed), "Sun daily motion");
  sun.helio_motion_deg_per_day = sun.geo_motion_deg_per_day;

  const double apparent = nutation_longitude_ + double(sun.geo_lon_deg) - (kAberration / R) / 3600.0;
  sun.geo_lon_deg = LongitudeShiftedOneTurn(apparent, "Sun longitude");
  return r;
}

// The Sun's perturbations, by Mercury, Venus, Mars, Jupiter, Saturn and the Moon. The
// planetary latitude terms enter the Sun's latitude with the opposite sign.
void SolarPlanetaryTheory::AddSunPerturbations(double T) {
  // Mercury: its anomaly in radians, used directly in every term as 1 x.
  const double mercury = kSunDisturbers[0].Radians(T);
  const std::vector<TurnedBlock>& blocks = terms_->sun;
  AddSeries(blocks[0].longitude, pert_longitude_, false, &mercury);
  AddSeries(blocks[0].log_radius, pert_log_radius_, false, &mercury);

  SetDisturberMultiples(kSunDisturbers[1].degrees(T));
  PerturbSunByVenus();
  SetDisturberMultiples(kSunDisturbers[2].degrees(T));
  PerturbSunByMars();
  AddInlineTerms(blocks[3]);
  AddInlineBlock(kSunDisturbers[4].degrees(T), blocks[4]);
  AddInlineBlock(kSunDisturbers[5].degrees(T), blocks[5]);

  const LunarTermsOfTheSun moon = LunarTerms();
  pert_longitude_ += moon.longitude;
  pert_log_radius_ += moon.log_radius;
  pert_latitude_ = moon.latitude - pert_latitude_;
}

// The Earth's motion about the Earth-Moon barycentre: the lunar terms of Newcomb's Tables of
// the Sun (APAE 6 part 1) in longitude (arc-seconds), log r (units of the ninth decimal) and
// latitude, from the fundamental arguments of the instant.
SolarPlanetaryTheory::LunarTermsOfTheSun SolarPlanetaryTheory::LunarTerms() const {
  const double D = work_.MoonElongation, Mm = work_.MoonMeanAnomaly, Ms = work_.SunMeanAnomaly;
  const double F = work_.MoonMeanLongitude - work_.MoonNodeLongitude;
  const double G = 2.0 * (work_.SunMeanLongitude - work_.MoonNodeLongitude);
  const double H = D - Mm - Ms;
  using std::cos;
  using std::sin;
  LunarTermsOfTheSun t;
  t.longitude = 6.454 * sin(D) + 0.013 * sin(3 * D) + 0.177 * sin(D + Mm) - 0.424 * sin(D - Mm) +
                0.039 * sin(3 * D - Mm) - 0.064 * sin(D + Ms) + 0.172 * sin(D - Ms) - 0.013 * sin(H) - 0.013 * sin(G);
  const double radius = 1336 * cos(D) + 3 * cos(3 * D) + 37 * cos(D + Mm) - 133 * cos(D - Mm) + 8 * cos(3 * D - Mm) -
                        14 * cos(D + Ms) + 36 * cos(D - Ms) - 3 * cos(H) + 3 * cos(G);
  t.log_radius = 10.0 * radius;
  t.latitude = 0.576 * sin(F) + 0.016 * sin(F + Mm) - 0.047 * sin(F - Mm) + 0.021 * sin(F - G) +
               0.005 * sin(F - G - Mm) + 0.005 * sin(F + Ms) + 0.005 * sin(F - Ms);
  return t;
}

void SolarPlanetaryTheory::AddMercuryPerturbations(double T) {
  SetDisturberMultiples(kMercuryDisturbers[0].degrees(T));
  PerturbMercuryByVenus();
  for (std::size_t k = 1; k < kMercuryDisturbers.size(); ++k) {
    AddInlineBlock(kMercuryDisturbers[k].degrees(T), terms_->mercury[k]);
  }
}

void SolarPlanetaryTheory::AddVenusPerturbations(double T) {
  AddInlineBlock(kVenusDisturbers[0].degrees(T), terms_->venus[0]);
  SetDisturberMultiples(kVenusDisturbers[1].degrees(T));
  PerturbVenusByEarth();
  for (std::size_t k = 2; k < kVenusDisturbers.size(); ++k) {
    AddInlineBlock(kVenusDisturbers[k].degrees(T), terms_->venus[k]);
  }
}

// Mars: two terms of its own first (the equation of the centre beyond the Kepler ellipse of
// the mean elements), then Venus, the Earth, Jupiter, Saturn and Uranus.
void SolarPlanetaryTheory::AddMarsPerturbations(double T) {
  const MarsOwnTerms own = OwnTermsOfMars();
  pert_longitude_ = own.longitude;
  pert_log_radius_ = own.log_radius;
  for (std::size_t k = 0; k < kMarsDisturbers.size(); ++k) {
    AddInlineBlock(kMarsDisturbers[k].degrees(T), terms_->mars[k]);
  }
}

SolarPlanetaryTheory::MarsOwnTerms SolarPlanetaryTheory::OwnTermsOfMars() const {
  return {0.043 * std::sin(OwnMultiple(2)), -465.0 * std::cos(OwnMultiple(1)) - 105.0 * std::cos(OwnMultiple(2))};
}

double Disturber::Radians(double T) const { return (reduced ? Norm360D(degrees(T)) : degrees(T)) * kPlanetDegToRad; }

std::span<const Disturber> DisturbersOf(Integer body) {
  switch (body) {
    case kSun: return kSunDisturbers;
    case kMercury: return kMercuryDisturbers;
    case kVenus: return kVenusDisturbers;
    case kMars: return kMarsDisturbers;
    default: return {};
  }
}

// Mercury, Venus, Mars: Newcomb's mean elements of date (with the long-period terms of Venus
// and Mars), Kepler's equation, the perturbations, and the reduction.
Position SolarPlanetaryTheory::Planet(Integer body, const TimeArguments& t, const HeliocentricState& earth) {
  SetInstant(t.T, t.T2);
  UnperturbedOrbit(body, t.T, t.T2);
  SetOwnMultiples();
  if (body == kMercury) AddMercuryPerturbations(t.T);
  if (body == kVenus) AddVenusPerturbations(t.T);
  if (body == kMars) AddMarsPerturbations(t.T);
  return ReducePlanet(earth);
}

// The Sun: the Earth's orbit from the Sun's mean longitude and anomaly of the instant, with
// the long-period terms; perihelion, eccentricity and the anomalistic year of Newcomb's
// Tables of the Sun (APAE 6 part 1), the long-period terms (by Venus, Mars, Jupiter and the
// empirical 6.4" term) of the same tables. The planets: Newcomb's elements of date, with the
// long-period terms of Venus and Mars in both L and M.
void SolarPlanetaryTheory::UnperturbedOrbit(Integer body, double T, double T2) {
  if (body == kSun) {
    const double T3 = work_.T3;
    auto s = [](double a) { return SinDegD(a); };
    work_.MeanLongitude = work_.SunMeanLongitude;
    work_.MeanAnomaly = work_.SunMeanAnomaly;
    work_.MeanMotionRadPerYear = 360.0 / (365.25636042 + 1.1e-7 * T) * 365.25 * kPlanetDegToRad;
    work_.PerihelionLongitude = ((6189.03 * T + 1.63 * T2 + 0.023 * T3) / 3600.0 + 281.220833) * kPlanetDegToRad;
    work_.Eccentricity = 0.01675104 - 4.18e-5 * T - 1.26e-7 * T2;
    work_.SemiMajorAxisAu = 1.00000023;
    double long_period_arcsec =
        0.266 * s(119.0 * T + 31.8) + 6.4 * s(20.2 * T + 231.19) + (1.882 - 0.016 * T) * s(150.27 * T + 57.24);
    work_.MeanAnomaly = work_.MeanAnomaly + long_period_arcsec * kPlanetArcsecToRad;
    SolveKepler();
    long_period_arcsec = long_period_arcsec + 0.202 * s(893.3 * T + 315.6);
    work_.TrueLongitudeDeg = work_.TrueLongitudeDeg + long_period_arcsec / 3600.0;
    return;
  }
  NewcombElements el = PlanetElements(body, T, T2, work_.T3);
  if (body != kMercury) {
    const double long_period_deg = PlanetLongPeriodDeg(body, T);
    el.L += long_period_deg;
    el.M += long_period_deg;
  }
  const double k = kPlanetDegToRad;
  work_.MeanLongitude = el.L * k;
  work_.MeanMotionRadPerYear = el.n * k;
  work_.PerihelionLongitude = el.perihelion * k;
  work_.MeanAnomaly = el.M * k;
  work_.NodeLongitude = el.node * k;
  work_.Inclination = el.i * k;
  work_.Eccentricity = el.e;
  work_.SemiMajorAxisAu = el.a;
  SolveKepler();
}

// From the perturbed longitude in the orbit to the ecliptic (the reduction series in
// tan^2(i/2)), the heliocentric and geocentric positions, the daily motions from the
// unperturbed ellipse, light time and nutation.
Position SolarPlanetaryTheory::ReducePlanet(const HeliocentricState& earth) {
  Position p;
  const double node = work_.NodeLongitude, incl = work_.Inclination;
  const double u = (pert_longitude_ / 3600.0 + work_.TrueLongitudeDeg) * kPlanetDegToRad - node;
  const double tan_half = std::sin(incl / 2) / std::cos(incl / 2);
  const double t = tan_half * tan_half;
  const double reduction = -t * std::sin(2 * u) + 0.5 * t * t * std::sin(4 * u) - t * t * t * std::sin(6 * u) / 3;
  work_.TrueLongitudeDeg = Norm360D((u + node + reduction) * kPlanetRadToDeg);
  work_.HelioLatitudeDeg = double(ArcSinDeg(ToSingle(std::sin(incl) * std::sin(u)))) + pert_latitude_ / 3600.0;
  const double l = work_.TrueLongitudeDeg, lat = work_.HelioLatitudeDeg;
  p.helio_lon_deg = LongitudeShiftedOneTurn(l, "heliocentric longitude");
  p.helio_lat_deg = ToSingle(lat, "heliocentric latitude");
  pert_log_radius_ = pert_log_radius_ * 1e-9;
  work_.RadiusVectorAu = Checked(std::pow(10.0, pert_log_radius_) * work_.RadiusVectorAu, "radius vector");
  const double radius = work_.RadiusVectorAu;
  p.helio_dist_au = ToSingle(radius, "heliocentric distance");

  // The orbit's P and Q vectors (scaled by a and b) projected on the ecliptic x and y.
  const double a = work_.SemiMajorAxisAu, e = work_.Eccentricity;
  const double omega = work_.PerihelionLongitude - node;
  const double c_omega = std::cos(omega), s_omega = std::sin(omega), c_node = std::cos(node), s_node = std::sin(node);
  const double c_incl = ToSingle(std::cos(incl));
  const double minor = SquareRoot(1 - e * e, "minor axis") * a;
  work_.OrbitPX = (c_node * c_omega - s_omega * s_node * c_incl) * a;
  work_.OrbitQX = (-s_omega * c_node - s_node * c_omega * c_incl) * minor;
  work_.OrbitPY = (s_node * c_omega + s_omega * c_node * c_incl) * a;
  work_.OrbitQY = (-s_omega * s_node + c_node * c_omega * c_incl) * minor;

  // Unperturbed position and daily velocity in the orbit, units of a.
  const double per_day = work_.MeanMotionRadPerYear / 365.25;
  const float c_ecc = ToSingle(std::cos(work_.EccentricAnomaly));
  const float k = ToSingle(Divide(1.0, 1.0 - c_ecc * e, "orbit velocity"));
  const float x_orbit = ToSingle(c_ecc - e), y_orbit = ToSingle(std::sin(work_.EccentricAnomaly));
  const float vx_orbit = ToSingle(-per_day * y_orbit * k), vy_orbit = ToSingle(c_ecc * double(k) * per_day);
  HeliocentricState unperturbed;
  unperturbed.x = ToSingle(x_orbit * work_.OrbitPX + y_orbit * work_.OrbitQX);
  unperturbed.y = ToSingle(x_orbit * work_.OrbitPY + y_orbit * work_.OrbitQY);
  unperturbed.vx = ToSingle(vx_orbit * work_.OrbitPX + vy_orbit * work_.OrbitQX);
  unperturbed.vy = ToSingle(vx_orbit * work_.OrbitPY + vy_orbit * work_.OrbitQY);
  p.helio_motion_deg_per_day = DailyMotion(unperturbed, {}, ReductionOrder::kNewcombPlanet).motion_deg_per_day;
  const DirectionAndMotion geo_motion = DailyMotion(unperturbed, earth, ReductionOrder::kNewcombPlanet);

  // The perturbed position, from its longitude, latitude and radius vector.
  HeliocentricState perturbed;
  perturbed.x = ToSingle(CosDegD(lat) * radius * CosDegD(l));
  perturbed.y = ToSingle(CosDegD(lat) * radius * SinDegD(l));
  perturbed.z = ToSingle(SinDegD(lat) * radius);
  return WithGeocentric(p, SeenFrom(perturbed, earth, geo_motion, nutation_longitude_, ReductionOrder::kNewcombPlanet),
                        geo_motion.motion_deg_per_day);
}

}  // namespace orbelle::ephemeris
