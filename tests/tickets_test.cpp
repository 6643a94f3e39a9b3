// Covering tickets: the greedy choice against a brute-force count of every
// step, ties to the earlier combination, and the covered count recomputed
// from the chosen tickets.

#include "base/Errors.h"
#include "engine/Generation.h"
#include "engine/Tickets.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace vargis {
namespace {

using engine::Combination;
using engine::CombinationList;

// The greedy rule stated plainly: O(R^2) per step.
engine::TicketChoice bruteForce(const CombinationList& list, int count, int match) {
    engine::TicketChoice choice;
    choice.remaining = static_cast<std::int32_t>(list.size());
    std::vector<bool> covered(list.size(), false);
    while (static_cast<int>(choice.tickets.size()) < count && choice.covered < choice.remaining) {
        std::size_t best = 0;
        std::int32_t bestGain = -1;
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::int32_t gain = 0;
            for (std::size_t u = 0; u < list.size(); ++u)
                gain += !covered[u] && engine::sharedNumbers(list[i], list[u]) >= match ? 1 : 0;
            if (gain > bestGain) {
                bestGain = gain;
                best = i;
            }
        }
        for (std::size_t u = 0; u < list.size(); ++u)
            if (engine::sharedNumbers(list[best], list[u]) >= match)
                covered[u] = true;
        choice.tickets.push_back({list[best], bestGain});
        choice.covered += bestGain;
    }
    return choice;
}

// A sample of the combinations of 5 of n in list order.
CombinationList sample(int n, std::size_t size, unsigned seed) {
    CombinationList all = engine::generateCombinations(n);
    std::mt19937 random(seed);
    std::shuffle(all.begin(), all.end(), random);
    all.resize(std::min(size, all.size()));
    std::sort(all.begin(), all.end());
    return all;
}

TEST(Tickets, GreedyChoiceMatchesTheBruteForceForEveryMatch) {
    for (int match = 2; match <= 5; ++match) {
        for (unsigned seed : {1u, 2u}) {
            SCOPED_TRACE("match " + std::to_string(match) + " seed " + std::to_string(seed));
            // Few numbers: many ties and many shared numbers.
            const CombinationList list = sample(seed == 1 ? 9 : 14, 90, seed);
            const auto expected = bruteForce(list, 12, match);
            const auto chosen = engine::chooseTickets(list, 12, match);
            ASSERT_EQ(chosen.tickets.size(), expected.tickets.size());
            for (std::size_t k = 0; k < expected.tickets.size(); ++k) {
                EXPECT_EQ(chosen.tickets[k].numbers, expected.tickets[k].numbers) << k;
                EXPECT_EQ(chosen.tickets[k].newlyCovered, expected.tickets[k].newlyCovered) << k;
            }
            EXPECT_EQ(chosen.covered, expected.covered);
            EXPECT_EQ(chosen.remaining, 90);

            // The covered count from the tickets alone.
            std::int32_t covered = 0;
            for (const Combination& c : list)
                covered += std::any_of(chosen.tickets.begin(), chosen.tickets.end(),
                                       [&](const engine::Ticket& t) {
                                           return engine::sharedNumbers(t.numbers, c) >= match;
                                       })
                               ? 1
                               : 0;
            EXPECT_EQ(covered, chosen.covered);
        }
    }
}

TEST(Tickets, StopsWhenAllAreCoveredAndBreaksTiesByListOrder) {
    // Three disjoint combinations: equal gains, taken in list order, and the
    // choice ends after three tickets although ten were asked for.
    const CombinationList list{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}};
    const auto chosen = engine::chooseTickets(list, 10, 3);
    ASSERT_EQ(chosen.tickets.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(chosen.tickets[k].numbers, list[k]);
        EXPECT_EQ(chosen.tickets[k].newlyCovered, 1);
    }
    EXPECT_EQ(chosen.covered, 3);
    // The middle one shares 3 with both others; it alone covers all.
    const CombinationList chain{{1, 2, 3, 4, 5}, {1, 2, 3, 7, 8}, {1, 2, 3, 9, 10}};
    const auto one = engine::chooseTickets(chain, 1, 3);
    ASSERT_EQ(one.tickets.size(), 1u);
    EXPECT_EQ(one.tickets[0].numbers, chain[0]);
    EXPECT_EQ(one.covered, 3);
    EXPECT_TRUE(engine::chooseTickets({}, 5, 3).tickets.empty());
    EXPECT_THROW(engine::chooseTickets(list, 0, 3), RangeError);
    EXPECT_THROW(engine::chooseTickets(list, 1001, 3), RangeError);
    EXPECT_THROW(engine::chooseTickets(list, 5, 1), RangeError);
    EXPECT_THROW(engine::chooseTickets(list, 5, 6), RangeError);
}

} // namespace
} // namespace vargis
