// The second pass against values computed here straight from their
// definitions: texts built per combination, rows applied one after the other.

#include "base/Convert.h"
#include "catalogue/Catalogue.h"
#include "catalogue/WordVibrations.h"
#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "engine/Generation.h"
#include "engine/SecondPass.h"
#include "engine/SecondPassPlan.h"
#include "history/DrawFileCodec.h"
#include "support/SecondPassReference.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace vargis::engine {
namespace {

using Draw = std::array<int, 5>;

struct Fixture {
    context::FilterTable filters;
    context::DrawHistory history;
    std::string date = "05.03.2010";
    int target = 5;

    Fixture() {
        filters.fileLineCount = 288;
        for (int r = 1; r <= context::kFilterRows; ++r) {
            filters.row(r).field(3) = "0";
            filters.row(r).field(4) = "False";
            filters.row(r).field(5) = "=";
        }
        // The link codes the program writes.
        for (int r = 32; r <= 150; ++r)
            filters.row(r).field(2) = std::string(catalogue::rowControls(r).linkCode);
    }

    void setDraws(const std::vector<Draw>& draws) {
        history.drawCount = static_cast<std::uint8_t>(draws.size());
        for (std::size_t i = 0; i < draws.size(); ++i)
            for (int k = 1; k <= 5; ++k)
                history.record(static_cast<int>(i) + 1).field(k + 2) =
                    std::to_string(draws[i][static_cast<std::size_t>(k - 1)]);
        history::deriveRankedDraws(history);
    }

    void enable(int row, const std::string& condition, int parameter = 0) {
        filters.row(row).field(3) = std::to_string(parameter);
        filters.row(row).field(4) = "True";
        filters.row(row).field(5) = condition;
    }

    SecondPassInput input() const { return {36, &filters, &history, date, target}; }

    int number(int draw, int k) const { return history.drawnNumber(draw, k); }
};

using testing::ReferenceOutcome;
using testing::ReferenceTarget;

ReferenceTarget referenceOf(const Fixture& f) {
    return {&f.filters, &f.history, f.date, f.target};
}

using Outcome = ReferenceOutcome;

Outcome reference(const Fixture& f, CombinationList list) {
    return testing::referenceSecondPass(referenceOf(f), std::move(list));
}

Outcome actual(const Fixture& f, CombinationList list) {
    const FirstPassResult result = sweepAllSelected(list, f.input());
    Outcome out;
    out.stopRow = result.stopRow;
    if (result.stopRow == 0)
        for (const Combination& c : list)
            if (isLive(c))
                out.survivors.push_back(c);
    return out;
}

CombinationList everyCombination() {
    return generateCombinations(36, [](int) {});
}

std::vector<Draw> someDraws() {
    return {{5, 12, 19, 30, 33},  {1, 2, 3, 4, 5},     {4, 5, 6, 7, 8},      {12, 17, 25, 30, 41},
            {3, 8, 15, 22, 36},   {7, 14, 21, 28, 35}, {10, 20, 30, 31, 32}, {2, 9, 16, 23, 34},
            {11, 13, 27, 29, 33}, {6, 18, 24, 26, 36}, {1, 19, 22, 31, 35},  {8, 9, 17, 20, 21}};
}

// ---- Edge cases.

TEST(SecondPassValues, DateDigitSetsDropLeadingZerosAndMirror) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "05.03.2010"; // set 5, 3, 2, 0, 1; mirrored 4, 6, 7, 9, 8
    f.enable(268, "=", 0);
    f.enable(269, "=", 0);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 2u);
    const Combination c{4, 5, 10, 33, 36};
    EXPECT_EQ(secondTestValue(plan.tests[0], c), 6); // 5, 1, 0, 3, 3, 3 (not 4, 6)
    EXPECT_EQ(secondTestValue(plan.tests[1], c), 2); // 4 and the 6 of 36
}

TEST(SecondPassValues, DateNumbersSkipALeadingZero) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "11.11.2011";
    f.enable(5, "=", 0);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 1u);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{1, 11, 21, 30, 36}), 2);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{10, 12, 20, 30, 36}), 3);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{1, 2, 3, 4, 5}), 0); // "01" is no text
}

TEST(SecondPassValues, UnionOfTwoEarlierDraws) {
    Fixture f;
    f.setDraws({{9, 9, 9, 9, 9}, {4, 5, 6, 7, 8}, {1, 2, 3, 4, 5}});
    f.target = 4; // T-1 = (1..5), T-2 = (4..8)
    f.enable(179, "=", 3);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 1u);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{2, 4, 6, 9, 10}), 3);
}

TEST(SecondPassValues, ShareRoundsToDoubleWhereTheButtonDoesNot) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "13.04.2021"; // digits 1, 3, 0, 4, 2: 3439 shares 2, 3440 shares 3
    f.enable(170, "=", 0);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 1u);
    const Combination c{10, 20, 22, 30, 43}; // sum 125
    EXPECT_EQ(secondTestValue(plan.tests[0], c), catalogue::sharedDateDigits(f.date, 3439));
    EXPECT_EQ(secondTestValue(plan.tests[0], c), 2);
}

TEST(SecondPassRuns, LinkProductBelowOneStrikesNothingOrEverything) {
    Fixture f;
    f.setDraws({{1, 20, 30, 31, 32}, {2, 3, 4, 5, 6}});
    f.target = 2; // number 1 of draw 1 is 1: 1 x 0.62 gives 0, which no combination holds
    f.enable(37, "<>");
    CombinationList all = everyCombination();
    FirstPassResult kept = sweepAllSelected(all, f.input());
    EXPECT_EQ(kept.stopRow, 0);
    EXPECT_EQ(kept.live, 376992);

    f.enable(37, "=");
    all = everyCombination();
    EXPECT_EQ(sweepAllSelected(all, f.input()).stopRow, 37);
}

TEST(SecondPassRuns, StopReportsTheRowOfTheStep) {
    Fixture f;
    f.setDraws(someDraws());
    f.enable(269, "=", 99); // no combination has 99 mirrored digits
    CombinationList all = everyCombination();
    const FirstPassResult result = sweepAllSelected(all, f.input());
    EXPECT_EQ(result.stopRow, 269);
}

TEST(SecondPassRuns, LookBacksAreSkippedForTheFirstDraw) {
    Fixture f;
    f.setDraws(someDraws());
    f.target = 1;
    for (int row : {16, 17, 18, 175, 262, 263, 264, 265, 266})
        f.enable(row, "=", 99);
    f.enable(32, "=");
    const SecondPlan plan = planSecondPass(f.input());
    EXPECT_TRUE(plan.tests.empty());
    ASSERT_EQ(plan.steps.size(), 16u);
    EXPECT_EQ(plan.steps[13].progress, 9);
    EXPECT_EQ(plan.steps[13].pauseMs, 500);
}

TEST(SecondPassRuns, ParameterThatIsNotAnIntegerEndsThePassAfterTheRowsBefore) {
    Fixture f;
    f.setDraws(someDraws());
    f.enable(268, "<=", 2);
    f.enable(175, "=", 0);
    f.filters.row(175).field(3) = "abc";
    CombinationList all = everyCombination();
    const FirstPassResult result = sweepAllSelected(all, f.input());
    EXPECT_TRUE(result.error);
    EXPECT_EQ(result.stopRow, 0);
    int live = 0;
    for (const Combination& c : all)
        live += isLive(c) ? 1 : 0;
    EXPECT_EQ(result.live, live);
    EXPECT_LT(live, 376992); // row 268 struck before the error
}

// ---- Every row alone, and mixed settings, against the reference.

TEST(SecondPassRuns, EveryRowAloneMatchesItsDefinition) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "28.02.2026";
    f.target = 12;
    const CombinationList all = everyCombination();
    CombinationList sample;
    for (std::size_t i = 0; i < all.size(); i += 499)
        sample.push_back(all[i]);
    for (int row : testing::referenceRowOrder()) {
        // Two of the four conditions per row, the pairs alternating.
        const bool even = row % 2 == 0;
        for (const char* condition : {even ? "<=" : "=", even ? "<>" : ">="}) {
            Fixture g = f;
            // A parameter near the values the row takes, so that it strikes.
            const int parameter = row >= 262 ? 6 : row == 159 || (row >= 151 && row <= 160) ? 4 : 1;
            g.enable(row, condition, parameter);
            const Outcome want = reference(g, sample);
            const Outcome got = actual(g, sample);
            ASSERT_EQ(got.stopRow, want.stopRow) << "row " << row << " " << condition;
            ASSERT_EQ(got.survivors, want.survivors) << "row " << row << " " << condition;
        }
    }
}

TEST(SecondPassRuns, MixedSettingsMatchTheRowsAppliedInOrder) {
    std::mt19937 random(2026);
    const CombinationList all = everyCombination();
    CombinationList sample;
    for (std::size_t i = 0; i < all.size(); i += 61)
        sample.push_back(all[i]);
    const char* conditions[] = {"<=", "=", "<>", ">=", "=>"};
    for (int round = 0; round < 10; ++round) {
        Fixture f;
        std::vector<Draw> draws;
        for (int i = 0; i < 20; ++i) {
            std::vector<int> numbers(36);
            for (int x = 0; x < 36; ++x)
                numbers[static_cast<std::size_t>(x)] = x + 1;
            std::shuffle(numbers.begin(), numbers.end(), random);
            draws.push_back({numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]});
        }
        f.setDraws(draws);
        f.target = 1 + static_cast<int>(random() % 21);
        f.date = std::to_string(10 + random() % 18) + ".0" + std::to_string(1 + random() % 9) +
                 ".20" + std::to_string(10 + random() % 20);
        for (int row : testing::referenceRowOrder())
            if (random() % 6 == 0)
                f.enable(row, conditions[random() % 5], static_cast<int>(random() % 4));
        const Outcome want = reference(f, sample);
        const Outcome got = actual(f, sample);
        ASSERT_EQ(got.stopRow, want.stopRow) << "round " << round;
        ASSERT_EQ(got.survivors, want.survivors) << "round " << round;
    }
}

} // namespace
} // namespace vargis::engine
