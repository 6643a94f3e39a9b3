#pragma once
// What each applied filter row is worth for the stored forecast target: how
// often its button found the past draws meeting it, how many of all
// combinations meet it alone, and how many it alone removes from what every
// other applied row and the number selection would keep.

#include "engine/FirstPass.h"
#include "engine/SecondPassPlan.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vargis::engine {

struct WorthRow {
    int row = 0;
    std::optional<int> met; // MatchCount of the row's button; none without a button
    std::int32_t passes = 0;
    std::int32_t unique = 0;
};

struct WorthResult {
    std::vector<WorthRow> rows; // the applied rows in the order of the sweep
    std::int32_t combinationCount = 0;
    int stopRow = 0;            // where the full combine leaves nothing, 0 if it does not
    std::int32_t remaining = 0; // what the full combine leaves
};

// The rows both passes would apply for the target of `second`, with the
// counts. `met` gives a row's button count. An error reading a row (a
// parameter that is not an integer) propagates.
WorthResult filterWorth(const FirstPassInput& first, const SecondPassInput& second,
                        const std::function<std::optional<int>(int row)>& met);

struct RowPasses {
    int row = 0;
    std::int32_t passes = 0;
};

struct PassesResult {
    std::vector<RowPasses> rows; // the applied rows in the order of the sweep
    std::int32_t combinationCount = 0;
};

// The `passes` of filterWorth alone: the combinations meeting each applied
// row by itself. A row on one position, or whose value is a sum of one term
// per number, is counted from the numbers each position can hold rather than
// by walking every combination.
PassesResult filterPasses(const FirstPassInput& first, const SecondPassInput& second);

} // namespace vargis::engine
