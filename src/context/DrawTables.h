#pragma once
// The table of past draws (at most 50, oldest first) and the same numbers
// sorted ascending: the data every subsystem reads.

#include <array>
#include <cstdint>
#include <string>

namespace vargis::context {

inline constexpr int kMaxDraws = 50;

// Seven text fields: marker "8", date dd.mm.yyyy, five numbers in drawn order.
struct DrawRecord {
    std::array<std::string, 7> fields{"0", "0", "0", "0", "0", "0", "0"};

    std::string& field(int j); // 1..7, RangeError otherwise
    const std::string& field(int j) const;
    const std::string& date() const { return fields[1]; }
};

using RankedRow = std::array<std::uint8_t, 5>;

struct DrawHistory {
    std::array<DrawRecord, kMaxDraws> rows;
    std::array<RankedRow, kMaxDraws> ranked{};
    std::uint8_t drawCount = 0;

    DrawRecord& record(int ordinal); // 1..50, RangeError otherwise
    const DrawRecord& record(int ordinal) const;
    RankedRow& rankedRow(int ordinal);
    const RankedRow& rankedRow(int ordinal) const;
    // Number k (1..5) of a draw as drawn, as an integer.
    int drawnNumber(int ordinal, int k) const;
};

} // namespace vargis::context
