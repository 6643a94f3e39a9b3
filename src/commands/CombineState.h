#pragma once
// The lists and results of the combine runs of one application: the
// working lists live only within a run, the remaining combinations and the
// scores until the next run.

#include "engine/Combination.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

struct CombineState {
    engine::CombinationList candidates; // the first pass's list
    engine::CombinationList survivors;  // the second pass's compact list
    std::int32_t survivorCount = 0;
    engine::CombinationList remaining;
    std::vector<int> numbersInPlay;
    std::vector<std::int32_t> drawScores;
    // Remaining combinations with 5, 4, 3 and 2 numbers of a past forecast
    // draw, as the result counters show them; none when they show dashes.
    std::optional<std::array<std::int32_t, 4>> winningCounts;
    int stopRow = 0; // the row of the step that left nothing, 0 if none

    // Drops the lists of a run (not the results of the last one).
    void releaseWorkingLists() {
        engine::CombinationList().swap(candidates);
        engine::CombinationList().swap(survivors);
    }
};

// Creates the state of `app`; its handlers keep it alive for the
// application's life.
std::shared_ptr<CombineState> attachCombineState(context::AppContext& app);

// The state attached to `app`; ControlError when none is.
CombineState& combineState(context::AppContext& app);

} // namespace vargis::commands
