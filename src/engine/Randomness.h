#pragma once
// Whether past draws differ from random combinations at all. For every row
// the first pass evaluates (its value decided by the five numbers alone),
// the draws' values are counted against the value's distribution over all
// combinations of the kind, and the numbers' counts against an even share;
// chi-square tests with Benjamini-Hochberg adjusted p values over the rows.

#include "engine/Combination.h"
#include "engine/FirstPassSteps.h"

#include <cstdint>
#include <vector>

namespace vargis::engine {

// Below this no row can hold two bins that each expect 5 draws.
inline constexpr int kFewestRandomnessDraws = 10;
inline constexpr double kRandomnessLevel = 0.05;

// A row's first-pass value counted over every combination of the kind:
// counts[v] combinations have value v.
struct ValueDistribution {
    int row = 0;
    StepValue value;
    std::vector<std::int64_t> counts;
};

// The rows the first pass evaluates for the kind, in row order, each once,
// except a row whose value reads the number selection rather than the five
// numbers; with their distributions.
std::vector<ValueDistribution> firstPassDistributions(int highestNumber);

// Adjacent values merged in value order.
struct ValueBin {
    int firstValue = 0;
    int lastValue = 0;
    std::int64_t combinations = 0;
    std::int64_t observed = 0;
    double expected = 0;
};

// Merges adjacent values (those some combination takes), in value order,
// closing a bin as soon as it expects at least 5 of `draws` draws
// (combinations * draws >= 5 * all); a short last bin joins its left
// neighbour, and when no bin reaches 5 everything is one bin. `observed`
// counts the draws per value (indexes past its end count 0).
std::vector<ValueBin> mergeBins(const std::vector<std::int64_t>& combinations,
                                const std::vector<std::int64_t>& observed, std::int64_t all,
                                int draws);

// The upper tail of chi-square with `df` degrees of freedom at `chi2`.
double chiSquareTail(double chi2, int df);

// chi2 = sum (o - e)^2 / e over the bins.
double chiSquareOf(const std::vector<ValueBin>& bins);

// Benjamini-Hochberg adjusted p values, in the order of `p`: ranked by p
// ascending, q(i) = min over j >= i of p(j) * m / j, at most 1. Equal p
// values get equal q whatever their order.
std::vector<double> benjaminiHochberg(const std::vector<double>& p);

struct RowRandomness {
    int row = 0;
    std::vector<ValueBin> bins;
    double chi2 = 0;
    double p = 1;
    double q = 1;
};

struct RandomnessResult {
    int draws = 0;
    // The rows with two bins or more, in row order; a row with one bin says
    // nothing and is left out.
    std::vector<RowRandomness> rows;
    // Each number's count over the draws against 5D/N, df N - 1.
    std::vector<std::int64_t> numberCounts; // [x] for x = 1..N; [0] unused
    double numbersChi2 = 0;
    double numbersP = 1;
    int rowsBelowLevel = 0; // rows with q below kRandomnessLevel
};

// The test over `draws` (five distinct numbers 1..highestNumber each, in any
// order); RangeError for a draw that is not, or for fewer than
// kFewestRandomnessDraws draws.
RandomnessResult testRandomness(const std::vector<Combination>& draws, int highestNumber,
                                const std::vector<ValueDistribution>& distributions);
RandomnessResult testRandomness(const std::vector<Combination>& draws, int highestNumber);

} // namespace vargis::engine
