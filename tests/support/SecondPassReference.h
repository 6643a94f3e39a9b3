#pragma once
// The second pass's rows computed straight from their definitions, for tests
// that check the pass and the combine command against them: texts built per
// combination, numbers read from the draw table as it stands.

#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "engine/Combination.h"

#include <optional>
#include <string>
#include <vector>

namespace vargis::testing {

struct ReferenceTarget {
    const context::FilterTable* filters = nullptr;
    const context::DrawHistory* history = nullptr;
    std::string date; // the forecast date
    int target = 1;   // T
    int number(int draw, int k) const { return history->drawnNumber(draw, k); }
};

// Whether a row strikes the combination, with the row's own enabled test;
// none when the row is not applied for this target.
std::optional<bool> referenceRowStrikes(const ReferenceTarget& f, int row,
                                        const engine::Combination& c);

// The rows of the pass in the order it applies them.
const std::vector<int>& referenceRowOrder();

// The live entries after applying the rows one after the other, or the row
// at which nothing was left.
struct ReferenceOutcome {
    engine::CombinationList survivors;
    int stopRow = 0;
};
ReferenceOutcome referenceSecondPass(const ReferenceTarget& f, engine::CombinationList list);

} // namespace vargis::testing
