#include "tools/lunar_accuracy/lunar_comparison.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "ephemeris/result_arrays.h"
#include "ephemeris/theories/lunar_theory.h"
#include "tools/reference/swetest.h"

namespace orbelle::lunar_accuracy {

namespace {

using ephemeris::Integer;

// Difference of two longitudes in degrees, folded into -180..180, in arc-seconds.
double ArcsecondsBetween(double ours, double reference) {
  return std::remainder(ours - reference, 360.0) * 3600.0;
}

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
  ephemeris::ResultArrays results;
  const ephemeris::ResultSpans r = results.Spans();
  LunarErrors e;
  for (std::size_t i = 0; i < jds.size(); ++i) {
    const auto& now = earth[3 * i];
    const auto& before = earth[3 * i + 1];
    const auto& after = earth[3 * i + 2];
    ephemeris::InstantState instant;
    instant.JD = jds[i];
    instant.Earth = {float(now[0]), float(now[1]), float(now[2]), float(after[0] - before[0]),
                     float(after[1] - before[1])};
    theory.LunarEphemeris(ephemeris::kMoon, 1, instant, r);
    Widen(e.mean_node, ArcsecondsBetween(r.GeoLon[16], mean_node[i][0]));
    Widen(e.longitude, ArcsecondsBetween(r.GeoLon[2], geocentric[i][0]));
    Widen(e.latitude, (r.GeoLat[2] - geocentric[i][1]) * 3600.0);
    Widen(e.distance, r.GeoDist[2] - geocentric[i][2]);
    Widen(e.speed, r.GeoSpeed[2] - geocentric[i][3]);
    Widen(e.helio_longitude, ArcsecondsBetween(r.HelioLon[2], heliocentric[i][0]));
    Widen(e.helio_latitude, (r.HelioLat[2] - heliocentric[i][1]) * 3600.0);
    Widen(e.helio_distance, r.HelioDist[2] - heliocentric[i][2]);
    Widen(e.helio_speed, r.HelioSpeed[2] - heliocentric[i][3]);
    theory.LunarEphemeris(ephemeris::kNorthNode, 1, instant, r);
    Widen(e.true_node, ArcsecondsBetween(r.GeoLon[16], true_node[i][0]));
  }
  return e;
}

}  // namespace orbelle::lunar_accuracy
