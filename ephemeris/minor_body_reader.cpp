#include "ephemeris/minor_body_reader.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/binary_file.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/constants.h"
#include "ephemeris/element_precession.h"
#include "ephemeris/kepler_orbit.h"

namespace orbelle::ephemeris {

namespace {

struct Header {
  double epoch;  // E
  float step;    // h
  double count;  // C
};

FileReading ReadCoordinates(BinaryFile& file, const Header& hd, double jd, RecordWindow& window) {
  const float h = hd.step;
  if (jd < hd.epoch + 3.0 * h) return FileReading::kBefore;
  window.last = hd.epoch + (hd.count - 4.0) * h;
  if (jd > window.last) return FileReading::kAfter;
  const double k = std::floor((jd - hd.epoch) / h);
  window.start = hd.epoch + (k - 3.0) * h;
  window.step = h;
  // Record k - 1, the position at W, at offset 36 + 12 (k - 1) = 12 (k + 2).
  const std::uint64_t first = 12 * (static_cast<std::uint64_t>(k) + 2);
  unsigned char records[8 * 12];
  if (!file.Bytes(first, records, sizeof records)) return FileReading::kInvalid;
  for (std::size_t r = 0; r < 8; ++r) {
    for (std::size_t c = 0; c < 3; ++c) {
      const auto v = static_cast<std::int32_t>(LittleEndian32(records + 12 * r + 4 * c));
      window.xyz[c][r] = static_cast<float>(v / 10000000.0);
    }
  }
  return FileReading::kCovered;
}

// The nearest record j, its mean anomaly advanced by n (JD - t0) from its epoch t0 = E + j h,
// the orientation carried from J2000.0 to the date, angles then in radians.
FileReading ReadElements(BinaryFile& file, const Header& hd, double jd, OrbitalElements& el) {
  const double h = hd.step;
  if (jd < hd.epoch - h / 2.0) return FileReading::kBefore;
  if (jd > hd.epoch + h / 2.0 + (hd.count - 1.0) * h) return FileReading::kAfter;
  // At the very last covered instant floor() gives C; that record does not exist, and the
  // last one is the nearest.
  const double j = std::min(std::floor((jd - hd.epoch) / h + 0.5), hd.count - 1.0);
  const std::uint64_t record = 56 + 28 * static_cast<std::uint64_t>(j);
  std::int32_t field[7];
  for (std::size_t f = 0; f < 7; ++f) {
    const auto v = file.Int32(record + 4 * f);
    if (!v) return FileReading::kInvalid;
    field[f] = *v;
  }
  const float M = static_cast<float>(field[0] / 1e6), omega = static_cast<float>(field[1] / 1e6);
  const float node = static_cast<float>(field[2] / 1e6), i = static_cast<float>(field[3] / 1e6);
  const float e = static_cast<float>(field[4] / 1e8), n = static_cast<float>(field[5] / 1e8);
  const float a = static_cast<float>(field[6] / 1e7);
  const double t0 = hd.epoch + j * h;
  const OrbitOrientation of_date = ElementsToDate({i, node, omega}, jd);
  el.a_au = a;
  el.e = e;
  el.M_deg =
      Norm360(ToSingle(static_cast<double>(M) + Norm360(ToSingle(n * (jd - t0), "mean anomaly")), "mean anomaly"));
  el.i_rad = ToSingle(static_cast<double>(of_date.i) * kDegToRad);
  el.node_rad = ToSingle(static_cast<double>(of_date.node) * kDegToRad);
  el.omega_rad = ToSingle(static_cast<double>(of_date.omega) * kDegToRad);
  el.n_rad_per_day = ToSingle(static_cast<double>(n) * kDegToRad);
  return FileReading::kCovered;
}

}  // namespace

MinorBodyReading ReadMinorBodyFile(FileContentsCache& files, const std::string& path, double jd) {
  MinorBodyReading out;
  BinaryFile file(files, path);
  const auto step = file.Int16(22);
  const auto epoch = file.Int32(24);
  const auto count = file.Int32(28);
  const auto kind = file.Text(32, 1);
  if (!step || !epoch || !count || !kind || *step <= 0 || *count <= 0) return out;
  const Header header{*epoch / 10.0, static_cast<float>(*step), static_cast<double>(*count)};
  out.coordinates = *kind == "X";
  out.status =
      out.coordinates ? ReadCoordinates(file, header, jd, out.window) : ReadElements(file, header, jd, out.elements);
  return out;
}

}  // namespace orbelle::ephemeris
