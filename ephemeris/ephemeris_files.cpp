#include "ephemeris/ephemeris_files.h"

#include "ephemeris/engine_error.h"
#include "ephemeris/ephemeris_file_reader.h"
#include "ephemeris/kepler_orbit.h"
#include "ephemeris/minor_body_file_name.h"
#include "ephemeris/minor_body_reader.h"

namespace orbelle::ephemeris {

void EphemerisFiles::Report(const std::string& path) const {
  if (report_) report_(kInvalidEphemeris + path);
}

RecordWindow& EphemerisFiles::Slot(Integer body, Integer lowest) {
  if (body < lowest || static_cast<std::size_t>(body) >= kBodySlots) {
    throw InvalidArgumentError("ephemeris files: body " + std::to_string(body) +
                               " has no slot in the record cache (bodies " + std::to_string(lowest) + " to " +
                               std::to_string(kBodySlots - 1) + ")");
  }
  return cache_[static_cast<std::size_t>(body)];
}

// A request within the step of the body's cached window reads no file. Otherwise bodies
// 6..15 look for `base_name` plus the body's current extension in the directory; a chain body
// whose date lies before or after the file's range moves one file along the chain in that
// direction and tries again, until a file covers the date or the chain ends. Each file's range
// meets its neighbours' (the reader holds every header to its place in the chain), so the walk
// never turns back. A file that cannot be used ends the lookup with a report, and the body's
// next lookup starts again from the file without extension. Each body keeps its own place in its chain, so that an
// answer for one body never depends on which other bodies were asked before. The cached window remembers its file, so
// that another file named for the same body number is read rather than answered from the old records.
std::optional<HeliocentricState> EphemerisFiles::EphemerisLookup(Integer body, const std::string& ephem_path, double jd,
                                                                 const std::string& base_name) {
  RecordWindow& cached = Slot(body, kTimeArguments);
  const bool minor = IsMinorBody(body);
  const std::string source = minor ? ephem_path : ephem_path + base_name;
  if (cached.source == source && cached.Covers(jd)) return cached.Interpolate(jd);

  const bool chain = IsChainBody(body);
  int& extension = extension_[static_cast<std::size_t>(body)];
  for (;;) {
    const std::string path = minor ? ephem_path : source + ChainExtension(extension);
    RecordWindow window;
    const FileReading reading = ReadEphemerisFile(contents_, body, extension, path, jd, window);
    if (reading == FileReading::kCovered) {
      window.source = source;
      cached = std::move(window);
      return cached.Interpolate(jd);
    }
    if (reading == FileReading::kInvalid) {
      Report(path);
      extension = kChainCentre;
      return std::nullopt;
    }
    if (!chain) return std::nullopt;
    const auto next = ChainNeighbour(extension, reading == FileReading::kBefore ? -1 : +1);
    if (!next) return std::nullopt;
    extension = *next;
  }
}

// An element file ends in the Kepler orbit of its elements of date; a coordinate file fills
// the body's cache slot and is interpolated like an ephemeris file, but is read again on
// every request.
std::optional<HeliocentricState> EphemerisFiles::MinorBodyLookup(Integer body, const std::string& ephem_path,
                                                                 double jd) {
  const std::string path = MinorBodyFileName(ephem_path, jd);
  MinorBodyReading reading = ReadMinorBodyFile(contents_, path, jd);
  if (reading.status == FileReading::kInvalid) {
    Report(path);
    return std::nullopt;
  }
  if (reading.status != FileReading::kCovered) return std::nullopt;
  if (!reading.coordinates) return KeplerOrbit(reading.elements);
  RecordWindow& slot = Slot(body, kFirstMinorBody);
  reading.window.source = path;
  slot = std::move(reading.window);
  return slot.Interpolate(jd);
}

}  // namespace orbelle::ephemeris
