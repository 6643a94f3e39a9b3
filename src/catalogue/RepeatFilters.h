#pragma once
// Value routines of the repeat page (rows 175..198): which earlier draws each
// row looks at, from which draw it can be evaluated, and how many numbers of
// a draw occur in the union of those earlier draws.

#include "context/DrawTables.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace vargis::catalogue {

inline constexpr int kFirstRepeatRow = 175;
inline constexpr int kLastRepeatRow = 198;

// The set S of offsets of a repeat row: draw f is compared with draws f-e.
struct RepeatOffsets {
    std::array<int, 10> offsets{};
    std::size_t count = 0;

    std::span<const int> list() const { return {offsets.data(), count}; }
    // max(S): the largest offset.
    int largest() const;
    // F = max(S) + 1: the first draw that has every listed earlier draw.
    int firstDraw() const { return largest() + 1; }
};

// S of rows 175..198; std::nullopt for any other row.
std::optional<RepeatOffsets> repeatOffsets(int row);

// Rows 185..198 report a history shorter than F with a message.
bool reportsShortHistory(int row);

// Ordinals hidden on the ordinals line after a press: max(S) for rows
// 175..192, 0 for rows 193..198 (their leading draws are marked by value 0).
int hiddenLeadingDraws(int row);

// Membership table 0..255 of the numbers of draws f-e, e in S (a union: a
// number in several of them is present once). Requires f > max(S).
std::array<bool, 256> repeatUnion(const context::DrawHistory& history, int f,
                                  const RepeatOffsets& offsets);

// How many of the five cells of a sorted row are present in `numbers`; a draw
// recorded with a number twice counts each cell.
int countPresent(const context::RankedRow& draw, const std::array<bool, 256>& numbers);

// R_S(f) for draws F..drawCount; draws before F keep 0.
std::vector<int> repeatValues(const context::DrawHistory& history, const RepeatOffsets& offsets);

} // namespace vargis::catalogue
