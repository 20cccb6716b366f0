// The covered range of an "EPHM" file, read from its header.
#pragma once

#include <cstdint>
#include <string>

namespace orbelle::test {

struct FileCoverage {
  double start = 0, step = 0;       // S and h
  std::int16_t stored_count = 0;    // N as stored
  double first = 0, last = 0;       // S + 3h and S + (N - 4)h, N read unsigned
};

FileCoverage ReadCoverage(const std::string& path);

}  // namespace orbelle::test
