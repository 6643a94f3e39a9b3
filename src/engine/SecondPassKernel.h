#pragma once
// The hot loop of the second pass: every live entry is struck at the first
// test it fails, so one walk over the list gives exactly what applying the
// tests one after the other gives, with the number of entries each test
// struck.

#include "engine/Combination.h"
#include "engine/SecondPassPlan.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vargis::engine {

// Strikes every live entry at the first test it fails; returns the count
// struck by each test. Live entries must hold numbers 1..50 (RangeError
// otherwise).
std::vector<std::int32_t> strikeAtFirstFailingTest(CombinationList& list,
                                                   std::span<const SecondTest> tests);

} // namespace vargis::engine
