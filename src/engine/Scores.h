#pragma once
// How the remaining combinations would have fared in the past draws. Numbers
// are matched on text: a combination's number counts once for every number
// cell of the draw whose text is its decimal text, so a draw that holds a
// number twice counts it twice.

#include "engine/Combination.h"
#include "history/DrawFileCodec.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vargis::engine {

// multiplicity[x]: how many of the draw's five number texts read x (1..50).
using DrawMultiplicity = std::array<std::uint8_t, kMaxNumber + 1>;

DrawMultiplicity drawMultiplicity(const history::DrawRecord& draw);

// Per draw: the highest count of common numbers any combination reaches,
// when it is 2..5; 0 otherwise. At most 64 draws.
std::vector<std::int32_t> drawScores(const CombinationList& combinations,
                                     const std::vector<DrawMultiplicity>& draws);

// counts[k]: the combinations with exactly k numbers in common with the draw.
std::array<std::int32_t, 6> commonCounts(const CombinationList& combinations,
                                         const DrawMultiplicity& draw);
// The same over the live entries of a list struck in place.
std::array<std::int32_t, 6> liveCommonCounts(const CombinationList& combinations,
                                             const DrawMultiplicity& draw);

} // namespace vargis::engine
