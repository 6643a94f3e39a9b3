#pragma once
// The hot loop of the first pass: every live entry is tested against the
// resolved row tests in order and struck at the first one it fails, so one
// walk over the list gives exactly what applying the tests one after the
// other gives, with the number of entries each test struck.

#include "engine/Combination.h"
#include "engine/FirstPassSteps.h"
#include "engine/SweepCondition.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vargis::engine {

struct KernelTest {
    StepValue value;
    PassBand band;
};

// Strikes every live entry at the first test it fails; returns the count
// struck by each test. `excluded` holds the numbers that do not play, as the
// values read them. Live entries must hold numbers 1..50 (RangeError
// otherwise), five distinct ones in ascending order as generated.
std::vector<std::int32_t> strikeFirstFailing(CombinationList& list,
                                             std::span<const KernelTest> tests,
                                             const std::array<bool, kMaxNumber + 1>& excluded);

// The contribution of number x (1..50) in position k (0..4) to a value that
// is a sum of one term per number (modulo 256); none for the other values.
std::optional<int> termOfValue(const StepValue& value, int k, int x,
                               const std::array<bool, kMaxNumber + 1>& excluded);

// The value of one test for one combination, computed directly; the
// kernel's reference for the values it computes from tables.
inline int combinationValue(const StepValue& value, const Combination& c,
                            const std::array<bool, kMaxNumber + 1>& excluded) {
    return value.of(c, excluded);
}

} // namespace vargis::engine
