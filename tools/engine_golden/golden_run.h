// The engine's golden run: a fixed sequence of driver calls over a fixed list of instants,
// reduced to a few hashes of the result bits per instant.
//
// Per instant, for each Mode 0, 1, 2, -1, -2: body 0, the Sun, every body 2..31 and three
// minor bodies (an element file, a coordinate file and an "EPHM" file given by its full path)
// with LunarOption 0; then body 0, the Sun, the Moon and both nodes again with LunarOption 1
// and 2. After each call the body's slot of all twelve result arrays (the Moon's and both
// node slots for the lunar bodies), the Earth's vector and velocity, the nutation and the
// call's own arguments go into the body's hash; after each Mode the twelve arrays whole go
// into a hash of their own, so that a write to a slot no call asked for shows too. One
// engine serves the whole run, so the ephemeris-record cache and the chain position carry
// from instant to instant exactly as in a long-running host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbelle::golden {

// Bodies 0..31 and the three minor bodies 32..34, then the hash of the whole arrays.
inline constexpr std::size_t kHashesPerInstant = 36;

struct InstantRecord {
  double jd = 0;
  std::uint32_t hash[kHashesPerInstant] = {};
};

// The instants of the run: 1800-2200 and 1000-3000 at quasi-random fractions of a day, and
// both edges of every shipped ephemeris and minor-body file under `data_dir` with dates just
// inside and just outside.
std::vector<double> GoldenInstants(const std::string& data_dir);

// Runs the calls for `jds` with the shipped files under `data_dir` (ending in '/').
std::vector<InstantRecord> RunGolden(const std::string& data_dir, const std::vector<double>& jds);

// The records as stored (little-endian, a short header), and back; Parse throws
// std::runtime_error on a file of the wrong form.
std::string Serialize(const std::vector<InstantRecord>& records);
std::vector<InstantRecord> Parse(const std::string& bytes);

// Name of the hash `index` of a record ("body 7", "minor body 33", "whole arrays").
std::string HashName(std::size_t index);

}  // namespace orbelle::golden
