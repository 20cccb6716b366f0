#include "ephemeris/ephemeris_chain.h"

namespace orbelle::ephemeris {

std::string ChainExtension(int position) {
  if (position < kChainCentre) return ".M" + std::to_string(kChainCentre - position);
  if (position == kChainCentre) return {};
  return ".P" + std::to_string(position - kChainCentre);
}

std::optional<int> ChainNeighbour(int position, int step) {
  const int next = position + step;
  if (next < 0 || next >= kChainLength) return std::nullopt;
  return next;
}

}  // namespace orbelle::ephemeris
