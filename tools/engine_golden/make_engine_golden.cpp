// Writes the engine's golden output: make_engine_golden DATA_DIR OUTPUT_FILE.
//
// Run only for an intended change of the engine's results, and say why in the commit that
// carries the new file (see tools/README.md).
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/engine_golden/golden_run.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_engine_golden DATA_DIR OUTPUT_FILE\n");
    return 2;
  }
  std::string data = argv[1];
  if (data.back() != '/') data += '/';
  const auto records = orbelle::golden::RunGolden(data, orbelle::golden::GoldenInstants(data));
  const std::string bytes = orbelle::golden::Serialize(records);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%zu instants, %zu bytes\n", records.size(), bytes.size());
  return 0;
}
