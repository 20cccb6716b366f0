// The chain of consecutive ephemeris files of Jupiter, Saturn, Uranus, Neptune and Pluto:
// fifteen file-name extensions ordered from the earliest coverage to the latest,
// ".M11", ".M10", ... ".M2", ".M1", "" (no extension), ".P1", ".P2", ".P3".
#pragma once

#include <optional>
#include <string>

namespace orbelle::ephemeris {

inline constexpr int kChainLength = 15;
// Position of the file without extension in the chain.
inline constexpr int kChainCentre = 11;

// The extension of chain position 0..14.
std::string ChainExtension(int position);

// The neighbouring position towards earlier (step -1) or later (step +1) coverage; empty at
// the ends of the chain.
std::optional<int> ChainNeighbour(int position, int step);

}  // namespace orbelle::ephemeris
