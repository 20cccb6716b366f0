#include "ephemeris/ephemeris_file_layout.h"

#include "ephemeris/ephemeris_chain.h"

namespace orbelle::ephemeris {

namespace {

constexpr double kChainStartJd = 1355000.5;
constexpr double kChainPartDays = 97536.0;
constexpr double kSingleFileDays = 65528.0;  // N - 7 steps of a file of 65,535 records

}  // namespace

std::optional<EphemerisFileLayout> ShippedFileLayout(Integer body, int chain_position) {
  if (IsChainBody(body)) {
    const std::int16_t step = body == kJupiter || body == kSaturn ? 32 : 64;
    const double first = kChainStartJd + kChainPartDays * chain_position;
    return EphemerisFileLayout{step, first, first + kChainPartDays};
  }
  if (!HasEphemerisFile(body)) return std::nullopt;
  const std::int16_t step = body == kChiron ? 22 : 16;
  const double first = body == kChiron ? 1972722.5 : 1927320.5;
  return EphemerisFileLayout{step, first, first + kSingleFileDays * step};
}

}  // namespace orbelle::ephemeris
