#pragma once
// One filter row over the history, as its button computes it: the values
// per draw, the count of draws meeting the row and the draws that fail it.

#include "Application.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vargis::app {

struct RowEvaluation {
    int row = 0; // the row the press reports on (link and date buttons find theirs)
    std::vector<std::int32_t> values;
    int match = 0;
    std::vector<int> failed; // draw ordinals marked as failing the row
};

// What the button of `row` finds, worked out from the history and the
// filter base without pressing it; the form is only read for the parameter
// its label shows. None when the row raised an error (already shown through
// the platform).
std::optional<RowEvaluation> evaluateRow(Application& app, int row);

} // namespace vargis::app
