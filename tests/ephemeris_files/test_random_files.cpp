// Files of random bytes (some with a plausible header) never crash a lookup, never read
// beyond their end (the sanitizer build checks that) and never give a NaN or an infinity:
// the result is the DATE ERROR result, a finite position, or a CalculationError.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "ephemeris/engine_error.h"
#include "tests/ephemeris_files/file_builder.h"

namespace orbelle::test {
namespace {

bool Finite(const ephemeris::HeliocentricState& s) {
  return std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z) && std::isfinite(s.vx) &&
         std::isfinite(s.vy);
}

TEST(RandomFiles, NeverCrashOrGiveANonFiniteResult) {
  TempDir dir;
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 400);
  std::uniform_real_distribution<double> date(2400000.0, 2500000.0);
  ReportingFiles f;
  for (int n = 0; n < 400; ++n) {
    std::string bytes(static_cast<std::size_t>(length(rng)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(rng));
    // Every other file gets a believable header: magic, a start near the dates asked for,
    // a small step, and for the minor-body files a matching epoch and kind.
    if (n % 2 == 0 && bytes.size() >= 36) {
      const double start = date(rng);
      const std::int16_t step = static_cast<std::int16_t>(1 + byte(rng) % 40);
      std::memcpy(bytes.data(), "EPHM", 4);
      std::memcpy(bytes.data() + 14, &start, 8);
      std::memcpy(bytes.data() + 22, &step, 2);
      const std::int32_t epoch = static_cast<std::int32_t>(start * 10);
      std::memcpy(bytes.data() + 24, &epoch, 4);
      bytes[32] = n % 4 == 0 ? 'X' : 'E';
    }
    WriteBytes(dir / "PALLAS", bytes);
    WriteBytes(dir / "R.ELM", bytes);
    for (int k = 0; k < 5; ++k) {
      const double jd = date(rng);
      try {
        for (const auto& s : {f.files.EphemerisLookup(7, dir.Path(), jd, "PALLAS"),
                              f.files.EphemerisLookup(40, dir / "PALLAS", jd, ""),
                              f.files.MinorBodyLookup(41, dir / "R.ELM", jd)}) {
          if (s) {
            EXPECT_TRUE(Finite(*s)) << n;
          }
        }
      } catch (const ephemeris::CalculationError&) {
        // elements no orbit can have (e >= 1, an undefined node): reported as a calculation error
      }
    }
  }
}

}  // namespace
}  // namespace orbelle::test
