// The chance baseline: the Poisson binomial tail against a brute-force sum
// over every outcome and against the binomial when all chances are equal,
// and the printed line.

#include "base/Errors.h"
#include "engine/Chance.h"

#include <boost/math/distributions/binomial.hpp>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace vargis::engine {
namespace {

double bruteForceTail(const std::vector<double>& p, int atLeast) {
    double tail = 0;
    const unsigned n = static_cast<unsigned>(p.size());
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        double chance = 1;
        int count = 0;
        for (unsigned t = 0; t < n; ++t) {
            const bool happens = (mask >> t) & 1u;
            chance *= happens ? p[t] : 1 - p[t];
            count += happens ? 1 : 0;
        }
        if (count >= atLeast)
            tail += chance;
    }
    return tail;
}

TEST(ChanceTest, PoissonBinomialTailMatchesEveryOutcomeAndTheBinomial) {
    std::mt19937 random(29);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (int size : {0, 1, 2, 5, 12}) {
        std::vector<double> p(static_cast<std::size_t>(size));
        for (double& pt : p)
            pt = chance(random);
        if (size == 5)
            p[2] = 0, p[3] = 1; // certain events on both sides
        for (int atLeast = -1; atLeast <= size + 1; ++atLeast)
            EXPECT_NEAR(poissonBinomialTail(p, atLeast), bruteForceTail(p, atLeast), 1e-12)
                << "size " << size << ", at least " << atLeast;
    }
    // Both sides of the tail's split, on a set far too large to enumerate.
    for (double pt : {0.02, 0.5, 0.93}) {
        const std::vector<double> p(3000, pt);
        const boost::math::binomial_distribution<double> binomial(3000, pt);
        for (int atLeast : {1, 40, 1500, 2790, 2999, 3000}) {
            const double expected =
                boost::math::cdf(boost::math::complement(binomial, atLeast - 1));
            EXPECT_NEAR(poissonBinomialTail(p, atLeast), expected, 1e-9 + 1e-9 * expected)
                << "p " << pt << ", at least " << atLeast;
        }
    }
    EXPECT_THROW(poissonBinomialTail({0.5, 1.5}, 1), RangeError);
}

TEST(ChanceTest, LineStatesExpectationLiftAndTail) {
    // Two targets each kept with chance 1/4, one stopped (0 remaining).
    const ChanceBaseline baseline = chanceBaseline({25, 0, 25}, 100, 1);
    EXPECT_DOUBLE_EQ(baseline.expected, 0.5);
    EXPECT_EQ(chanceLine(baseline), "chance: expected 0.5; lift 2.000; p 0.4375");
    EXPECT_EQ(chanceLine(chanceBaseline({0, 0}, 100, 0)), "chance: expected 0.0; lift -; p 1.0000");
    EXPECT_EQ(chanceLine(chanceBaseline({}, 100, 0)), "chance: expected 0.0; lift -; p 1.0000");
}

} // namespace
} // namespace vargis::engine
