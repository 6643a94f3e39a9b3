#include "catalogue/DifferenceFilters.h"

#include "base/Errors.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace vargis::catalogue {

namespace {

std::size_t positionIndex(int position) {
    if (position < 1 || position > 5)
        throw RangeError("Позиция ранжированного тиража " + std::to_string(position) +
                         " вне диапазона 1..5");
    return static_cast<std::size_t>(position - 1);
}

int drawCountOf(const context::DrawHistory& history) {
    return std::min<int>(history.drawCount, context::kMaxDraws);
}

} // namespace

std::optional<PositionPair> differencePositions(int row) {
    switch (row) {
    case 246:
        return PositionPair{2, 1};
    case 247:
        return PositionPair{3, 1};
    case 248:
        return PositionPair{4, 1};
    case 249:
        return PositionPair{5, 1};
    case 251:
        return PositionPair{3, 2};
    case 252:
        return PositionPair{4, 2};
    case 253:
        return PositionPair{5, 2};
    case 255:
        return PositionPair{4, 3};
    case 256:
        return PositionPair{5, 3};
    case 258:
        return PositionPair{5, 4};
    case 261:
        return PositionPair{5, 1};
    default:
        return std::nullopt;
    }
}

int averagePosition(int row) {
    return row >= 262 && row <= 266 ? row - 261 : 0;
}

int rankedDifference(const context::RankedRow& draw, PositionPair pair) {
    return static_cast<int>(draw[positionIndex(pair.high)]) - draw[positionIndex(pair.low)];
}

int neighbourDifferenceSum(const context::RankedRow& draw) {
    int sum = 0;
    for (std::size_t k = 0; k + 1 < draw.size(); ++k)
        sum += static_cast<int>(draw[k + 1]) - draw[k];
    return sum;
}

int runningAverage(const context::DrawHistory& history, int position, int f) {
    const std::size_t p = positionIndex(position);
    if (f < 2 || f > drawCountOf(history) + 1)
        throw RangeError("Для тиража " + std::to_string(f) + " нет среднего по прежним тиражам");
    int sum = 0;
    for (int g = 1; g < f; ++g)
        sum += history.rankedRow(g)[p];
    return sum / (f - 1);
}

std::vector<int> runningAverageDistances(const context::DrawHistory& history, int position) {
    const std::size_t p = positionIndex(position);
    const int draws = drawCountOf(history);
    std::vector<int> values(static_cast<std::size_t>(draws), 0);
    int sum = 0;
    for (int f = 1; f <= draws; ++f) {
        const int r = history.rankedRow(f)[p];
        if (f >= 2)
            values[static_cast<std::size_t>(f - 1)] = std::abs(r - sum / (f - 1));
        sum += r;
    }
    return values;
}

} // namespace vargis::catalogue
