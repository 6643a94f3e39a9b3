#pragma once
// All combinations of five of the numbers 1..N in lexicographic order.

#include "engine/Combination.h"

#include <functional>

namespace vargis::engine {

// Lists the C(N, 5) combinations (1,2,3,4,5), (1,2,3,4,6) ... (N-4,...,N);
// afterFirst(a) is called once the combinations starting with a are listed.
// N outside 5..50 is a RangeError.
CombinationList generateCombinations(int highestNumber,
                                     const std::function<void(int)>& afterFirst = {});

} // namespace vargis::engine
