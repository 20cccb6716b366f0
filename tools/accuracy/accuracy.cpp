// orbelle-accuracy: compares the engine with the reference ephemeris (swetest) at random
// instants and prints, per body and quantity, the largest and the RMS error.
//
// The engine is called as the angles table calls it: body 0, body 1, then the body, with
// Mode 0, LunarOption 0. Conventions of the comparison: geocentric longitude and latitude
// against swetest's apparent position of date (its defaults); heliocentric longitude and
// latitude against -hel -true -nonut (geometric, mean ecliptic and equinox of date); the
// Earth's vector of body 1 against planet C; the true node against -pt -nonut; the Julian day
// is TT on both sides. Angles are reported in arc-seconds, distances in AU, daily motions in
// degrees per day. A body whose longitude comes back as -1 (DATE ERROR) at an instant is left
// out at that instant and the number of such instants is shown.
//
//   orbelle-accuracy [--from YEAR] [--to YEAR] [--count N] [--seed S] [--bodies 1,2,3,...]
//                    [--ephem-dir DIR] [--limit QUANTITY[:BODY]=VALUE]...
//
// DIR, the directory of the ephemeris files of Jupiter to Pluto, defaults to the source tree's
// data/.
//
// With limits, the exit status is 1 when any largest error exceeds its limit (a limit with a
// body number overrides the general one for that body) or when a limited body has no results.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ephemeris/body_position.h"
#include "tools/reference/swetest.h"

namespace {

using orbelle::ephemeris::Ephemeris;
using orbelle::ephemeris::InstantState;
using orbelle::ephemeris::Integer;
using orbelle::ephemeris::ResultArrays;

enum class Kind { kAngle, kLongitude, kDistance, kSpeed };

// One compared quantity: the engine's value, the swetest flags and the field of its answer.
struct Quantity {
  std::string name;
  Kind kind;
  std::string flags;  // body letter and frame, the fields are appended
  int field;          // index into the answer of "-flbRs"
};

// Reference body letter of swetest for each engine body, and whether it has a heliocentric
// position to compare.
struct BodyRef {
  std::string letter;
  bool helio;
};

const std::map<int, BodyRef> kBodies = {{1, {"0", true}},  {2, {"1", false}}, {3, {"2", true}},  {4, {"3", true}},
                                        {5, {"4", true}},  {10, {"5", true}}, {11, {"6", true}}, {13, {"7", true}},
                                        {14, {"8", true}}, {15, {"9", true}}, {16, {"t", false}}};

struct Sample {
  double geo_lon, geo_lat, geo_dist, geo_speed, helio_lon, helio_lat, helio_dist, helio_speed;
  double earth[3];
  bool date_error;
};

struct Stat {
  double max = 0, sum2 = 0, worst_jd = 0;
  int n = 0;
  void Add(double e, double jd) {
    if (std::fabs(e) >= max) {
      max = std::fabs(e);
      worst_jd = jd;
    }
    sum2 += e * e;
    ++n;
  }
};

double JulianDayOfYear(double year) { return 2451545.0 + (year - 2000.0) * 365.25; }

std::vector<int> ParseBodies(const std::string& text) {
  std::vector<int> out;
  std::stringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) out.push_back(std::stoi(item));
  return out;
}

double Scale(Kind kind) { return kind == Kind::kAngle || kind == Kind::kLongitude ? 3600.0 : 1.0; }

const char* Unit(Kind kind) {
  switch (kind) {
    case Kind::kDistance: return "AU";
    case Kind::kSpeed: return "deg/day";
    default: return "arcsec";
  }
}

}  // namespace

int main(int argc, char** argv) {
  double from = 1800, to = 2200;
  int count = 2000;
  unsigned seed = 1;
  std::vector<int> bodies = {1, 3, 4, 5};
  std::string ephem_dir = ORBELLE_SHIPPED_DATA_DIR;
  std::map<std::string, double> limits;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "%s needs a value\n", a.c_str());
      return 2;
    }
    const std::string v = argv[++i];
    if (a == "--from")
      from = std::stod(v);
    else if (a == "--to")
      to = std::stod(v);
    else if (a == "--count")
      count = std::stoi(v);
    else if (a == "--seed")
      seed = static_cast<unsigned>(std::stoul(v));
    else if (a == "--bodies")
      bodies = ParseBodies(v);
    else if (a == "--ephem-dir")
      ephem_dir = v;
    else if (a == "--limit") {
      const auto eq = v.find('=');
      if (eq == std::string::npos) {
        std::fprintf(stderr, "--limit wants QUANTITY[:BODY]=VALUE\n");
        return 2;
      }
      limits[v.substr(0, eq)] = std::stod(v.substr(eq + 1));
    } else {
      std::fprintf(stderr, "unknown option %s\n", a.c_str());
      return 2;
    }
  }
  if (!orbelle::reference::SwetestAvailable()) {
    std::fprintf(stderr, "swetest or its data files are missing (scripts/setup installs them)\n");
    return 2;
  }

  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> uniform(JulianDayOfYear(from), JulianDayOfYear(to));
  std::vector<double> jds(static_cast<std::size_t>(count));
  for (double& jd : jds) jd = uniform(rng);

  // The engine, in the calling order of the angles table.
  std::map<int, std::vector<Sample>> engine;
  Ephemeris eph;
  ResultArrays r;
  auto s = r.Spans();
  for (double jd : jds) {
    InstantState instant;
    instant.JD = jd;
    auto call = [&](Integer body) { eph.BodyPosition({.Body = body, .EphemPath = ephem_dir}, instant, s); };
    call(0);
    call(1);
    for (int body : bodies) {
      if (body != 1) call(static_cast<Integer>(body));
      const auto b = static_cast<std::size_t>(body);
      engine[body].push_back({r.GeoLon[b],
                              r.GeoLat[b],
                              r.GeoDist[b],
                              r.GeoSpeed[b],
                              r.HelioLon[b],
                              r.HelioLat[b],
                              r.HelioDist[b],
                              r.HelioSpeed[b],
                              {instant.Earth.x, instant.Earth.y, instant.Earth.z},
                              r.GeoLon[b] == -1.0f});
    }
  }

  bool failed = false;
  std::printf("%d instants, years %.0f-%.0f, seed %u\n", count, from, to, seed);
  std::printf("%-5s %-12s %8s %14s %14s %12s  %s\n", "body", "quantity", "n", "largest", "rms", "at JD", "unit");
  for (int body : bodies) {
    const auto ref = kBodies.find(body);
    if (ref == kBodies.end()) {
      std::printf("%-5d no reference body known\n", body);
      continue;
    }
    const auto& samples = engine[body];
    int errors = 0;
    for (const auto& sm : samples) errors += sm.date_error;
    if (errors == count) {
      std::printf("%-5d DATE ERROR at every instant: not served in this build\n", body);
      for (const auto& [key, limit] : limits) {
        (void)limit;
        if (key.find(':') == std::string::npos || key.substr(key.find(':') + 1) == std::to_string(body)) failed = true;
      }
      continue;
    }
    if (errors > 0) std::printf("%-5d DATE ERROR at %d instants, left out\n", body, errors);

    const std::string geo = "-p" + ref->second.letter + (body == 16 ? " -nonut" : "");
    const std::string helio = "-p" + std::string(body == 1 ? "C" : ref->second.letter) + " -hel -true -nonut";
    std::vector<Quantity> quantities = {{"geo_lon", Kind::kLongitude, geo, 0}};
    if (body != 16) {
      quantities.push_back({"geo_lat", Kind::kAngle, geo, 1});
      quantities.push_back({"geo_dist", Kind::kDistance, geo, 2});
      quantities.push_back({"geo_speed", Kind::kSpeed, geo, 3});
    }
    if (ref->second.helio) {
      quantities.push_back({"helio_lon", Kind::kLongitude, helio, 0});
      quantities.push_back({"helio_lat", Kind::kAngle, helio, 1});
      quantities.push_back({"helio_dist", Kind::kDistance, helio, 2});
      quantities.push_back({"helio_speed", Kind::kSpeed, helio, 3});
    }
    std::map<std::string, std::vector<std::vector<double>>> answers;
    for (const std::string& flags : {geo, helio}) {
      if (flags == helio && !ref->second.helio) continue;
      answers[flags] = orbelle::reference::Swetest(flags + " -flbRs", jds);
    }
    const auto earth =
        body == 1 ? orbelle::reference::Swetest("-pC -hel -true -nonut -fX", jds) : std::vector<std::vector<double>>{};

    auto report = [&](const std::string& name, const Stat& st, Kind kind) {
      std::printf("%-5d %-12s %8d %14.6g %14.6g %12.2f  %s", body, name.c_str(), st.n, st.max,
                  std::sqrt(st.sum2 / st.n), st.worst_jd, Unit(kind));
      auto limit = limits.find(name + ":" + std::to_string(body));
      if (limit == limits.end()) limit = limits.find(name);
      if (limit != limits.end()) {
        const bool over = st.max > limit->second;
        failed |= over;
        std::printf("  limit %g%s", limit->second, over ? "  EXCEEDED" : "");
      }
      std::printf("\n");
    };
    for (const auto& q : quantities) {
      Stat st;
      for (std::size_t k = 0; k < jds.size(); ++k) {
        const Sample& sm = samples[k];
        if (sm.date_error) continue;
        const double values[] = {sm.geo_lon,   sm.geo_lat,   sm.geo_dist,   sm.geo_speed,
                                 sm.helio_lon, sm.helio_lat, sm.helio_dist, sm.helio_speed};
        const double ours = values[(q.name.rfind("helio", 0) == 0 ? 4 : 0) + q.field];
        double diff = ours - answers[q.flags][k][static_cast<std::size_t>(q.field)];
        if (q.kind == Kind::kLongitude || q.kind == Kind::kSpeed) diff = std::remainder(diff, 360.0);
        st.Add(diff * Scale(q.kind), jds[k]);
      }
      report(q.name, st, q.kind);
    }
    if (body == 1) {
      Stat st;
      for (std::size_t k = 0; k < jds.size(); ++k) {
        const double* e = samples[k].earth;
        st.Add(std::hypot(e[0] - earth[k][0], e[1] - earth[k][1], e[2] - earth[k][2]), jds[k]);
      }
      report("earth_xyz", st, Kind::kDistance);
    }
  }
  return failed ? 1 : 0;
}
