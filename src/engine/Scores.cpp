#include "engine/Scores.h"

#include "base/Errors.h"

#include <algorithm>
#include <memory>
#include <string>

namespace vargis::engine {

namespace {
constexpr int kDrawLanes = 64;
}

DrawMultiplicity drawMultiplicity(const history::DrawRecord& draw) {
    DrawMultiplicity m{};
    for (int x = 1; x <= kMaxNumber; ++x) {
        const std::string text = std::to_string(x);
        for (int k = 3; k <= 7; ++k)
            if (draw.field(k) == text)
                ++m[static_cast<std::size_t>(x)];
    }
    return m;
}

std::vector<std::int32_t> drawScores(const CombinationList& combinations,
                                     const std::vector<DrawMultiplicity>& draws) {
    if (draws.size() > kDrawLanes)
        throw RangeError("Тиражей для оценки больше " + std::to_string(kDrawLanes));
    // common[x][d]: the count number x adds for draw d; the draws side by side.
    using Lanes = std::array<std::uint8_t, kDrawLanes>;
    auto common = std::make_unique<std::array<Lanes, kMaxNumber + 1>>();
    for (std::size_t d = 0; d < draws.size(); ++d)
        for (std::size_t x = 0; x <= kMaxNumber; ++x)
            (*common)[x][d] = draws[d][x];
    alignas(64) Lanes best{};
    for (const Combination& c : combinations) {
        for (auto x : c)
            if (x > kMaxNumber)
                throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
        const Lanes& a = (*common)[c[0]];
        const Lanes& b = (*common)[c[1]];
        const Lanes& e = (*common)[c[2]];
        const Lanes& f = (*common)[c[3]];
        const Lanes& g = (*common)[c[4]];
        for (std::size_t d = 0; d < kDrawLanes; ++d) {
            const auto n = static_cast<std::uint8_t>(a[d] + b[d] + e[d] + f[d] + g[d]);
            best[d] = std::max(best[d], n);
        }
    }
    std::vector<std::int32_t> scores(draws.size());
    for (std::size_t d = 0; d < draws.size(); ++d)
        scores[d] = best[d] >= 2 ? best[d] : 0;
    return scores;
}

namespace {

template <bool LiveOnly>
std::array<std::int32_t, 6> countCommon(const CombinationList& combinations,
                                        const DrawMultiplicity& draw) {
    std::array<std::int32_t, 6> counts{};
    for (const Combination& c : combinations) {
        if (LiveOnly && !isLive(c))
            continue;
        int n = 0;
        for (auto x : c) {
            if (x > kMaxNumber)
                throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
            n += draw[x];
        }
        ++counts[static_cast<std::size_t>(std::min(n, 5))];
    }
    return counts;
}

} // namespace

std::array<std::int32_t, 6> commonCounts(const CombinationList& combinations,
                                         const DrawMultiplicity& draw) {
    return countCommon<false>(combinations, draw);
}

std::array<std::int32_t, 6> liveCommonCounts(const CombinationList& combinations,
                                             const DrawMultiplicity& draw) {
    return countCommon<true>(combinations, draw);
}

} // namespace vargis::engine
