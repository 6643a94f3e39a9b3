// Value routines of the ranked-position pages on small hand-made draw tables.

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RankedPositionValues.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vargis::catalogue {
namespace {

struct Draw {
    std::array<int, 5> numbers; // drawn order
    std::string date = "01.01.2026";
};

context::DrawHistory makeHistory(const std::vector<Draw>& draws) {
    context::DrawHistory h;
    int f = 1;
    for (const auto& d : draws) {
        auto& record = h.record(f);
        record.field(1) = "8";
        record.field(2) = d.date;
        std::array<int, 5> sorted = d.numbers;
        std::sort(sorted.begin(), sorted.end());
        for (int k = 1; k <= 5; ++k) {
            record.field(k + 2) = std::to_string(d.numbers[static_cast<std::size_t>(k - 1)]);
            h.rankedRow(f)[static_cast<std::size_t>(k - 1)] =
                static_cast<std::uint8_t>(sorted[static_cast<std::size_t>(k - 1)]);
        }
        ++f;
    }
    h.drawCount = static_cast<std::uint8_t>(draws.size());
    return h;
}

TEST(RankedValues, Root9ReducesToOneToNine) {
    for (int x : {0, 9, 18, 27, 36, 45})
        EXPECT_EQ(root9(x), 9) << x;
    EXPECT_EQ(root9(1), 1);
    EXPECT_EQ(root9(8), 8);
    EXPECT_EQ(root9(10), 1);
    EXPECT_EQ(root9(37), 1);
    EXPECT_EQ(root9(35), 8);
    for (int x = 0; x <= 300; ++x) {
        const int r = root9(x);
        EXPECT_TRUE(r >= 1 && r <= 9) << x;
        EXPECT_EQ((x - r) % 9, 0) << x;
    }
    EXPECT_EQ(root9(-1), 8);
}

TEST(RankedValues, LinkCodeDecodingAndRefusals) {
    const LinkCode code = decodeLinkCode("2213");
    EXPECT_EQ(code.position, 2);
    EXPECT_EQ(code.offset, 2);
    EXPECT_EQ(code.number, 1);
    EXPECT_EQ(code.multiplier, kTimes038);
    for (const char* bad :
         {"", "111", "11111", "0111", "6111", "1101", "1161", "1110", "1114", "1a11", " 111"})
        EXPECT_THROW(decodeLinkCode(bad), ConversionError) << bad;
}

TEST(RankedValues, EveryLinkRowCodeMatchesItsButtonCaptionAndFooter) {
    int links = 0;
    for (const auto& rc : allRows()) {
        if (rc.family != Family::RankedLink)
            continue;
        ++links;
        const LinkCode code = decodeLinkCode(rc.linkCode);
        // The page gives p; the caption names k first and the offset "(N-a)".
        EXPECT_EQ(code.position, (rc.row - 31) / 24 + 1) << rc.row;
        EXPECT_EQ(std::string(rc.caption).substr(0, 1), std::to_string(code.number)) << rc.row;
        const std::string offset = "N-" + std::to_string(code.offset) + ")";
        EXPECT_NE(std::string(rc.caption).find(offset), std::string::npos) << rc.row;
        const bool times062 = std::string(rc.caption).find("62") != std::string::npos;
        const bool times038 = std::string(rc.caption).find("38") != std::string::npos;
        EXPECT_EQ(code.multiplier, times062   ? kTimes062
                                   : times038 ? kTimes038
                                              : kTimesOne)
            << rc.row;
        // The footer built piece by piece is the one of the row's table.
        EXPECT_EQ(rankedLinkFooter(code), std::string(rc.footer)) << rc.row;
    }
    EXPECT_EQ(links, 100);
}

TEST(RankedValues, FooterOfAnOffsetTwoLinkStartsTheAxisAtThree) {
    const std::string footer = rankedLinkFooter(decodeLinkCode("3222"));
    EXPECT_EQ(footer, "3-я поз. ранж. тиража \"N\" и ( 2-е число РЕАЛЬНОГО тиража \"N- 2\" ) x "
                      "0.62. По оси Х от \"3\"");
    EXPECT_TRUE(footer.ends_with(" По оси Х от \"3\""));
}

TEST(RankedValues, LinkProductTruncatesAndRaisesSmallProductsToOneInTheHistoryOnly) {
    // Truncation, never rounding.
    EXPECT_EQ(linkProduct(13, kTimes038, true), 4);  // 4.94
    EXPECT_EQ(linkProduct(21, kTimes062, true), 13); // 13.02
    EXPECT_EQ(linkProduct(10, kTimes038, true), 3);  // 3.8
    EXPECT_EQ(linkProduct(4, kTimes062, true), 2);   // 2.48
    EXPECT_EQ(linkProduct(50, kTimes062, true), 31);
    EXPECT_EQ(linkProduct(29, kTimes062, true), 17); // 17.98
    EXPECT_EQ(linkProduct(36, kTimesOne, true), 36);
    // Below 1: the history evaluation takes 1, the sweep 0.
    EXPECT_EQ(linkProduct(1, kTimes062, true), 1);
    EXPECT_EQ(linkProduct(1, kTimes038, true), 1);
    EXPECT_EQ(linkProduct(2, kTimes038, true), 1);
    EXPECT_EQ(linkProduct(0, kTimesOne, true), 1);
    EXPECT_EQ(linkProduct(1, kTimes062, false), 0);
    EXPECT_EQ(linkProduct(1, kTimes038, false), 0);
    EXPECT_EQ(linkProduct(2, kTimes038, false), 0);
    EXPECT_EQ(linkProduct(3, kTimes038, false), 1);
    EXPECT_EQ(linkProduct(2, kTimes062, false), 1);
    EXPECT_THROW(linkProduct(5, 4, true), RangeError);
    EXPECT_EQ(multiplierText(kTimesOne), "1.");
    EXPECT_EQ(multiplierText(kTimes062), "0.62.");
    EXPECT_EQ(multiplierText(kTimes038), "0.38.");
}

TEST(RankedValues, LinkValuesLeaveTheFirstDrawsUnevaluated) {
    // Position 1 of draw f against number 1 of draw f-2 x 0.62.
    const auto h = makeHistory({{{21, 30, 2, 5, 9}},
                                {{1, 30, 2, 5, 9}},
                                {{13, 14, 15, 16, 17}},  // 21 x 0.62 = 13: equal
                                {{2, 14, 15, 16, 17}},   // 1 x 0.62 -> 1: unequal
                                {{1, 14, 15, 16, 17}},   // 13 x 0.62 = 8: unequal
                                {{1, 20, 25, 30, 35}}}); // 2 x 0.62 -> 1: equal
    const auto values = rankedLinkValues(h, decodeLinkCode("1212"));
    EXPECT_EQ(values, (std::vector<int>{2, 2, 1, 0, 0, 1}));
    // The number is taken as recorded, not ranked: number 3 of draw 1 is 2.
    const auto byThird = rankedLinkValues(h, decodeLinkCode("1131"));
    EXPECT_EQ(byThird, (std::vector<int>{2, 0, 0, 0, 0, 0}));
    const auto second = makeHistory({{{5, 9, 2, 30, 1}}, {{2, 6, 7, 8, 10}}});
    EXPECT_EQ(rankedLinkValues(second, decodeLinkCode("1131")), (std::vector<int>{2, 1}));
    // A table no longer than the offset evaluates nothing.
    EXPECT_EQ(rankedLinkValues(makeHistory({{{1, 2, 3, 4, 5}}}), decodeLinkCode("1211")),
              (std::vector<int>{2}));
    EXPECT_TRUE(rankedLinkValues(makeHistory({}), decodeLinkCode("1111")).empty());
}

TEST(RankedValues, DateRootAgainstTheSmallestNumber) {
    EXPECT_EQ(dateDigitSum("01.01.2026"), 12);
    EXPECT_EQ(dateDigitSum("18.09.2000"), 20);
    EXPECT_THROW(dateDigitSum("1a.01.2026"), ConversionError);
    // Digit sums 9, 18 and 27 have the root 9, as do the smallest numbers 9 and 18.
    const auto h = makeHistory({{{9, 20, 21, 22, 23}, "03.03.2001"},   // 9
                                {{18, 20, 21, 22, 23}, "09.07.2000"},  // 18
                                {{30, 20, 21, 22, 9}, "29.09.1999"},   // 2+9+9+1+9+9+9 = 48 -> 3
                                {{27, 28, 29, 30, 31}, "19.08.1999"},  // 46 -> 1 vs 27 -> 9
                                {{3, 20, 21, 22, 23}, "29.09.1999"},   // 48 -> 3 vs 3
                                {{9, 20, 21, 22, 23}, "08.08.2009"}}); // 27
    EXPECT_EQ(rankedDateValues(h, 1), (std::vector<int>{1, 1, 0, 0, 1, 1}));
}

TEST(RankedValues, PositionValueAndItsDigitRoot) {
    const context::RankedRow row{3, 8, 15, 22, 36};
    EXPECT_EQ(positionValue(row, 2, false), 8);
    EXPECT_EQ(positionValue(row, 5, false), 36);
    EXPECT_EQ(positionValue(row, 5, true), 9);
    EXPECT_EQ(positionValue({3, 8, 15, 22, 37}, 5, true), 1);
    EXPECT_EQ(positionValue({0, 8, 15, 22, 37}, 1, true), 9);
    EXPECT_THROW(positionValue(row, 0, false), RangeError);
    EXPECT_THROW(positionValue(row, 6, false), RangeError);
}

} // namespace
} // namespace vargis::catalogue
