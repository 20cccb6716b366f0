// Kepler orbits, the distant bodies, the mean elements and the orbit points.
#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/engine_error.h"
#include "ephemeris/kepler_orbit.h"
#include "ephemeris/mean_elements.h"
#include "ephemeris/orbit_points.h"
#include "tests/support/engine_call.h"

namespace orbelle::ephemeris {
namespace {

constexpr double kJ1900 = 2415020.0;

double Degrees(double radians) { return radians * 180.0 / M_PI; }

TEST(EccentricAnomaly, SolvesKeplersEquationOverAllEccentricitiesAndAnomalies) {
  // Includes the high eccentricities where the first Newton step is larger than the offset
  // of the starting value (e = 0.99, M = 0.001 rad: the root is E = 0.1685 rad, far from
  // the start at 0.003) and where Newton's method from the usual start runs away
  // (e = 0.999, M = 0.01).
  for (float e : {0.0f, 0.05f, 0.3f, 0.6f, 0.9f, 0.97f, 0.99f, 0.999f}) {
    for (float M : {0.0f, 0.001f, 0.01f, 0.5f, 1.5f, 3.0f, 3.14159f, 4.0f, 6.2f}) {
      const double E = EccentricAnomaly(M, e);
      EXPECT_NEAR(E - e * std::sin(E), M, 2e-6) << "e=" << e << " M=" << M;
    }
  }
  EXPECT_EQ(EccentricAnomaly(1.25f, 0.0f), 1.25f);
  // Outside the range: a parabola at perihelion is a division by zero.
  EXPECT_THROW(EccentricAnomaly(0.0f, 1.0f), CalculationError);
}

TEST(KeplerOrbit, CircleEllipseAndVelocity) {
  OrbitalElements el;
  el.a = 2.5f;
  el.omega = 0.3f;
  el.node = 1.1f;
  el.M = 40.0f;
  el.n = 0.01f;
  const HeliocentricState circle = KeplerOrbit(el);
  EXPECT_NEAR(std::hypot(circle.x, circle.y), 2.5, 1e-6);
  EXPECT_NEAR(std::remainder(Degrees(std::atan2(circle.y, circle.x)) - (Degrees(0.3 + 1.1) + 40.0), 360.0), 0.0,
              1e-4);

  // Ellipse, in the ecliptic: distance a (1 - e cos E) and true anomaly from
  // tan(v/2) = sqrt((1+e)/(1-e)) tan(E/2); and the velocity against a central difference of
  // positions one hour apart.
  el.e = 0.4f;
  el.i = 0.0f;
  const HeliocentricState s = KeplerOrbit(el);
  const double E = EccentricAnomaly(static_cast<float>(40.0 * M_PI / 180.0), 0.4f);
  const double v = 2.0 * std::atan(std::sqrt(1.4 / 0.6) * std::tan(E / 2.0));
  EXPECT_NEAR(std::hypot(s.x, s.y), 2.5 * (1.0 - 0.4 * std::cos(E)), 1e-5);
  EXPECT_NEAR(std::remainder(Degrees(std::atan2(s.y, s.x)) - Degrees(0.3 + 1.1 + v), 360.0), 0.0, 1e-4);

  el.i = 0.5f;
  const double hour = 1.0 / 24.0, dM = Degrees(el.n) * hour;
  OrbitalElements before = el, after = el;
  before.M = static_cast<float>(el.M - dM);
  after.M = static_cast<float>(el.M + dM);
  const HeliocentricState mid = KeplerOrbit(el), b = KeplerOrbit(before), a = KeplerOrbit(after);
  EXPECT_NEAR(mid.vx, (a.x - b.x) / (2 * hour), 2e-5);
  EXPECT_NEAR(mid.vy, (a.y - b.y) / (2 * hour), 2e-5);

  el.e = 1.0f;
  EXPECT_THROW(KeplerOrbit(el), CalculationError);
}

TEST(DistantBodies, Body27AtT0AndTheOthersOnTheirTableOrbits) {
  test::EngineCall call;
  call.At(kJ1900, 27);
  EXPECT_NEAR(call.r.HelioLon[27], 138.0533, 1e-4);
  EXPECT_NEAR(call.r.HelioDist[27], 70.29949, 1e-4);
  EXPECT_NEAR(call.r.HelioLat[27], 0.0, 1e-6);
  // Circular orbit at 61.0765 degrees per century; the motion is the difference of two
  // single-precision longitudes.
  EXPECT_NEAR(call.r.HelioSpeed[27], 61.0765 / 36525.0, 2e-5);

  // Body 23 (e = 0.0046, i = 1.0833 degrees) stays within a (1 +- e) and the inclination.
  for (double jd : {2300000.5, 2451545.0, 2600000.5}) {
    call.At(jd, 23);
    EXPECT_NEAR(call.r.HelioDist[23], 40.99837, 40.99837 * 0.0046 + 1e-4) << jd;
    EXPECT_LE(std::fabs(call.r.HelioLat[23]), 1.0834f) << jd;
  }
  // Orbit points are never written for bodies from 18 on, whatever Mode asks.
  call.r.AscNodeLon[25] = 7.0f;
  call.At(2451545.0, 25, 2);
  EXPECT_EQ(call.r.AscNodeLon[25], 7.0f);
}

TEST(DistantBodies, Body31AtItsEpochTakesTheLimitOfThePrecessionFormula) {
  // At JD 2415020.303 the rotation between the ecliptics vanishes (0/0 in the formula); the
  // longitude of perihelion is then the fixed 0.0438748 degrees, and the longitude and the
  // distance follow from Kepler's equation for M = 66.8065314 degrees, e = 0.3 (hand
  // calculation in double precision: 101.585490 degrees, 75.275370 AU).
  test::EngineCall call;
  call.At(2415020.303, 31);
  EXPECT_NEAR(call.r.HelioLon[31], 101.585490, 2e-4);
  EXPECT_NEAR(call.r.HelioDist[31], 75.275370, 2e-4);
  // Continuous through the epoch.
  for (double dt : {-1e-3, 1e-3, -1.0, 1.0}) {
    const float at_epoch = call.r.HelioLon[31];
    call.At(2415020.303 + dt, 31);
    EXPECT_NEAR(call.r.HelioLon[31], at_epoch, 0.0015 * std::fabs(dt) + 1e-4) << dt;
    call.At(2415020.303, 31);
  }
}

TEST(OrbitPoints, HeliocentricAndGeocentricForEverySignOfMode) {
  OrbitalElements el;
  el.a = 5.0f;
  el.node = static_cast<float>(100.0 * M_PI / 180.0);
  el.omega = static_cast<float>(30.0 * M_PI / 180.0);
  for (Integer mode : {2, -2}) {
    const OrbitPointDirections p = OrbitPoints(el, mode, 1.0f, 0.0f);
    EXPECT_NEAR(p.ascending_node, 100.0, 1e-4);
    EXPECT_NEAR(p.descending_node, 280.0, 1e-4);
    EXPECT_NEAR(p.perihelion, 130.0, 1e-4);
    EXPECT_NEAR(p.aphelion, 310.0, 1e-4);
  }
  // Seen from the Earth at (1, 0): the node point (5 cos 100, 5 sin 100) minus the Earth.
  for (Integer mode : {1, -1, 3}) {
    const OrbitPointDirections p = OrbitPoints(el, mode, 1.0f, 0.0f);
    const double c = std::cos(100.0 * M_PI / 180.0), s = std::sin(100.0 * M_PI / 180.0);
    EXPECT_NEAR(p.ascending_node, Degrees(std::atan2(5 * s, 5 * c - 1)), 1e-4);
    EXPECT_NEAR(p.descending_node, 360.0 + Degrees(std::atan2(-5 * s, -5 * c - 1)), 1e-4);
  }
  // An eccentric, inclined orbit: the nodes at the conic's radii p / (1 +- e cos omega).
  el.e = 0.5f;
  el.i = 0.4f;
  const OrbitPointDirections g = OrbitPoints(el, 1, 0.0f, 3.0f);
  const double p = 5.0 * 0.75, r = p / (1 + 0.5 * std::cos(30.0 * M_PI / 180.0));
  const double c = std::cos(100.0 * M_PI / 180.0), s = std::sin(100.0 * M_PI / 180.0);
  EXPECT_NEAR(g.ascending_node, 360.0 + Degrees(std::atan2(r * s - 3, r * c)), 1e-4);
}

TEST(MeanElements, OrbitPointsOfTheTableBodiesThroughTheDriver) {
  // At T = 0 with Mode 2: the Earth's perihelion at 101.220833 degrees, Jupiter's node at
  // 357996.19" = 99.443386 degrees, Pluto's node at 108.94405 degrees (the constant terms).
  test::EngineCall call;
  call.At(kJ1900, 1, 2);
  EXPECT_NEAR(call.r.PerihelionLon[1], 101.220833, 1e-4);
  EXPECT_NEAR(call.r.AphelionLon[1], 281.220833, 1e-4);
  for (auto [body, node] : {std::pair<Integer, double>{10, 99.443386}, {15, 108.94405}}) {
    call.r.GeoLon[body] = 5.0f;
    call.At(kJ1900, body, -2);  // negative Mode: orbit points only, no file is read
    EXPECT_NEAR(call.r.AscNodeLon[body], node, 1e-4) << body;
    EXPECT_NEAR(call.r.DescNodeLon[body], node + 180.0, 1e-4) << body;
    EXPECT_EQ(call.r.GeoLon[body], 5.0f) << body;
  }
  EXPECT_FALSE(MeanElements(2, 0.0));
  EXPECT_FALSE(MeanElements(16, 0.0));
}

}  // namespace
}  // namespace orbelle::ephemeris
