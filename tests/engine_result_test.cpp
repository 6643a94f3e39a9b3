// The remaining-combinations table: scores against the history, the 10 500
// limit, the counters and highlight of a past forecast draw.

#include "base/TextFile.h"
#include "commands/CombineState.h"
#include "commands/ResultTable.h"
#include "engine/Generation.h"
#include "engine/Scores.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::engine {
using namespace commands;
namespace {

using testing::Dialog;
using testing::StartedApp;

history::DrawRecord draw(const std::vector<std::string>& numbers) {
    history::DrawRecord r;
    for (int k = 0; k < 5; ++k)
        r.field(k + 3) = numbers[static_cast<std::size_t>(k)];
    return r;
}

TEST(Scores, CountCommonNumbersOnTextWithRepeatsCountedTwice) {
    const auto repeated = drawMultiplicity(draw({"3", "3", "9", "17", "25"}));
    EXPECT_EQ(repeated[3], 2);
    EXPECT_EQ(repeated[9], 1);
    EXPECT_EQ(repeated[4], 0);
    // A number stored with a leading zero is not the text of any number.
    const auto padded = drawMultiplicity(draw({"07", "8", "9", "10", "11"}));
    EXPECT_EQ(padded[7], 0);

    const std::vector<DrawMultiplicity> draws{
        repeated,
        drawMultiplicity(draw({"1", "2", "3", "4", "5"})),
        drawMultiplicity(draw({"30", "31", "32", "33", "34"})),
    };
    const CombinationList one{{3, 9, 17, 25, 30}};
    EXPECT_EQ(drawScores(one, draws), (std::vector<std::int32_t>{5, 0, 0}))
        << "3 twice, 9, 17 and 25 make five; a single common number scores 0";
    const CombinationList some{{3, 9, 17, 25, 30}, {1, 2, 3, 30, 31}, {2, 3, 4, 5, 6}};
    EXPECT_EQ(drawScores(some, draws), (std::vector<std::int32_t>{5, 4, 2}));

    const auto counts = commonCounts(some, draws[1]);
    EXPECT_EQ(counts, (std::array<std::int32_t, 6>{0, 1, 0, 1, 1, 0}));
}

class ResultTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        ASSERT_TRUE(s_.platform.errors().empty());
        s_.platform.sleptMs = 0;
    }
    CombineState& state() { return combineState(s_.app); }
    ui::Control& grid() { return s_.control(kResultGrid); }
    std::string cell(int col, int row) { return grid().grid.cells.at(row).at(col); }
    void build(CombinationList list) {
        state().remaining = std::move(list);
        buildResultTable(s_.app, state());
    }
    // The numbers of draw d as integers, ascending.
    std::vector<int> numbersOf(int d) {
        const auto& r = s_.ws().history.rankedRow(d);
        return {r.begin(), r.end()};
    }

    StartedApp s_;
};

TEST_F(ResultTableTest, TenThousandFiveHundredFillTheTable) {
    CombinationList all = generateCombinations(36);
    all.resize(10500);
    build(all);
    EXPECT_EQ(s_.control("StaticText20").caption, "Перестановок в игре: 10500");
    ASSERT_EQ(grid().grid.rowCount, 10501);
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(5, 1), "5");
    EXPECT_EQ(cell(0, 10500), "10500");
    EXPECT_EQ(cell(1, 10500) + " " + cell(5, 10500),
              std::to_string(all.back()[0]) + " " + std::to_string(all.back()[4]));
    EXPECT_FALSE(s_.control("Memo1").visible);
    EXPECT_EQ(s_.platform.sleptMs, 2000);
    EXPECT_EQ(s_.platform.sounds.back(), "stop");

    // Printing a table of 10 501 rows asks first; No writes nothing.
    s_.platform.clear();
    s_.app.click("Form1", "Image32");
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Question),
              std::vector<std::string>{"Количество вариантов больше 1000 ! Выводить на печать ?"});
    EXPECT_FALSE(fileExists("result.html"));
    EXPECT_TRUE(s_.platform.opened.empty());
}

TEST_F(ResultTableTest, OneMoreLeavesTheTableEmptyAndShowsTheMemo) {
    CombinationList all = generateCombinations(36);
    all.resize(10501);
    build(all);
    EXPECT_EQ(s_.control("StaticText20").caption, "Перестановок в игре:");
    EXPECT_EQ(grid().grid.rowCount, 2);
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_FALSE(s_.control("Memo1").visible) << "shown for the pause, hidden after";
    EXPECT_EQ(s_.platform.sleptMs, 4000);
    EXPECT_EQ(s_.control("Chart").chart.series1.points.size(), 50u) << "the scores are drawn";
    EXPECT_EQ(s_.control("StaticText107").caption, "-");
}

TEST_F(ResultTableTest, APastTargetGetsItsCountersAndHighlight) {
    s_.ws().forecastOrdinal = 20;
    const std::vector<int> d = numbersOf(20);
    std::vector<int> others;
    for (int x = 1; x <= 36 && others.size() < 5; ++x)
        if (std::find(d.begin(), d.end(), x) == d.end())
            others.push_back(x);
    auto combo = [&](int common) {
        std::vector<int> v(d.begin(), d.begin() + common);
        v.insert(v.end(), others.begin(), others.begin() + (5 - common));
        std::sort(v.begin(), v.end());
        Combination c{};
        for (std::size_t k = 0; k < 5; ++k)
            c[k] = static_cast<std::uint8_t>(v[k]);
        return c;
    };
    build({combo(5), combo(4), combo(4), combo(3), combo(2), combo(1), combo(0)});
    EXPECT_EQ(s_.control("StaticText107").caption, "1");
    EXPECT_EQ(s_.control("StaticText141").caption, "2");
    EXPECT_EQ(s_.control("StaticText142").caption, "1");
    EXPECT_EQ(s_.control("StaticText143").caption, "1");
    EXPECT_EQ(state().drawScores.at(19), 5);

    // The numbers of draw 20 stand out wherever they are; the header and
    // the running numbers never do.
    const ui::Control& g = grid();
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= 5; ++col) {
            const int x = std::stoi(cell(col, row));
            const bool ofDraw = std::find(d.begin(), d.end(), x) != d.end();
            EXPECT_EQ(resultCellHighlighted(s_.ws(), g, col, row), ofDraw) << col << "," << row;
        }
    EXPECT_FALSE(resultCellHighlighted(s_.ws(), g, 0, 1));
    EXPECT_FALSE(resultCellHighlighted(s_.ws(), g, 1, 0));

    // Targeting the next draw: nothing stands out, the counters keep dashes.
    s_.ws().forecastOrdinal = static_cast<std::uint8_t>(s_.ws().drawCount() + 1);
    build({combo(5)});
    EXPECT_FALSE(resultCellHighlighted(s_.ws(), grid(), 1, 1));
    EXPECT_EQ(s_.control("StaticText107").caption, "-");
}

} // namespace
} // namespace vargis::engine
