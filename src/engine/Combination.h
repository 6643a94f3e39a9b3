#pragma once
// A combination of five numbers as one compact entry: five ascending bytes.
// In the working lists of a run an entry is struck out by setting its first
// number to 0; the other four keep their values.

#include <array>
#include <cstdint>
#include <vector>

namespace vargis::engine {

using Combination = std::array<std::uint8_t, 5>;
using CombinationList = std::vector<Combination>;

inline constexpr int kNumbersPerCombination = 5;
// The highest N of any lottery kind; per-number tables are sized for it.
inline constexpr int kMaxNumber = 50;

inline bool isLive(const Combination& c) {
    return c[0] != 0;
}
inline void strike(Combination& c) {
    c[0] = 0;
}

} // namespace vargis::engine
