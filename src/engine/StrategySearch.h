#pragma once
// The strategy search: which of the candidate filter rows to enable, and at
// which of their candidate bounds, so that the settings keep as many of the
// training targets of an archive as possible while the median of the
// combinations they leave stays within a budget.
//
// A candidate is scored without a combine. The facts it needs are gathered
// once: each candidate row's value of every training target's own draw
// (with that target's table), and for a sample of the training targets
// which of a fixed sample of combinations each row and bound keeps. The
// bounds of a row are nested, so tightening a row is one AND of bit sets.
// The search only estimates the remaining counts; the caller back-tests the
// chosen settings exactly.

#include "engine/FirstPass.h"
#include "engine/SecondPassPlan.h"
#include "history/DrawImport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vargis::engine {

struct SearchInput {
    // The passes' inputs with every candidate row enabled (any integer
    // parameter) and every other row as stored; the second pass's history,
    // date and ordinal are replaced per target.
    FirstPassInput first;
    SecondPassInput second;
    const std::vector<history::ImportedDraw>* archive = nullptr;
    int firstTarget = 15; // training targets firstTarget..lastTarget
    int lastTarget = 15;
    std::vector<int> rows; // candidate rows, ascending
};

// The candidate bounds of a row from its values over the training draws
// and its condition ("<=" when atMost).
using CandidateBounds =
    std::function<std::vector<int>(const std::vector<int>& values, bool atMost)>;

// Told how far the gathering is (done of total); false stops it.
using SearchProgress = std::function<bool(int done, int total)>;

struct SearchRow {
    int row = 0;
    bool atMost = true;
    std::vector<int> bounds; // distinct, tightest first
};

struct SearchChoice {
    int row = 0;
    int bound = 0;
};

struct SearchOutcome {
    std::vector<SearchChoice> rows; // in row order
    bool reached = false;           // the estimated median is within the budget
    double estimatedMedian = 0;     // of the settings chosen (the tightest tried when not reached)
    int estimatedKept = 0;          // training targets the settings keep
};

class StrategySearch {
public:
    // Gathers the facts over both cores. Rows no pass applies, and rows
    // whose values give no bound, are dropped. An error of either pass's
    // plan propagates. `stopped()` tells whether the progress stopped it.
    StrategySearch(const SearchInput& input, const CandidateBounds& bounds,
                   const SearchProgress& progress = {});
    ~StrategySearch();
    StrategySearch(const StrategySearch&) = delete;
    StrategySearch& operator=(const StrategySearch&) = delete;

    bool stopped() const { return stopped_; }
    const std::vector<SearchRow>& rows() const { return rows_; }

    // The settings for a median of at most `budget` remaining combinations:
    // greedy on combinations removed per training draw lost, then moves
    // that keep more training draws, or as many with fewer rows.
    // Deterministic.
    SearchOutcome search(double budget) const;

    // The number of sampled training targets and sampled combinations.
    int sampledTargets() const;
    int sampledCombinations() const;

private:
    struct Facts;
    std::vector<SearchRow> rows_;
    std::unique_ptr<Facts> facts_;
    bool stopped_ = false;
};

// The median of whole counts: the middle one, or half way between the two
// middle ones; 0 for none.
double medianOf(std::vector<std::int32_t> counts);

} // namespace vargis::engine
