// What the file harnesses share: the bytes of one input become a file on disk, the engine is
// asked for one body at one instant, and the results must be either the DATE ERROR result or
// a finite position with the longitudes in 0..360.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "ephemeris/body_position.h"
#include "ephemeris/engine_error.h"

namespace orbelle::fuzz {

// The first bytes choose the instant (a day within a few thousand years of J2000, or a stored
// double for the edges) and the body; the rest is the file.
struct FileInput {
  double jd = 2451545.0;
  std::string bytes;
};

inline FileInput SplitInput(const std::uint8_t* data, std::size_t size) {
  FileInput in;
  if (size >= 8) {
    double raw;
    std::memcpy(&raw, data, 8);
    in.jd = std::isfinite(raw) && std::fabs(raw) < 1e9 ? raw : 2451545.0 + double(raw != raw ? 0 : 1);
    data += 8;
    size -= 8;
  }
  in.bytes.assign(reinterpret_cast<const char*>(data), size);
  return in;
}

// A private directory for the harness's files, made once per process.
inline const std::string& ScratchDirectory() {
  static const std::string dir = [] {
    char name[] = "/tmp/orbelle-fuzz-XXXXXX";
    if (!mkdtemp(name)) std::abort();
    return std::string(name) + "/";
  }();
  return dir;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// Body 0, then `body` with `path`; aborts when a result breaks the engine's promises.
inline void CheckBody(ephemeris::Ephemeris& engine, ephemeris::Integer body, std::string path, double jd) {
  ephemeris::ResultArrays r;
  auto s = r.Spans();
  ephemeris::InstantState instant{.JD = jd, .Earth = {0.98f, -0.17f, 0.0f, 0.003f, 0.017f}};
  try {
    engine.BodyPosition({.Body = ephemeris::kTimeArguments, .EphemPath = path}, instant, s);
    engine.BodyPosition({.Body = body, .EphemPath = path}, instant, s);
  } catch (const ephemeris::EngineError& e) {
    if (std::strlen(e.what()) == 0) std::abort();
    return;
  }
  const auto b = static_cast<std::size_t>(body);
  for (float v : {s.GeoLon[b], s.HelioLon[b]}) {
    if (!(v == -1.0f || (v >= 0.0f && v < 360.0f))) {
      std::fprintf(stderr, "longitude %.9g\n", double(v));
      std::abort();
    }
  }
  for (float v : {s.GeoLat[b], s.HelioLat[b], s.GeoDist[b], s.HelioDist[b], s.GeoSpeed[b], s.HelioSpeed[b]}) {
    if (!std::isfinite(v)) std::abort();
  }
  if (std::fabs(s.GeoLat[b]) > 90.0f || std::fabs(s.HelioLat[b]) > 90.0f) std::abort();
}

}  // namespace orbelle::fuzz
