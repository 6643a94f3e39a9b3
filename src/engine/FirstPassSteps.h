#pragma once
// The steps of the first pass: which filter rows each applies, how it finds
// whether a row is enabled and its parameter, the value it computes for a
// combination, and the progress position and pause that follow it.

#include "catalogue/PassValue.h"
#include "catalogue/RangeCounts.h"

#include <optional>
#include <vector>

namespace vargis::engine {

// The value a row computes for a combination, as its filter family states it.
using catalogue::StepValue;

using catalogue::EnabledBy;
using catalogue::ParameterFrom;

struct StepRow {
    int row = 0;
    StepValue value;
};

struct SweepStep {
    int number = 0;
    EnabledBy enabledBy = EnabledBy::Field4;
    ParameterFrom parameterFrom = ParameterFrom::Caption;
    std::vector<StepRow> rows;
    int progress = -1; // -1: the progress bar keeps its position
    int pauseMs = 0;
    bool stopTest = true;
};

inline constexpr int kFirstPassProgressMax = 55;
inline constexpr int kFirstPassStartPosition = 4;

// Steps 1..30 in order for the kind with highest number N.
std::vector<SweepStep> firstPassSteps(int highestNumber);

// The range a count-in-ranges row (223..245) counts for N in the sweep; none
// when the row counts nothing for this kind (row 245 always).
using catalogue::NumberRange;
std::optional<NumberRange> rangeOfRow(int row, int highestNumber);

// 1..9: the value itself up to 9, else value mod 9 with 0 replaced by 9.
int root9(int value);

} // namespace vargis::engine
