#pragma once
// The first pass over the candidate list: the numbers that do not play, then
// filter row by filter row the combinations whose own value fails the row.
// Pure: it reads the filter base and the rows' settings through the input
// and leaves the strikes in the list and a trace of the steps, which
// the command replays on the window with its pauses.

#include "context/RowSettings.h"
#include "engine/Combination.h"
#include "engine/FirstPassKernel.h"
#include "engine/FirstPassSteps.h"
#include "filters/FilterTable.h"

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vargis::engine {

struct FirstPassInput {
    int highestNumber = 36;
    const filters::FilterTable* filters = nullptr;
    // Each row's parameter and enabled flag as the window shows them.
    const context::RowSettings* settings = nullptr;
    // excluded[x]: number x does not play.
    std::array<bool, kMaxNumber + 1> excluded{};
};

// A step that ran to its end: where the progress bar goes (-1: stays), the
// pause, and the live count it left.
struct StepTrace {
    int step = 0;
    int progress = -1;
    int pauseMs = 0;
    std::int32_t live = 0;
};

struct FirstPassResult {
    std::vector<StepTrace> steps;
    // The row whose step left no live entry (the pass ended there); 0 when
    // the pass ran through.
    int stopRow = 0;
    std::int32_t live = 0;
    // A parameter that is not an integer ends the pass with this error after
    // the steps (and rows) before it; empty otherwise.
    std::exception_ptr error;
};

// A step of a pass as its trace reads it: tests [first, last) of the pass's
// tests, `failed` when reading the rows of the step raised the pass's error.
struct TracedStep {
    int number = 0;
    int progress = -1;
    int pauseMs = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    bool failed = false;
};

// The trace of a pass from the strikes of its tests: `live` entries before
// the tests, struck[t] the entries test t struck first, stopRow(t) the row a
// test that may stop the pass ends it with (0: it never stops it). Each step
// takes off its tests' strikes in order; a stop test that leaves nothing ends
// the pass at its row, a failed step ends it with `error` after its tests.
FirstPassResult traceStrikes(std::int32_t live, std::span<const std::int32_t> struck,
                             std::span<const TracedStep> steps,
                             const std::function<int(std::size_t)>& stopRow,
                             const std::exception_ptr& error);

// The tests of steps 1..30 for the enabled rows, in the order the steps apply
// them, read as the steps would one after the other; an error (a parameter
// that is not an integer) stops the reading where it occurred and is kept.
struct FirstPassPlan {
    struct Row {
        int row = 0;
        bool stopTest = true;
    };
    // The tests of one step, in the order of its rows; `failed` when reading
    // the parameter of the row after them raised the error.
    struct Step {
        const SweepStep* step = nullptr;
        std::size_t first = 0;
        std::size_t last = 0;
        bool failed = false;
    };
    std::vector<KernelTest> tests;
    std::vector<Row> rows; // one per test
    std::vector<Step> steps;
    std::exception_ptr error;
};
FirstPassPlan planFirstPass(const std::vector<SweepStep>& steps, const FirstPassInput& input);

// Runs steps 0..30 over the live entries of `list`, striking in place.
// Every live entry must hold numbers 1..50 (RangeError otherwise).
FirstPassResult sweepWithoutDate(CombinationList& list, const FirstPassInput& input);

std::int32_t countLive(const CombinationList& list);

} // namespace vargis::engine
