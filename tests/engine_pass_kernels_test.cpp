// The hot loops of both passes against the plainest reading of what they do:
// every live entry, in order, struck at the first test whose value (computed
// one test at a time by the tests' own value functions) fails. Random
// settings are drawn so that most tests strike something.

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "engine/FirstPassKernel.h"
#include "engine/Generation.h"
#include "engine/SecondPassKernel.h"
#include "engine/SecondPassPlan.h"
#include "history/DrawFileCodec.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>

namespace vargis::engine {
namespace {

using Struck = std::vector<std::int32_t>;

// A random integer 0 .. n - 1.
int below(std::mt19937& rng, int n) {
    return static_cast<int>(rng() % static_cast<unsigned>(n));
}

// Every `stride`-th combination of 5 of n, with about one in seven struck.
CombinationList sampleList(int n, std::size_t stride, std::mt19937& rng) {
    const CombinationList all = generateCombinations(n, [](int) {});
    CombinationList list;
    for (std::size_t i = static_cast<std::size_t>(below(rng, static_cast<int>(stride)));
         i < all.size(); i += stride) {
        list.push_back(all[i]);
        if (below(rng, 7) == 0)
            strike(list.back());
    }
    return list;
}

template <class Fails>
Struck strikeOneByOne(CombinationList& list, std::size_t tests, Fails fails) {
    Struck struck(tests, 0);
    for (Combination& c : list) {
        if (!isLive(c))
            continue;
        for (std::size_t t = 0; t < tests; ++t)
            if (fails(t, c)) {
                ++struck[t];
                strike(c);
                break;
            }
    }
    return struck;
}

// Conditions that strike some entries but seldom all: mostly "<>" against a
// small value, some bounds, a few "=" and unknown texts, now and then a
// parameter far out of range.
std::pair<std::string, int> randomCondition(std::mt19937& rng) {
    const int roll = below(rng, 100);
    int p = below(rng, 7);
    std::string condition = "<>";
    if (roll >= 70 && roll < 85) {
        condition = "<=";
        p = 3 + below(rng, 38);
    } else if (roll >= 85 && roll < 95) {
        condition = ">=";
        p = below(rng, 2);
    } else if (roll >= 95) {
        condition = roll < 98 ? "=" : "?";
        p = below(rng, 40);
    }
    if (below(rng, 50) == 0)
        p = below(rng, 600) - 300;
    return {condition, p};
}

TEST(SecondPassKernel, StrikesEveryEntryAtItsFirstFailingTest) {
    std::mt19937 rng(2026);
    std::set<SecondValue> kindsStruck;
    std::set<int> rowsStruck;
    for (int round = 0; round < 12; ++round) {
        const int n = std::array{28, 36, 45, 50}[static_cast<std::size_t>(round % 4)];
        context::FilterTable filters;
        filters.fileLineCount = 288;
        const int share = 2 + below(rng, 5); // of 6 rows enabled
        for (int r = 1; r <= context::kFilterRows; ++r) {
            auto& row = filters.row(r);
            const auto [condition, p] = randomCondition(rng);
            row.field(3) = std::to_string(p);
            row.field(4) = below(rng, 6) < share ? "True" : "False";
            row.field(5) = condition;
        }
        for (int r = 32; r <= 150; ++r)
            filters.row(r).field(2) = std::string(catalogue::rowControls(r).linkCode);
        context::DrawHistory history;
        history.drawCount = 50;
        for (int d = 1; d <= 50; ++d)
            for (int k = 3; k <= 7; ++k)
                history.record(d).field(k) = std::to_string(1 + below(rng, n));
        history::deriveRankedDraws(history);
        const int day = 1 + below(rng, 31);
        const int month = 1 + below(rng, 12);
        const int year = 1995 + below(rng, 35);
        auto twoDigits = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
        const std::string date =
            twoDigits(day) + "." + twoDigits(month) + "." + std::to_string(year);
        const int target = 15 + below(rng, 36);
        const SecondPlan plan = planSecondPass({n, &filters, &history, date, target});
        ASSERT_FALSE(plan.error);

        CombinationList expected = sampleList(n, n >= 45 ? 97 : 23, rng);
        CombinationList actual = expected;
        const Struck want =
            strikeOneByOne(expected, plan.tests.size(), [&](std::size_t t, const Combination& c) {
                return plan.tests[t].fails(secondTestValue(plan.tests[t], c));
            });
        EXPECT_EQ(strikeAtFirstFailingTest(actual, plan.tests), want) << "round " << round;
        EXPECT_EQ(actual, expected) << "round " << round;
        for (std::size_t t = 0; t < want.size(); ++t)
            if (want[t] > 0) {
                kindsStruck.insert(plan.tests[t].kind);
                rowsStruck.insert(plan.tests[t].row);
            }
    }
    // Every kind of test, and a good share of the rows, decided some entry.
    EXPECT_EQ(kindsStruck.size(), 4u);
    EXPECT_GE(rowsStruck.size(), 60u) << rowsStruck.size();
}

TEST(FirstPassKernel, StrikesEveryEntryAtItsFirstFailingTest) {
    std::mt19937 rng(1995);
    std::set<ValueKind> kindsStruck;
    for (int round = 0; round < 12; ++round) {
        const int n = std::array{28, 36, 45, 50}[static_cast<std::size_t>(round % 4)];
        std::array<bool, kMaxNumber + 1> excluded{};
        if (round % 3 == 0)
            for (int x = 1; x <= n; ++x)
                excluded[static_cast<std::size_t>(x)] = below(rng, 15) == 0;
        // Up to 110 tests: beyond the 64 lanes, and some values tested twice,
        // so the tests computed one by one run too.
        std::vector<KernelTest> tests;
        const int count = 20 + below(rng, 90);
        for (int i = 0; i < count; ++i) {
            const auto kind =
                static_cast<ValueKind>(below(rng, static_cast<int>(ValueKind::SumModulo) + 1));
            int a = 1 + below(rng, 5);
            int b = 1 + below(rng, 5);
            if (kind == ValueKind::Difference && a > b)
                std::swap(a, b);
            if (kind == ValueKind::InRange) {
                a = below(rng, 51);
                b = below(rng, 51);
            }
            if (kind == ValueKind::DigitCount)
                a = below(rng, 10);
            if (kind == ValueKind::SumModulo)
                a = 3 + below(rng, 12);
            auto [condition, p] = randomCondition(rng);
            if (kind == ValueKind::Sum) // sums lie far above the other values
                p += 60 + below(rng, 60);
            tests.push_back({{kind, a, b}, passBand(sweepCondition(condition), p)});
        }

        CombinationList expected = sampleList(n, n >= 45 ? 97 : 23, rng);
        CombinationList actual = expected;
        const Struck want =
            strikeOneByOne(expected, tests.size(), [&](std::size_t t, const Combination& c) {
                return !tests[t].band.passes(combinationValue(tests[t].value, c, excluded));
            });
        EXPECT_EQ(strikeFirstFailing(actual, tests, excluded), want) << "round " << round;
        EXPECT_EQ(actual, expected) << "round " << round;
        for (std::size_t t = 0; t < want.size(); ++t)
            if (want[t] > 0)
                kindsStruck.insert(tests[t].value.kind);
    }
    // Every value but the constant one decided some entry.
    for (int k = 0; k <= static_cast<int>(ValueKind::SumModulo); ++k)
        EXPECT_TRUE(kindsStruck.count(static_cast<ValueKind>(k)) != 0) << k;
}

TEST(PassKernels, NumbersAbove50InLiveEntriesOnlyAreRefused) {
    SecondTest test; // a value of 0 for every entry, which "= 1" strikes
    test.row = 5;
    test.condition = SweepCondition::Equal;
    test.parameter = 1;
    const std::vector<SecondTest> second{test};
    const std::vector<KernelTest> first{{{ValueKind::Sum}, PassBand{}}};
    for (const Combination& bad : {Combination{1, 2, 3, 4, 51}, Combination{51, 52, 53, 54, 55},
                                   Combination{1, 2, 200, 4, 5}}) {
        CombinationList list{{1, 2, 3, 4, 5}, bad};
        EXPECT_THROW(strikeAtFirstFailingTest(list, second), RangeError);
        EXPECT_THROW(strikeFirstFailing(list, first, {}), RangeError);
    }
    // A struck entry keeps whatever its other numbers are and is passed over.
    CombinationList list{{0, 200, 255, 51, 60}, {1, 2, 3, 4, 50}};
    EXPECT_EQ(strikeAtFirstFailingTest(list, second), (Struck{1}));
    EXPECT_EQ(list[0], (Combination{0, 200, 255, 51, 60}));
    EXPECT_EQ(list[1][0], 0);
    EXPECT_EQ(strikeFirstFailing(list, first, {}), (Struck{0}));
}

} // namespace
} // namespace vargis::engine
