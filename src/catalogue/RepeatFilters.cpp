#include "catalogue/RepeatFilters.h"

#include "base/Errors.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace vargis::catalogue {

namespace {

RepeatOffsets make(std::initializer_list<int> offsets) {
    RepeatOffsets s;
    for (int e : offsets)
        s.offsets[s.count++] = e;
    return s;
}

RepeatOffsets run(int last) {
    RepeatOffsets s;
    for (int e = 1; e <= last; ++e)
        s.offsets[s.count++] = e;
    return s;
}

} // namespace

int RepeatOffsets::largest() const {
    int largest = 0;
    for (int e : list())
        largest = std::max(largest, e);
    return largest;
}

std::optional<RepeatOffsets> repeatOffsets(int row) {
    switch (row) {
    case 175:
    case 176:
    case 177:
    case 178:
        return make({row - 174});
    case 179:
        return make({1, 2});
    case 180:
        return make({1, 3});
    case 181:
        return make({1, 4});
    case 182:
        return make({2, 3});
    case 183:
        return make({2, 4});
    case 184:
        return make({3, 4});
    default:
        break;
    }
    if (row >= 185 && row <= 192)
        return run(row - 182); // 185: 1..3 .. 192: 1..10
    if (row >= 193 && row <= 198) {
        const int first = row - 191; // 193: 2, 3, 4 .. 198: 7, 8, 9
        return make({first, first + 1, first + 2});
    }
    return std::nullopt;
}

bool reportsShortHistory(int row) {
    return row >= 185 && row <= 198;
}

int hiddenLeadingDraws(int row) {
    if (row < kFirstRepeatRow || row > 192)
        return 0;
    return repeatOffsets(row)->largest();
}

std::array<bool, 256> repeatUnion(const context::DrawHistory& history, int f,
                                  const RepeatOffsets& offsets) {
    std::array<bool, 256> numbers{};
    for (int e : offsets.list()) {
        if (f - e < 1)
            throw RangeError("Тираж " + std::to_string(f) + " не имеет тиража на " +
                             std::to_string(e) + " раньше");
        for (std::uint8_t n : history.rankedRow(f - e))
            numbers[n] = true;
    }
    return numbers;
}

int countPresent(const context::RankedRow& draw, const std::array<bool, 256>& numbers) {
    int count = 0;
    for (std::uint8_t n : draw)
        count += numbers[n] ? 1 : 0;
    return count;
}

std::vector<int> repeatValues(const context::DrawHistory& history, const RepeatOffsets& offsets) {
    const int draws = std::min<int>(history.drawCount, context::kMaxDraws);
    std::vector<int> values(static_cast<std::size_t>(draws), 0);
    for (int f = offsets.firstDraw(); f <= draws; ++f)
        values[static_cast<std::size_t>(f - 1)] =
            countPresent(history.rankedRow(f), repeatUnion(history, f, offsets));
    return values;
}

} // namespace vargis::catalogue
