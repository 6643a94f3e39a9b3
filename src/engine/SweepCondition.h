#pragma once
// How a sweep step compares a combination's value with the row's parameter.

#include "catalogue/Condition.h"

#include <cstdint>
#include <string_view>

namespace vargis::engine {

using SweepCondition = catalogue::Condition;

// "<=", "=", "<>", ">="; any other text strikes nothing (None).
inline SweepCondition sweepCondition(std::string_view text) {
    return catalogue::conditionOf(text);
}

// Whether a combination with value v is struck out against parameter p.
inline bool strikes(SweepCondition condition, int v, int p) {
    return !catalogue::conditionHolds(condition, v, p);
}

// The values 0..255 that pass a condition: lo..hi, less `excluded` when
// hasExcluded. A condition nothing passes has lo > hi.
struct PassBand {
    std::uint8_t lo = 0;
    std::uint8_t hi = 255;
    bool hasExcluded = false;
    std::uint8_t excluded = 0;

    bool passes(int v) const { return v >= lo && v <= hi && !(hasExcluded && v == excluded); }
};

// Exact for every value 0..255, whatever the parameter.
PassBand passBand(SweepCondition condition, int p);

} // namespace vargis::engine
