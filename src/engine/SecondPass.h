#pragma once
// The frame of the second pass: the survivors of the first pass compacted
// into a list of their own, and what the remaining combinations leave in
// play.

#include "engine/Combination.h"

#include <string>
#include <vector>

namespace vargis::engine {

// The live entries in order; the candidate list is released.
CombinationList compactLive(CombinationList&& candidates);

// The numbers 1..50 that occur in at least one live entry, ascending.
std::vector<int> numbersInPlay(const CombinationList& combinations);

} // namespace vargis::engine
