#include "tools/lunar_accuracy/lunar_comparison.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "ephemeris/theories/lunar_theory_internal.h"
#include "tools/reference/swetest.h"

namespace orbelle::lunar_accuracy {

namespace {

using ephemeris::Integer;

// Difference of two longitudes in degrees, folded into -180..180, in arc-seconds.
double ArcsecondsBetween(double ours, double reference) { return std::remainder(ours - reference, 360.0) * 3600.0; }

void Widen(double& largest, double difference) { largest = std::max(largest, std::fabs(difference)); }

}  // namespace

std::vector<double> RandomInstants(int count, double first_year, double last_year, unsigned seed) {
  std::mt19937_64 generator(seed);
  std::uniform_real_distribution<double> year(first_year, last_year);
  std::vector<double> jds(count);
  for (double& jd : jds) jd = 2451545.0 + (year(generator) - 2000.0) * 365.25;
  return jds;
}

LunarErrors CompareWithReference(const std::vector<double>& jds,
                                 std::span<const ephemeris::LunarArgumentTerm> further_longitude_terms) {
  using reference::Swetest;
  const auto geocentric = Swetest("-p1 -flbRs", jds);
  const auto heliocentric = Swetest("-p1 -hel -true -nonut -flbRs", jds);
  const auto true_node = Swetest("-pt -nonut -fl", jds);
  const auto mean_node = Swetest("-pm -nonut -fl", jds);
  std::vector<double> earth_instants;
  for (double jd : jds) earth_instants.insert(earth_instants.end(), {jd, jd - 0.5, jd + 0.5});
  const auto earth = Swetest("-pC -hel -true -nonut -fX", earth_instants);

  ephemeris::LunarTheory theory(further_longitude_terms);
  LunarErrors e;
  for (std::size_t i = 0; i < jds.size(); ++i) {
    const auto& now = earth[3 * i];
    const auto& before = earth[3 * i + 1];
    const auto& after = earth[3 * i + 2];
    const ephemeris::TimeArguments t = ephemeris::TimeArgumentsAt(jds[i]);
    const ephemeris::HeliocentricState earth_state{float(now[0]), float(now[1]), float(now[2]),
                                                   float(after[0] - before[0]), float(after[1] - before[1])};
    const ephemeris::LunarPosition m = theory.Moon(t, earth_state);
    const ephemeris::Position& p = m.body;
    Widen(e.mean_node, ArcsecondsBetween(m.north_node_deg, mean_node[i][0]));
    Widen(e.longitude, ArcsecondsBetween(p.geo_lon_deg, geocentric[i][0]));
    Widen(e.latitude, (p.geo_lat_deg - geocentric[i][1]) * 3600.0);
    Widen(e.distance, p.geo_dist_au - geocentric[i][2]);
    Widen(e.speed, p.geo_motion_deg_per_day - geocentric[i][3]);
    Widen(e.helio_longitude, ArcsecondsBetween(p.helio_lon_deg, heliocentric[i][0]));
    Widen(e.helio_latitude, (p.helio_lat_deg - heliocentric[i][1]) * 3600.0);
    Widen(e.helio_distance, p.helio_dist_au - heliocentric[i][2]);
    Widen(e.helio_speed, p.helio_motion_deg_per_day - heliocentric[i][3]);
    Widen(e.true_node, ArcsecondsBetween(theory.TrueNodes(t).north_node_deg, true_node[i][0]));
  }
  return e;
}

}  // namespace orbelle::lunar_accuracy
