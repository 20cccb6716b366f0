// "EPHM" ephemeris files from arbitrary bytes: as the whole chain file of a chain body (the
// base file of Jupiter), as a single-file body (Ceres), and as a headerless file of a minor
// body named by its path.
#include "engine_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelle::fuzz;
  const FileInput in = SplitInput(data, size);
  const std::string& dir = ScratchDirectory();
  WriteFile(dir + "JUPITER", in.bytes);
  WriteFile(dir + "CERES", in.bytes);
  WriteFile(dir + "MINOR.EPH", in.bytes);
  orbelle::ephemeris::Ephemeris engine;
  CheckBody(engine, orbelle::ephemeris::kJupiter, dir, in.jd);
  CheckBody(engine, orbelle::ephemeris::kCeres, dir, in.jd);
  CheckBody(engine, 40, dir + "MINOR.EPH", in.jd);
  // A second request within the same record step is answered from the cache.
  CheckBody(engine, orbelle::ephemeris::kJupiter, dir, in.jd + 0.25);
  return 0;
}
