#pragma once
// The strategy check: the combine with the stored settings run for every
// past draw K from 15 on as the forecast draw, to see whether the filters
// would have kept that draw's own numbers and how many combinations would
// have been left to play.

#include "engine/Chance.h"
#include "engine/Combination.h"
#include "engine/FirstPass.h"
#include "engine/SecondPassPlan.h"
#include "history/DrawImport.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
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
    bool stopped = false; // the user stopped the run; `targets` holds those finished
    int keptCount() const;
};

// What the combine leaves for the target of `second`: the row at which a
// pass left nothing (then no combination remains), or the remaining count.
struct CombineCount {
    int stopRow = 0;
    std::int32_t remaining = 0;
};
CombineCount countCombineRemaining(const FirstPassInput& first, const SecondPassInput& second);

// What chance alone would keep of the targets: each target is kept with the
// share of the kind's `combinations` it leaves (0 for a target that stopped).
ChanceBaseline backtestChance(const BacktestResult& result, std::int32_t combinations);

// Told the ordinal of each target before its result is taken; false stops
// the run once the targets under way have finished.
using TargetProgress = std::function<bool(int ordinal)>;

// Runs the first pass once over every combination of the kind, then the
// second pass for each target 15..DrawCount with that draw's date and
// ordinal. `second` gives the filter base and the history; its date and
// ordinal are replaced per target. An error of either pass propagates.
BacktestResult runBacktest(const FirstPassInput& first, const SecondPassInput& second,
                           const TargetProgress& onTarget = {});

// The same over an archive of draws, oldest first: target t (ordinal t of
// the archive, from 15 on; with `lastTargets` > 0 only that many of the
// newest) gets the table of archive draws max(1, t - 49) .. t and is its
// last draw, with its own date and ordinal in that table. The first pass,
// which reads no draw, runs once for all targets. `second` gives the
// filter base; its history, date and ordinal are replaced per target.
BacktestResult runArchiveBacktest(const FirstPassInput& first, const SecondPassInput& second,
                                  const std::vector<history::ImportedDraw>& archive,
                                  int lastTargets = 0, const TargetProgress& onTarget = {});

// The same for the archive targets firstTarget..lastTarget (from 15 on).
BacktestResult runArchiveTargets(const FirstPassInput& first, const SecondPassInput& second,
                                 const std::vector<history::ImportedDraw>& archive, int firstTarget,
                                 int lastTarget, const TargetProgress& onTarget = {});

// The table a working folder would hold for archive target t (1..size): up
// to 50 archive draws ending with it, as the draw file loads them.
context::DrawHistory archiveTable(const std::vector<history::ImportedDraw>& archive, int t);

// The ordinals of the archive targets run: from max(15, size - lastTargets
// + 1) to size; empty when the archive holds fewer than 15 draws.
std::pair<int, int> archiveTargetRange(int archiveSize, int lastTargets);

} // namespace vargis::engine
