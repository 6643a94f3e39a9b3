#pragma once
// What chance alone gives a set of targets. For fair draws a setting keeps a
// coming draw with exactly the share of combinations it leaves, so a target
// with r remaining of C combinations is kept with probability r / C, whatever
// the history showed. A back-test's kept count is judged against that.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vargis::engine {

// Probability that at least `atLeast` of independent events happen, event t
// with probability p[t] (the Poisson binomial tail), computed exactly by
// convolution. Only the side of the distribution the tail needs is kept, so
// the work is n * min(atLeast, n - atLeast + 1).
double poissonBinomialTail(const std::vector<double>& p, std::int64_t atLeast);

struct ChanceBaseline {
    double expected = 0;        // E: the sum of the targets' chances
    std::optional<double> lift; // kept / E; none when E is 0
    double pValue = 1;          // chance of keeping `kept` or more at random
};

// The baseline of `kept` targets out of those whose remaining counts are
// `remaining` (0 for a target whose sweep stopped), of `combinations` in all.
ChanceBaseline chanceBaseline(const std::vector<std::int32_t>& remaining, std::int32_t combinations,
                              std::int64_t kept);

// "chance: expected E; lift L; p P", E "%.1f", L "%.3f" or "-", P "%.4f".
std::string chanceLine(const ChanceBaseline& baseline);

} // namespace vargis::engine
