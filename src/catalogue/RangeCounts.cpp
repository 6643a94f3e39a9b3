#include "catalogue/RangeCounts.h"

#include <array>
#include <iterator>

namespace vargis::catalogue {

namespace {

constexpr NumberRange kNone{0, -1}; // counts nothing
constexpr int kNever = 256;         // above the highest number of any kind

// A range a row counts from the kind of `fromN` numbers on, until the next
// range of the row takes over; unused entries never apply.
struct KindRange {
    int fromN = kNever;
    NumberRange range = kNone;
};

// One count-in-ranges row: its ranges by kind, the kinds whose form shows
// its controls, and whether the sweep counts it only for those kinds.
struct CountRow {
    int row = 0;
    std::array<KindRange, 6> ranges{};
    int shownFrom = 0;
    int shownTo = 255;
    bool sweptWhereShownOnly = false;
};

constexpr CountRow fixed(int row, NumberRange range, int shownFrom = 0, int shownTo = 255) {
    return {row, {{{0, range}}}, shownFrom, shownTo, false};
}

// Rows 223..245 in order. A fixed range is counted for every kind, also one
// whose form hides the row; row 234 alone is swept only for 5 of 50.
constexpr CountRow kCountRows[] = {
    fixed(223, {1, 10}),
    fixed(224, {11, 20}),
    fixed(225, {21, 28}),
    fixed(226, {33, 36}, 36),
    fixed(227, {44, 47}, 47),
    fixed(228, {1, 7}),
    fixed(229, {8, 14}),
    fixed(230, {15, 21}),
    fixed(231, {22, 28}),
    fixed(232, {32, 35}, 35),
    {233, {{{0, kNone}, {39, {36, 39}}, {40, {36, 40}}}}, 39},
    {234, {{{0, {45, 50}}}}, 50, 50, true},
    fixed(235, {1, 4}),
    fixed(236, {5, 8}),
    fixed(237, {9, 12}),
    fixed(238, {13, 16}),
    fixed(239, {17, 20}),
    fixed(240, {21, 24}),
    fixed(241, {25, 28}),
    // 5 of 33 shows row 242 but counts nothing in it.
    {242,
     {{{0, kNone}, {30, {26, 30}}, {31, {27, 31}}, {32, {28, 32}}, {33, kNone}, {34, {29, 34}}}},
     30},
    {243, {{{0, kNone}, {37, {34, 37}}, {38, {34, 38}}}}, 37},
    {244, {{{0, kNone}, {44, {40, 44}}, {45, {40, 45}}}}, 44},
    {245, {}, kNever},
};

constexpr int kFirstCountRow = 223;
constexpr int kLastCountRow = 245;
static_assert(std::size(kCountRows) == kLastCountRow - kFirstCountRow + 1);

const CountRow* countRow(int row) {
    if (row < kFirstCountRow || row > kLastCountRow)
        return nullptr;
    return &kCountRows[row - kFirstCountRow];
}

} // namespace

std::optional<NumberRange> countedRange(int row, int n) {
    const CountRow* r = countRow(row);
    if (r == nullptr)
        return std::nullopt;
    NumberRange range = kNone;
    for (const KindRange& k : r->ranges)
        if (k.fromN <= n)
            range = k.range;
    if (range.lo > range.hi)
        return std::nullopt;
    return range;
}

std::optional<NumberRange> sweptRange(int row, int n) {
    const CountRow* r = countRow(row);
    if (r != nullptr && r->sweptWhereShownOnly && !rangeRowShown(row, n))
        return std::nullopt;
    return countedRange(row, n);
}

bool rangeRowShown(int row, int n) {
    const CountRow* r = countRow(row);
    return r != nullptr && n >= r->shownFrom && n <= r->shownTo;
}

bool isCountRow(int row) {
    return countRow(row) != nullptr;
}

bool rangeFollowsKind(int row) {
    const CountRow* r = countRow(row);
    return r != nullptr && (r->shownFrom > 0 || r->shownTo < 255);
}

int countInRange(const context::RankedRow& draw, NumberRange range) {
    int count = 0;
    for (int x : draw)
        count += x >= range.lo && x <= range.hi ? 1 : 0;
    return count;
}

std::string rangeFooter(NumberRange range) {
    return "Чисел из [" + std::to_string(range.lo) + ".." + std::to_string(range.hi) +
           "] в каждом тираже.";
}

} // namespace vargis::catalogue
