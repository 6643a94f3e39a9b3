// Value routines of the repeat, count-in-ranges and difference pages on small
// hand-made draw tables.

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DifferenceFilters.h"
#include "catalogue/RangeCounts.h"
#include "catalogue/RepeatFilters.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>

namespace vargis::catalogue {
namespace {

context::DrawHistory makeHistory(const std::vector<std::array<int, 5>>& draws) {
    context::DrawHistory h;
    int f = 1;
    for (const auto& d : draws) {
        auto& record = h.record(f);
        record.field(2) = "01.01.2026";
        std::array<int, 5> sorted = d;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t k = 0; k < 5; ++k) {
            record.field(static_cast<int>(k) + 3) = std::to_string(d[k]);
            h.rankedRow(f)[k] = static_cast<std::uint8_t>(sorted[k]);
        }
        ++f;
    }
    h.drawCount = static_cast<std::uint8_t>(draws.size());
    return h;
}

// `count` draws; draw f holds f, f+1, .. f+4 (so neighbours share four numbers).
context::DrawHistory slidingHistory(int count) {
    std::vector<std::array<int, 5>> draws;
    for (int f = 1; f <= count; ++f)
        draws.push_back({f, f + 1, f + 2, f + 3, f + 4});
    return makeHistory(draws);
}

TEST(RepeatValues, OffsetsAndFirstDrawOfEveryRowFollowItsCaption) {
    // The caption lists the offsets: "(N-1)", "(N-1,и-3)", "(N-1и-2и-3)",
    // "(N-1 и...-7)" (a run 1..7), "(N-3,и-4,и-5)".
    for (int row = kFirstRepeatRow; row <= kLastRepeatRow; ++row) {
        const auto s = repeatOffsets(row);
        ASSERT_TRUE(s.has_value()) << row;
        const std::string caption(rowControls(row).caption);
        std::vector<int> listed;
        const std::regex number("[0-9]+");
        for (auto it = std::sregex_iterator(caption.begin(), caption.end(), number);
             it != std::sregex_iterator(); ++it)
            listed.push_back(std::stoi(it->str()));
        std::vector<int> expected;
        if (caption.find("...") != std::string::npos)
            for (int e = 1; e <= listed.back(); ++e)
                expected.push_back(e);
        else
            expected = listed;
        EXPECT_EQ(std::vector<int>(s->list().begin(), s->list().end()), expected) << caption;
        EXPECT_EQ(s->firstDraw(), expected.back() + 1) << row;
    }
    EXPECT_FALSE(repeatOffsets(174).has_value());
    EXPECT_FALSE(repeatOffsets(199).has_value());
}

TEST(RepeatValues, MessageAndHiddenOrdinalsByRow) {
    EXPECT_FALSE(reportsShortHistory(175));
    EXPECT_FALSE(reportsShortHistory(184));
    EXPECT_TRUE(reportsShortHistory(185));
    EXPECT_TRUE(reportsShortHistory(198));
    EXPECT_EQ(hiddenLeadingDraws(175), 1);
    EXPECT_EQ(hiddenLeadingDraws(184), 4);
    EXPECT_EQ(hiddenLeadingDraws(192), 10);
    EXPECT_EQ(hiddenLeadingDraws(193), 0);
    EXPECT_EQ(hiddenLeadingDraws(198), 0);
}

TEST(RepeatValues, CountsTheUnionOfTheEarlierDraws) {
    // 12, 17, 25, 30, 41 after 5, 12, 19, 30, 33: 12 and 30 repeat.
    const auto h = makeHistory({{1, 2, 3, 4, 12}, {5, 12, 19, 30, 33}, {12, 17, 25, 30, 41}});
    EXPECT_EQ(repeatValues(h, *repeatOffsets(175)), (std::vector<int>{0, 1, 2}));
    // 12 in both N-1 and N-2 and nothing else: the union counts it once.
    const auto u = makeHistory({{12, 2, 3, 4, 6}, {5, 12, 19, 31, 33}, {12, 17, 25, 30, 41}});
    EXPECT_EQ(repeatValues(u, *repeatOffsets(179)), (std::vector<int>{0, 0, 1}));
    // A number recorded twice is counted per cell.
    const auto twice = makeHistory({{7, 8, 9, 10, 11}, {7, 7, 20, 21, 22}});
    EXPECT_EQ(repeatValues(twice, *repeatOffsets(175)), (std::vector<int>{0, 2}));
}

TEST(RepeatValues, ShortTablesAndTheFirstEvaluatedDraw) {
    // 10 draws are too few for "(N-1 и...-10)"; 11 evaluate draw 11 only.
    EXPECT_EQ(repeatValues(slidingHistory(10), *repeatOffsets(192)), std::vector<int>(10, 0));
    const auto eleven = repeatValues(slidingHistory(11), *repeatOffsets(192));
    EXPECT_EQ(std::count(eleven.begin(), eleven.begin() + 10, 0), 10);
    EXPECT_EQ(eleven[10], 4); // 11..14 of 11..15 lie in 1..14 (draws 1..10)
    // "(N-7,и-8,и-9)" on sliding draws: draw f shares nothing with f-7.. f-9.
    const auto far = repeatValues(slidingHistory(12), *repeatOffsets(198));
    EXPECT_EQ(far, std::vector<int>(12, 0));
    const auto near = repeatValues(slidingHistory(6), *repeatOffsets(193)); // N-2, N-3, N-4
    EXPECT_EQ(near, (std::vector<int>{0, 0, 0, 0, 3, 3}));
    EXPECT_TRUE(repeatValues(makeHistory({}), *repeatOffsets(175)).empty());
    EXPECT_THROW(repeatUnion(slidingHistory(3), 2, *repeatOffsets(176)), RangeError);
}

TEST(RangeValues, WorkedDrawAndAllFiveInOneRange) {
    const context::RankedRow draw{3, 8, 15, 22, 40};
    EXPECT_EQ(countInRange(draw, *countedRange(223, 36)), 2);
    EXPECT_EQ(countInRange(draw, *countedRange(228, 36)), 1);
    EXPECT_EQ(countInRange(draw, *countedRange(235, 36)), 1);
    EXPECT_EQ(countInRange(draw, *countedRange(225, 36)), 1);
    EXPECT_EQ(countInRange({1, 2, 3, 4, 10}, *countedRange(223, 36)), 5);
    EXPECT_EQ(countInRange({0, 11, 12, 36, 200}, *countedRange(223, 36)), 0);
    EXPECT_EQ(rangeFooter(*countedRange(223, 36)), "Чисел из [1..10] в каждом тираже.");
}

TEST(RangeValues, RangesAndVisibilityFollowTheKind) {
    auto range = [](int row, int n) {
        const auto r = countedRange(row, n);
        return r ? std::to_string(r->lo) + ".." + std::to_string(r->hi) : std::string("-");
    };
    EXPECT_EQ(range(242, 34), "29..34");
    EXPECT_EQ(range(242, 35), "29..34");
    EXPECT_EQ(range(242, 30), "26..30");
    EXPECT_EQ(range(242, 32), "28..32");
    EXPECT_EQ(range(242, 28), "-");
    EXPECT_EQ(range(226, 36), "33..36");
    EXPECT_EQ(range(243, 36), "-");
    EXPECT_EQ(range(243, 37), "34..37");
    EXPECT_EQ(range(243, 38), "34..38");
    EXPECT_EQ(range(243, 50), "34..38");
    EXPECT_EQ(range(233, 39), "36..39");
    EXPECT_EQ(range(233, 40), "36..40");
    EXPECT_EQ(range(244, 44), "40..44");
    EXPECT_EQ(range(244, 45), "40..45");
    EXPECT_EQ(range(245, 36), "-");
    EXPECT_EQ(range(222, 36), "-");
    EXPECT_EQ(rangeFooter(*countedRange(243, 38)), "Чисел из [34..38] в каждом тираже.");
    for (int row : {226, 227, 232, 233, 234, 243, 244})
        EXPECT_EQ(rangeRowShown(row, 36), row == 226 || row == 232) << row;
    EXPECT_TRUE(rangeRowShown(242, 36));
    EXPECT_TRUE(rangeRowShown(234, 50));
    EXPECT_FALSE(rangeRowShown(234, 49));
    // A shown row always has a range that lies within 1..N of the kind.
    for (int n = 28; n <= 50; ++n)
        for (int row = 223; row <= 244; ++row)
            if (rangeRowShown(row, n) && n != 33) {
                const auto r = countedRange(row, n);
                ASSERT_TRUE(r.has_value()) << row << " " << n;
                EXPECT_LE(r->hi, n) << row << " " << n;
            }
    // The footers of the table are those of 5 of 36.
    for (int row = 223; row <= 244; ++row) {
        if (const auto r = countedRange(row, 36)) {
            EXPECT_EQ(rangeFooter(*r), std::string(rowControls(row).footer)) << row;
        }
    }
}

TEST(DifferenceValues, WorkedDrawInAnyRecordedOrder) {
    const auto h = makeHistory({{40, 22, 3, 15, 8}});
    const auto& r = h.rankedRow(1);
    EXPECT_EQ(rankedDifference(r, *differencePositions(246)), 5);
    EXPECT_EQ(rankedDifference(r, *differencePositions(249)), 37);
    EXPECT_EQ(rankedDifference(r, *differencePositions(255)), 7);
    EXPECT_EQ(neighbourDifferenceSum(r), 37);
    for (int row : {250, 254, 257, 259, 260, 262, 267})
        EXPECT_FALSE(differencePositions(row).has_value()) << row;
    // Every difference row names its two positions in its caption "Xе - Yе".
    for (int row = 246; row <= 258; ++row)
        if (const auto pair = differencePositions(row)) {
            const std::string caption(rowControls(row).caption);
            EXPECT_EQ(caption[0] - '0', pair->high) << row;
            EXPECT_EQ(caption[caption.find("- ") + 2] - '0', pair->low) << row;
        }
}

TEST(DifferenceValues, SumOfDifferencesEqualsLargestMinusSmallest) {
    for (const context::RankedRow& r :
         {context::RankedRow{1, 2, 3, 4, 5}, context::RankedRow{3, 8, 15, 22, 40},
          context::RankedRow{0, 0, 7, 7, 255}})
        EXPECT_EQ(neighbourDifferenceSum(r), rankedDifference(r, *differencePositions(249)));
}

TEST(DifferenceValues, RunningAverageTruncates) {
    // r_1 = 1, 2, 4 in draws 1..3: A_1(4) = 7 div 3 = 2; r_1(4) = 1 gives 1.
    const auto h = makeHistory(
        {{1, 10, 20, 30, 36}, {2, 11, 21, 31, 35}, {4, 12, 22, 32, 34}, {1, 13, 23, 33, 36}});
    EXPECT_EQ(runningAverage(h, 1, 4), 2);
    EXPECT_EQ(runningAverage(h, 1, 5), 2); // 8 div 4, the draw after the table
    EXPECT_EQ(runningAverageDistances(h, 1), (std::vector<int>{0, 1, 3, 1}));
    // Position 5: 36; |35-36| = 1; A = 71 div 2 = 35, |34-35| = 1; A = 105 div 3 = 35.
    EXPECT_EQ(runningAverageDistances(h, 5), (std::vector<int>{0, 1, 1, 1}));
    EXPECT_THROW(runningAverage(h, 1, 1), RangeError);
    EXPECT_THROW(runningAverage(h, 1, 6), RangeError);
    EXPECT_THROW(runningAverage(h, 6, 2), RangeError);
    EXPECT_EQ(averagePosition(262), 1);
    EXPECT_EQ(averagePosition(266), 5);
    EXPECT_EQ(averagePosition(267), 0);
    EXPECT_TRUE(runningAverageDistances(makeHistory({}), 1).empty());
}

} // namespace
} // namespace vargis::catalogue
