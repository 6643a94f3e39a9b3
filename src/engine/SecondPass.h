#pragma once
// The frame of the second pass: the survivors of the first pass compacted
// into a list of their own, and what the remaining combinations leave in
// play.

#include "engine/Combination.h"
#include "engine/FirstPass.h"
#include "engine/SecondPassPlan.h"

#include <string>
#include <vector>

namespace vargis::engine {

// The steps of the second pass over the live entries of `survivors`,
// striking in place, with the trace of the steps (progress, pause, live
// count) that the command replays on the window. A step that leaves nothing
// ends the pass with its row; an error reading a row ends it after the rows
// before it.
FirstPassResult sweepAllSelected(CombinationList& survivors, const SecondPassInput& input);

// The live entries in order; the candidate list is released.
CombinationList compactLive(CombinationList&& candidates);

// The numbers 1..50 that occur in at least one live entry, ascending.
std::vector<int> numbersInPlay(const CombinationList& combinations);

} // namespace vargis::engine
