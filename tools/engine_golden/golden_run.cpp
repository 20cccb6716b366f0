#include "tools/engine_golden/golden_run.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "ephemeris/binary_file.h"
#include "ephemeris/body_position.h"
#include "ephemeris/engine_error.h"

namespace orbelle::golden {

namespace {

namespace eph = orbelle::ephemeris;

constexpr char kMagic[8] = {'O', 'R', 'B', 'G', 'O', 'L', 'D', '1'};

// 64-bit FNV-1a over the bytes fed in; the stored hash folds it to 32 bits.
class Hash {
 public:
  void Bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) state_ = (state_ ^ p[i]) * 0x100000001b3ull;
  }
  void Float(float v) { Word(std::bit_cast<std::uint32_t>(v)); }
  void Word(std::uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    Bytes(b, 4);
  }
  void Double(double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    Word(static_cast<std::uint32_t>(u));
    Word(static_cast<std::uint32_t>(u >> 32));
  }
  std::uint32_t Folded() const { return static_cast<std::uint32_t>(state_ ^ (state_ >> 32)); }

 private:
  std::uint64_t state_ = 0xcbf29ce484222325ull;
};

// The caller's variables, kept from call to call as a host keeps them.
struct Caller {
  eph::Ephemeris engine;
  eph::ResultArrays arrays;
  eph::InstantState instant;

  // One driver call; feeds what it left into `h` (a thrown engine error as a marker).
  void Call(eph::Integer body, eph::Integer mode, eph::Integer option, double jd, const std::string& path, Hash& h) {
    const eph::BodyRequest request{.Body = body, .Mode = mode, .LunarOption = option, .EphemPath = path};
    if (body == 0) instant.Nutation = 0;
    instant.JD = jd;
    eph::Integer o = option;
    try {
      o = engine.BodyPosition(request, instant, arrays.Spans());
    } catch (const eph::CalculationError&) {
      h.Word(0xCA1C0000u);
    } catch (const eph::EngineError&) {
      h.Word(0xE4404000u);
    }
    // The request's values after the call (only the lunar option is ever handed back), the
    // path as a mark that it is unchanged (its text varies with the checkout).
    h.Word(static_cast<std::uint16_t>(request.Mode));
    h.Word(static_cast<std::uint16_t>(request.Body));
    h.Word(static_cast<std::uint16_t>(o));
    h.Double(instant.JD);
    h.Word(request.EphemPath == path ? 1u : 0u);
    const eph::HeliocentricState& e = instant.Earth;
    for (float v : {e.x, e.y, e.z, e.vx, e.vy, instant.Nutation}) h.Float(v);
    const bool lunar = body == 2 || body == 16 || body == 17;
    for (std::size_t slot : lunar ? std::vector<std::size_t>{2, 16, 17} : std::vector<std::size_t>{std::size_t(body)}) {
      for (const auto* a : AllArrays()) h.Float((*a)[slot]);
    }
  }

  std::array<const std::array<float, eph::kBodySlots>*, 12> AllArrays() const {
    const auto& a = arrays;
    return {&a.GeoLon,    &a.GeoLat,     &a.GeoDist,    &a.GeoSpeed,    &a.HelioLon,      &a.HelioLat,
            &a.HelioDist, &a.HelioSpeed, &a.AscNodeLon, &a.DescNodeLon, &a.PerihelionLon, &a.AphelionLon};
  }
};

bool IsRegularFile(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

std::vector<std::string> SortedFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (IsRegularFile(e.path())) names.push_back(e.path().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// First and last covered dates of a shipped file, read from its header; empty for other files.
std::vector<double> FileEdges(eph::FileContentsCache& contents, const std::string& path) {
  eph::BinaryFile f(contents, path);
  const auto magic = f.Text(0, 4);
  if (magic == "EPHM") {
    const auto count = f.Int16(12);
    const auto start = f.Float64(14);
    const auto step = f.Int16(22);
    if (!count || !start || !step) return {};
    const double h = *step;
    return {*start + 3 * h, *start + (static_cast<std::uint16_t>(*count) - 4.0) * h};
  }
  if (magic && magic->substr(0, 2) == "EL") {
    const auto step = f.Int16(22);
    const auto e10 = f.Int32(24);
    const auto count = f.Int32(28);
    const auto kind = f.Text(32, 1);
    if (!step || !e10 || !count || !kind) return {};
    const double h = *step, e = *e10 / 10.0;
    if (*kind == "X") return {e + 3 * h, e + (*count - 4.0) * h};
    return {e - h / 2, e + (*count - 1.0) * h + h / 2};
  }
  return {};
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

std::uint32_t Get32(const std::string& in, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
  return v;
}

}  // namespace

std::vector<double> GoldenInstants(const std::string& data_dir) {
  std::vector<double> jds;
  // Quasi-random fractions of the range (the golden-ratio sequence), so that times of day,
  // steps of the files and record boundaries are met at many different phases.
  const auto spread = [&jds](double first, double last, int n) {
    double u = 0.5;
    for (int i = 0; i < n; ++i) {
      u = std::fmod(u + 0.6180339887498949, 1.0);
      jds.push_back(first + (last - first) * (i + u) / n);
    }
  };
  spread(2378496.5, 2524593.5, 1100);  // 1800-2200
  spread(2086302.5, 2816787.5, 1000);  // 1000-3000
  eph::FileContentsCache contents;
  for (const std::string& dir : {data_dir, data_dir + "elm/"}) {
    for (const std::string& path : SortedFiles(dir)) {
      for (double edge : FileEdges(contents, path)) {
        for (double offset : {-1.0, -0.25, 0.0, 0.25, 1.0}) jds.push_back(edge + offset);
      }
    }
  }
  return jds;
}

std::vector<InstantRecord> RunGolden(const std::string& data_dir, const std::vector<double>& jds) {
  const std::array<std::string, 3> minor_paths = {data_dir + "elm/CERES19.ELM", data_dir + "elm/C19VESTA.ELM",
                                                  data_dir + "CERES"};
  const std::array<eph::Integer, 5> modes = {0, 1, 2, -1, -2};
  Caller c;
  c.arrays.GeoLon.fill(12345.0f);
  std::vector<InstantRecord> records;
  records.reserve(jds.size());
  for (double jd : jds) {
    std::array<Hash, kHashesPerInstant> h;
    for (eph::Integer mode : modes) {
      for (eph::Integer body = 0; body < 32; ++body) {
        c.Call(body, mode, 0, jd, data_dir, h[static_cast<std::size_t>(body)]);
      }
      for (std::size_t k = 0; k < minor_paths.size(); ++k) {
        c.Call(static_cast<eph::Integer>(32 + k), mode, 0, jd, minor_paths[k], h[32 + k]);
      }
      for (eph::Integer option : {1, 2}) {
        for (eph::Integer body : {0, 1, 2, 16, 17}) {
          c.Call(body, mode, option, jd, data_dir, h[static_cast<std::size_t>(body)]);
        }
      }
      for (const auto* a : c.AllArrays()) {
        for (float v : *a) h[kHashesPerInstant - 1].Float(v);
      }
    }
    InstantRecord rec;
    rec.jd = jd;
    for (std::size_t k = 0; k < kHashesPerInstant; ++k) rec.hash[k] = h[k].Folded();
    records.push_back(rec);
  }
  return records;
}

std::string Serialize(const std::vector<InstantRecord>& records) {
  std::string out(kMagic, sizeof kMagic);
  Put32(out, static_cast<std::uint32_t>(records.size()));
  Put32(out, static_cast<std::uint32_t>(kHashesPerInstant));
  for (const InstantRecord& r : records) {
    const auto bits = std::bit_cast<std::uint64_t>(r.jd);
    Put32(out, static_cast<std::uint32_t>(bits));
    Put32(out, static_cast<std::uint32_t>(bits >> 32));
    for (std::uint32_t v : r.hash) Put32(out, v);
  }
  return out;
}

std::vector<InstantRecord> Parse(const std::string& bytes) {
  const std::size_t head = sizeof kMagic + 8, size = 8 + 4 * kHashesPerInstant;
  if (bytes.size() < head || bytes.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0 ||
      Get32(bytes, 12) != kHashesPerInstant || bytes.size() != head + Get32(bytes, 8) * size) {
    throw std::runtime_error("not a golden-output file of this form");
  }
  std::vector<InstantRecord> records(Get32(bytes, 8));
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::size_t at = head + i * size;
    records[i].jd = std::bit_cast<double>(Get32(bytes, at) | std::uint64_t(Get32(bytes, at + 4)) << 32);
    for (std::size_t k = 0; k < kHashesPerInstant; ++k) records[i].hash[k] = Get32(bytes, at + 8 + 4 * k);
  }
  return records;
}

std::string HashName(std::size_t index) {
  if (index + 1 == kHashesPerInstant) return "whole arrays";
  return (index >= 32 ? "minor body " : "body ") + std::to_string(index);
}

}  // namespace orbelle::golden
