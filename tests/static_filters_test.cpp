// Value functions of the static filters on the worked draws.

#include "base/Errors.h"
#include "catalogue/StaticFilters.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vargis::catalogue {
namespace {

DrawNumbers makeDraw(std::array<int, 5> drawn, std::string date = "05.12.2009") {
    DrawNumbers d;
    d.drawn = drawn;
    d.ranked = drawn;
    std::sort(d.ranked.begin(), d.ranked.end());
    for (std::size_t k = 0; k < 5; ++k)
        d.texts[k] = std::to_string(drawn[k]);
    d.date = std::move(date);
    return d;
}

TEST(StaticFilters, WorkedDraw3_17_25_9_31) {
    const auto d = makeDraw({3, 17, 25, 9, 31});
    EXPECT_EQ(staticValue(1, d, nullptr), 31);
    EXPECT_EQ(staticValue(2, d, nullptr), 3);
    EXPECT_EQ(staticValue(3, d, nullptr), 28);
    EXPECT_EQ(staticValue(4, d, nullptr), 85);
    EXPECT_EQ(staticValue(6, d, nullptr), 0);
    EXPECT_EQ(staticValue(7, d, nullptr), 0);
    EXPECT_EQ(staticValue(8, d, nullptr), 85);
    EXPECT_EQ(staticValue(9, d, nullptr), 6);
    EXPECT_EQ(staticValue(10, d, nullptr), 6);
    EXPECT_EQ(staticValue(21, d, nullptr), 4);
    EXPECT_EQ(staticValue(24, d, nullptr), 1);
    // 3, 17, 31 are in the prime table; 9 and 25 are not.
    EXPECT_EQ(staticValue(11, d, nullptr), 3);
    // Ranked 3, 9, 17, 25, 31: no gap of 1 or 2.
    EXPECT_EQ(staticValue(19, d, nullptr), 0);
    EXPECT_EQ(staticValue(20, d, nullptr), 0);
    // Joined text "31725931": 3, 3, 9 from (0,3,6,8,9); 1, 7, 5, 1 from (1,4,5,7).
    EXPECT_EQ(staticValue(22, d, nullptr), 3);
    EXPECT_EQ(staticValue(23, d, nullptr), 4);
}

TEST(StaticFilters, GoldenRatioAndDivisionPairs) {
    EXPECT_EQ(staticValue(12, makeDraw({10, 6, 20, 12, 33}), nullptr), 3);
    EXPECT_EQ(staticValue(15, makeDraw({2, 4, 8, 16, 32}), nullptr), 10);
    // Trunc(13 * 0.382) = 4 and Trunc(2 * 6 / 0.62) = 19.
    EXPECT_EQ(staticValue(13, makeDraw({13, 4, 30, 31, 32}), nullptr), 1);
    EXPECT_EQ(staticValue(14, makeDraw({6, 19, 30, 31, 32}), nullptr), 1);
    // 1 never divides: only (4, 2).
    EXPECT_EQ(staticValue(15, makeDraw({1, 2, 4, 7, 9}), nullptr), 1);
}

TEST(StaticFilters, DatePairsOfRow5) {
    EXPECT_EQ(staticValue(5, makeDraw({9, 12, 20, 33, 44}, "05.12.2009"), nullptr), 2);
    const auto pairs = datePairs("05.12.2009");
    EXPECT_TRUE(pairs[50]);  // 5 then 0
    EXPECT_FALSE(pairs[5]);  // a pair starting with 0 is dropped
    EXPECT_FALSE(pairs[33]); // the date holds no 3
    EXPECT_TRUE(pairs[22]);  // the two 2s are different positions
}

TEST(StaticFilters, DecadesCountFifty) {
    EXPECT_EQ(staticValue(21, makeDraw({1, 10, 11, 41, 50}), nullptr), 3);
    EXPECT_EQ(staticValue(21, makeDraw({41, 42, 43, 44, 50}), nullptr), 1);
}

TEST(StaticFilters, ZeroIsEvenAndDividesByZeroInRow15) {
    const auto d = makeDraw({0, 5, 7, 9, 11});
    EXPECT_EQ(staticValue(6, d, nullptr), 1);
    EXPECT_THROW(staticValue(15, d, nullptr), DivisionError);
}

TEST(StaticFilters, PreviousDrawRows) {
    const auto previous = makeDraw({10, 20, 30, 5, 2});
    // 10*0.62 = 6, 20*0.62 = 12, 30*0.62 = 18, 5*.62 = 3, 2*.62 = 1
    EXPECT_EQ(staticValue(16, makeDraw({6, 12, 3, 33, 34}), &previous), 3);
    // 10*0.38 = 3, 20*0.38 = 7, 30*0.38 = 11, 5*0.38 = 1, 2*0.38 = 0
    EXPECT_EQ(staticValue(17, makeDraw({3, 7, 11, 1, 36}), &previous), 4);
    // 2*10/0.62 = 32, 2*5/0.62 = 16, 2*2/0.62 = 6
    EXPECT_EQ(staticValue(18, makeDraw({32, 16, 6, 1, 2}), &previous), 3);
    EXPECT_THROW(staticValue(16, previous, nullptr), RangeError);
}

} // namespace
} // namespace vargis::catalogue
