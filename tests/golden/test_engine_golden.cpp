// The engine's results pinned bit for bit: the golden run (tools/engine_golden) compared with
// the committed tests/golden/engine_golden.bin. A failure names the first instants and bodies
// whose results changed; an intended change regenerates the file with make_engine_golden.
#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>

#include "tools/engine_golden/golden_run.h"

namespace orbelle::golden {
namespace {

TEST(EngineGolden, EveryResultBitForBit) {
  std::ifstream in(ORBELLE_SOURCE_DIR "/tests/golden/engine_golden.bin", std::ios::binary);
  ASSERT_TRUE(in) << "tests/golden/engine_golden.bin missing";
  const std::vector<InstantRecord> golden =
      Parse(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  ASSERT_GT(golden.size(), 2500u);

  std::vector<double> jds;
  for (const InstantRecord& r : golden) jds.push_back(r.jd);
  const std::vector<InstantRecord> now = RunGolden(ORBELLE_SOURCE_DIR "/data/", jds);

  int changed = 0;
  std::ostringstream first;
  for (std::size_t i = 0; i < golden.size(); ++i) {
    for (std::size_t k = 0; k < kHashesPerInstant; ++k) {
      if (now[i].hash[k] == golden[i].hash[k]) continue;
      if (++changed <= 10) first << "\n  JD " << std::setprecision(17) << golden[i].jd << ": " << HashName(k);
    }
  }
  EXPECT_EQ(changed, 0) << "results changed at " << changed << " (instant, body) pairs; first:" << first.str();
}

}  // namespace
}  // namespace orbelle::golden
