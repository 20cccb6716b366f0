// Reports the largest differences between the lunar theory and the reference ephemeris over
// random instants of 1800-2200 and 1000-3000, with all principal terms of the longitude and
// with Brown's 30 largest only. Usage: lunar_accuracy [instants per range, default 2500]
#include <cstdio>
#include <cstdlib>
#include <span>

#include "tools/lunar_accuracy/lunar_comparison.h"

int main(int argc, char** argv) {
  using namespace orbelle;
  const int count = argc > 1 ? std::atoi(argv[1]) : 2500;
  struct Range {
    const char* name;
    double first, last;
    unsigned seed;
  };
  std::printf("%-10s %-6s %9s %9s %9s %9s %10s %9s %9s %9s %9s %9s\n", "range", "terms", "lon\"", "lat\"", "dist AU",
              "dist km", "speed d/d", "helLon\"", "helLat\"", "helSpd", "tnode\"", "mnode\"");
  for (const Range& range : {Range{"1800-2200", 1800, 2200, 1}, Range{"1000-3000", 1000, 3000, 2}}) {
    const auto jds = lunar_accuracy::RandomInstants(count, range.first, range.last, range.seed);
    for (const bool all_terms : {true, false}) {
      const auto e =
          all_terms ? lunar_accuracy::CompareWithReference(jds) : lunar_accuracy::CompareWithReference(jds, {});
      std::printf("%-10s %-6s %9.2f %9.2f %9.2e %9.1f %10.4f %9.2f %9.2f %9.5f %9.2f %9.2f\n", range.name,
                  all_terms ? "116" : "30", e.longitude, e.latitude, e.distance, e.distance * 149597870.7, e.speed,
                  e.helio_longitude, e.helio_latitude, e.helio_speed, e.true_node, e.mean_node);
    }
  }
  return 0;
}
