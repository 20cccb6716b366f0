// orbelle-bench: the cost of one table request and of each source of the engine, timed side
// by side with the reference library computing the same values for the same instants.
//
//   build/bench/orbelle-bench --benchmark_filter='FullRequest|Reference'
//
// FullRequest/* runs the engine as the table does (body 0 and the eleven rows) for one instant
// per iteration; Reference/* asks Swiss Ephemeris (JPL-derived files) for the eleven apparent
// geocentric longitudes and the ten heliocentric ones at the same instants. "random" instants
// are spread over 1800-2200 (fixed seed); "sequential" ones are half a day apart.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "ephemeris/theories/lunar_theory_internal.h"
#include "ephemeris/theories/planet_theory_internal.h"
#include "host/core/angles_table.h"
#include "host/core/command_line.h"
#include "host/core/text_surface.h"

extern "C" {
#include <swephexp.h>
}

namespace {

using orbelle::ephemeris::Integer;

constexpr std::size_t kInstants = 4096;
constexpr double kJd1800 = 2378496.5, kJd2200 = 2524593.5;

std::vector<double> Instants(bool random) {
  std::vector<double> jds(kInstants);
  std::mt19937_64 rng(20261206);
  std::uniform_real_distribution<double> spread(kJd1800, kJd2200);
  for (std::size_t k = 0; k < kInstants; ++k) jds[k] = random ? spread(rng) : 2451545.0 + 0.5 * double(k);
  return jds;
}

struct Engine {
  orbelle::host::AnglesTable table;
  Engine() { table.EphemerisDirectory = orbelle::host::ShippedDataDirectory(); }
  void Call(Integer body, double jd) { table.CallEngine(body, jd); }
};

void FullRequest(benchmark::State& state, bool random) {
  const auto jds = Instants(random);
  Engine e;
  std::size_t k = 0;
  for (auto _ : state) {
    const double jd = jds[k++ % kInstants];
    e.Call(0, jd);
    for (Integer body : orbelle::ephemeris::kTableRows) e.Call(body, jd);
    benchmark::DoNotOptimize(e.table.Results.GeoLon[16]);
  }
  // What the engine holds between requests: the ephemeris-record cache and the instant inside
  // the object, the working records of the two theories behind their sources.
  state.counters["engine_bytes"] = sizeof(orbelle::ephemeris::Ephemeris) +
                                   sizeof(orbelle::ephemeris::SolarPlanetaryTheory) +
                                   sizeof(orbelle::ephemeris::LunarTheory);
}
BENCHMARK_CAPTURE(FullRequest, random, true)->Name("FullRequest/random");
BENCHMARK_CAPTURE(FullRequest, sequential, false)->Name("FullRequest/sequential");

void Reference(benchmark::State& state, bool random) {
  const auto jds = Instants(random);
  swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
  const int geo[] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,     SE_JUPITER,
                     SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_TRUE_NODE};
  const int helio[] = {SE_EARTH,   SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                       SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
  const int geo_flags = SEFLG_SWIEPH | SEFLG_SPEED;
  const int helio_flags = SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_NONUT;
  double xx[6];
  char err[AS_MAXCH];
  std::size_t k = 0;
  for (auto _ : state) {
    const double jd = jds[k++ % kInstants];
    for (int body : geo) swe_calc(jd, body, geo_flags, xx, err);
    for (int body : helio) swe_calc(jd, body, helio_flags, xx, err);
    benchmark::DoNotOptimize(xx[0]);
  }
}
BENCHMARK_CAPTURE(Reference, random, true)->Name("Reference/random");
BENCHMARK_CAPTURE(Reference, sequential, false)->Name("Reference/sequential");

// One source alone: body 0 and body 1 (which every geocentric position needs), then `body`;
// a minor body reads the ".ELM" file `path` (elements every 20 days, 1900-2100).
void Source(benchmark::State& state, Integer body, const char* path = nullptr) {
  auto jds = Instants(true);
  Engine e;
  if (path) {
    e.table.EphemerisDirectory = orbelle::host::ShippedDataDirectory() + path;
    for (double& jd : jds) jd = 2415020.5 + std::fmod(jd, 73000.0);
  }
  std::size_t k = 0;
  for (auto _ : state) {
    const double jd = jds[k++ % kInstants];
    e.Call(0, jd);
    e.Call(1, jd);
    if (body != 1) e.Call(body, jd);
    benchmark::DoNotOptimize(e.table.Results.GeoLon[static_cast<std::size_t>(body)]);
  }
}
BENCHMARK_CAPTURE(Source, sun, Integer(1))->Name("Source/sun");
BENCHMARK_CAPTURE(Source, moon, Integer(2))->Name("Source/moon");
BENCHMARK_CAPTURE(Source, mars, Integer(5))->Name("Source/mars");
BENCHMARK_CAPTURE(Source, jupiter_file, Integer(10))->Name("Source/jupiter_file");
BENCHMARK_CAPTURE(Source, kepler_body27, Integer(27))->Name("Source/kepler_body27");
BENCHMARK_CAPTURE(Source, elm_elements, Integer(40), "elm/CERES19.ELM")->Name("Source/elm_elements");

void RequestReader(benchmark::State& state) {
  const orbelle::host::RegionalConventions c;
  for (auto _ : state) benchmark::DoNotOptimize(orbelle::host::ReadRequest("12/25/2026 10:30", c));
}
BENCHMARK(RequestReader);

void PrintAnglesText(benchmark::State& state) {
  Engine e;
  orbelle::host::TextSurface surface;
  for (auto _ : state) e.table.PrintAngles("12/25/2026 10:30", surface);
}
BENCHMARK(PrintAnglesText);

}  // namespace

BENCHMARK_MAIN();
