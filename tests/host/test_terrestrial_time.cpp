// Civil time to Terrestrial Time. References: IERS Bulletin C (TAI − UTC steps) and the ΔT
// values Espenak and Meeus tabulate beside their polynomials (NASA TP-2006-214141, table 2.1).
#include <gtest/gtest.h>

#include <chrono>

#include "host/core/terrestrial_time.h"

namespace orbelle::host {
namespace {

using namespace std::chrono;

sys_seconds At(year_month_day date, hours h = 0h, minutes m = 0min, seconds s = 0s) {
  return sys_days{date} + h + m + s;
}

TEST(TerrestrialTime, LeapSecondStepsAndDeltaTBefore1972) {
  struct Case {
    sys_seconds utc;
    double seconds, tolerance;
  };
  for (const Case& c : {
           Case{At(2016y / 12 / 31, 23h, 59min, 59s), 68.184, 0.0},
           Case{At(2017y / 1 / 1), 69.184, 0.0},
           Case{At(2999y / 12 / 31), 69.184, 0.0},
           Case{At(1972y / 1 / 1), 42.184, 0.0},
           Case{At(1972y / 6 / 30, 23h, 59min, 59s), 42.184, 0.0},
           Case{At(1972y / 7 / 1), 43.184, 0.0},
           // Espenak and Meeus at the ends of the leap seconds and of their pieces: 42.2 s in
           // 1971, -2.8 s in 1900, 120 s in 1600, 1574 s in 1000.
           Case{At(1971y / 12 / 31), 42.2, 0.2},
           Case{At(1900y / 1 / 1), -2.7, 0.1},
           Case{At(1600y / 1 / 1), 120.0, 1.0},
           Case{At(1000y / 1 / 1), 1574.0, 1.0},
       }) {
    EXPECT_NEAR(TerrestrialMinusCivilSeconds(c.utc), c.seconds, c.tolerance) << c.utc.time_since_epoch().count();
  }
}

}  // namespace
}  // namespace orbelle::host
