#pragma once
// The strategy check: the combine with the stored settings run for every
// past draw K from 15 on as the forecast draw, to see whether the filters
// would have kept that draw's own numbers and how many combinations would
// have been left to play.

#include "engine/Combination.h"
#include "engine/FirstPass.h"
#include "engine/SecondPassTests.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vargis::engine {

inline constexpr int kFirstBacktestTarget = 15;

struct BacktestTarget {
    int ordinal = 0;
    std::string date;
    int stopRow = 0; // the row at which a step left nothing; 0 when the run ended
    std::int32_t remaining = 0;
    // Remaining combinations holding exactly 5, 4, 3 and 2 numbers of the draw.
    std::array<std::int32_t, 4> counters{};
    bool kept = false; // the draw's own numbers are a remaining combination
};

struct BacktestResult {
    std::vector<BacktestTarget> targets;
    int keptCount() const;
};

// Runs the first pass once over every combination of the kind, then the
// second pass for each target 15..DrawCount with that draw's date and
// ordinal. `second` gives the filter base and the history; its date and
// ordinal are replaced per target. `onTarget` is told each ordinal before it
// runs. An error of either pass propagates.
BacktestResult runBacktest(const FirstPassInput& first, const SecondPassInput& second,
                           const std::function<void(int)>& onTarget = {});

} // namespace vargis::engine
