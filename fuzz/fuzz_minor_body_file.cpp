// ".ELM" minor-body files from arbitrary bytes: the kind byte decides between an element file
// and a coordinate file; before 1900 the century sibling is read instead.
#include "engine_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelle::fuzz;
  const FileInput in = SplitInput(data, size);
  const std::string& dir = ScratchDirectory();
  for (const char* name : {"BODY19.ELM", "BODY17.ELM", "BODY15.ELM"}) WriteFile(dir + name, in.bytes);
  orbelle::ephemeris::Ephemeris engine;
  CheckBody(engine, 33, dir + "BODY19.ELM", in.jd);
  CheckBody(engine, 120, dir + "BODY19.ELM", in.jd);
  return 0;
}
