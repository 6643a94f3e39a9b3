#pragma once
// The hot loop of the second pass: every live entry is struck at the first
// test it fails, so one walk over the list gives exactly what applying the
// tests one after the other gives, with the number of entries each test
// struck.

#include "engine/Combination.h"
#include "engine/SecondPassPlan.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vargis::engine {

// Strikes every live entry at the first test it fails; returns the count
// struck by each test. Live entries must hold numbers 1..50 (RangeError
// otherwise).
std::vector<std::int32_t> strikeAtFirstFailingTest(CombinationList& list,
                                                   std::span<const SecondTest> tests);

// What the tests leave of a list without striking it: the live entries that
// pass every test, counted by how many numbers they share with a draw
// (multiplicity[x]: how often the draw holds x), and whether `own` passes
// every test. An entry is dropped at the first test found failing, the
// cheapest tried first, so this tells nothing of which test struck it.
struct PassingCounts {
    std::array<std::int32_t, 6> common{};
    bool ownPasses = false;
};
PassingCounts countPassingAll(const CombinationList& list, std::span<const SecondTest> tests,
                              const std::array<std::uint8_t, kMaxNumber + 1>& multiplicity,
                              const Combination& own);

} // namespace vargis::engine
