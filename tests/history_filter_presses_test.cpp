// Pressing the buttons of the ranked pages, "повторы", "кол-во в рядах" and
// "разности" on the application model: values, counts, chart, marks, texts,
// arrows, page shows and the refusals of bad input.

#include "app/LotteryKind.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RangeCounts.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace vargis {
namespace {

using testing::Dialog;

struct Draw {
    std::array<int, 5> numbers;
    std::string date;
};

std::string drawLine(const std::array<int, 5>& numbers, const std::string& date) {
    std::string line = "8;" + date + ";";
    for (int n : numbers)
        line += std::to_string(n) + ";";
    return line + "8;";
}

// Draws with distinct dates 01.01.2026, 02.01.2026, ...
std::vector<std::string> linesOf(const std::vector<std::array<int, 5>>& draws) {
    std::vector<std::string> lines;
    int day = 1;
    for (const auto& d : draws) {
        char date[32];
        std::snprintf(date, sizeof date, "%02d.%02d.2026", 1 + (day - 1) % 28, 1 + (day - 1) / 28);
        lines.push_back(drawLine(d, date));
        ++day;
    }
    return lines;
}

// `count` draws; draw f holds f, f+1, .. f+4 wrapped into 1..36.
std::vector<std::array<int, 5>> slidingDraws(int count) {
    std::vector<std::array<int, 5>> draws;
    for (int f = 1; f <= count; ++f) {
        std::array<int, 5> d{};
        for (std::size_t k = 0; k < 5; ++k)
            d[k] = 1 + (f - 1 + static_cast<int>(k)) % 36;
        draws.push_back(d);
    }
    return draws;
}

struct Started : testing::StartedApp {
    explicit Started(const std::vector<std::string>& lines) {
        testing::writeDraws(lines);
        start();
        platform.clear();
    }
    const ui::Chart& chart() { return control("Chart").chart; }
    std::string button(int row) { return std::string(catalogue::rowControls(row).button); }
    void press(int row, const std::string& condition) {
        ws().filters.row(row).field(5) = condition;
        app.click("Form1", button(row));
    }
    void press(int row, const std::string& condition, int parameter) {
        control(std::string(catalogue::rowControls(row).paramLabel)).caption =
            std::to_string(parameter);
        press(row, condition);
    }
    ui::Color colourAt(int index) {
        ui::Color colour = control("RichEdit1").textColor;
        for (const auto& range : control("RichEdit1").colorRanges)
            if (index >= range.start && index < range.start + range.length)
                colour = range.color;
        return colour;
    }
    std::vector<int> failed(int row) {
        std::vector<int> marks;
        for (int j = 1; j <= 50; ++j)
            if (ws().failMarks.at(row, j) == "0")
                marks.push_back(j);
        return marks;
    }
    std::vector<double> xs() {
        std::vector<double> x;
        for (const auto& p : chart().series1.points)
            x.push_back(p.x);
        return x;
    }
};

// Row 47: position 1 of draw N against number 1 of draw N-2.
TEST(RankedLinkPress, OffsetTwoStartsAtThreeAndHidesTwoOrdinals) {
    Started s(linesOf({{20, 21, 22, 23, 24},
                       {5, 6, 7, 8, 9},
                       {20, 25, 26, 27, 28},
                       {1, 2, 3, 4, 5},
                       {6, 7, 8, 9, 10}}));
    s.press(47, "=");
    EXPECT_TRUE(s.platform.errors().empty());
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 2, 1, 0, 0}));
    EXPECT_EQ(s.ws().matchCount, 1);
    EXPECT_EQ(s.xs(), (std::vector<double>{3, 4, 5}));
    for (const auto& p : s.chart().series2.points)
        EXPECT_EQ(p.y, 1);
    const std::string footer = s.chart().footer.front();
    EXPECT_TRUE(footer.ends_with(" По оси Х от \"3\"")) << footer;
    EXPECT_EQ(s.failed(47), (std::vector<int>{4, 5}));
    // Ordinals 1 and 2 vanish into the background; 3 keeps its colour.
    EXPECT_EQ(s.colourAt(0), ui::colors::Navy);
    EXPECT_EQ(s.colourAt(2), ui::colors::Navy);
    EXPECT_EQ(s.colourAt(4), ui::colors::Yellow);
    EXPECT_EQ(s.colourAt(6), ui::colors::Red);
    EXPECT_EQ(s.ws().previousDrawOffset, 0);
    EXPECT_EQ(s.control("StaticText3").caption, " 1");
    EXPECT_EQ(s.control("StaticText6").caption, "-");
    EXPECT_EQ(s.control("StaticText8").caption, " --- ");
    EXPECT_EQ(s.control("ProgressBar1").position, 1);
    EXPECT_EQ(s.control("StaticText4").caption, "Фильтр: =1-у ч. тир(N-2)");
    EXPECT_EQ(s.control(s.button(47)).fontColor, ui::colors::Maroon);
    // Under "<>" the two unevaluated draws count as unequal.
    s.press(47, "<>");
    EXPECT_EQ(s.ws().matchCount, 4);
    EXPECT_EQ(s.failed(47), (std::vector<int>{3}));
    EXPECT_EQ(s.control(s.button(47)).caption, "<>1-у ч. тир(N-2)");
}

TEST(RankedLinkPress, NoEqualDrawCountsEveryDrawUnderNotEqualAndNoneUnderEqual) {
    Started s(
        linesOf({{30, 31, 32, 33, 34}, {1, 2, 3, 4, 5}, {30, 31, 32, 33, 34}, {1, 2, 3, 4, 5}}));
    s.press(32, "<>"); // position 1 against number 1 of N-1
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 0, 0, 0}));
    EXPECT_EQ(s.ws().matchCount, 4);
    EXPECT_TRUE(s.failed(32).empty());
    for (const auto& p : s.chart().series2.points)
        EXPECT_EQ(p.y, 0);
    s.press(32, "=");
    EXPECT_EQ(s.ws().matchCount, 0);
    EXPECT_EQ(s.chart().band.y0, 1);
    EXPECT_EQ(s.failed(32), (std::vector<int>{2, 3, 4}));
}

TEST(RankedLinkPress, SmallProductsRaisedToOneInTheHistory) {
    // Number 1 of draw 1 is 1; x0.62 gives t = 1 (row 37), x0.38 too (row 42);
    // number 2 of draw 1 is 2; x0.38 gives t = 1 (row 43).
    Started s(linesOf({{1, 2, 30, 31, 32}, {1, 10, 20, 30, 36}}));
    for (int row : {37, 42, 43}) {
        s.press(row, "=");
        EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 1})) << row;
        EXPECT_EQ(s.ws().matchCount, 1) << row;
    }
    // Number 3 x1 is 30: not the smallest number 1.
    s.press(34, "=");
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 0}));
}

TEST(RankedLinkPress, HistoryNoLongerThanTheOffsetCountsNothing) {
    Started s(linesOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
    s.press(47, "<>");
    EXPECT_TRUE(s.platform.errors().empty());
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 2}));
    EXPECT_EQ(s.ws().matchCount, 0);
    EXPECT_TRUE(s.chart().series1.points.empty());
    EXPECT_EQ(s.chart().band.y0, 1);
    EXPECT_TRUE(s.failed(47).empty());
}

TEST(RankedLinkPress, PageFiveLinksReportOnTheirOwnRows) {
    Started s(linesOf({{3, 36, 9, 14, 2}, {1, 2, 3, 4, 36}, {5, 6, 7, 8, 3}}));
    for (int row = 128; row <= 147; ++row) {
        s.press(row, "=");
        ASSERT_TRUE(s.platform.errors().empty()) << row;
        EXPECT_EQ(s.ws().currentFilterRow, row);
        EXPECT_EQ(s.control("StaticText4").caption,
                  "Фильтр: =" + std::string(catalogue::rowControls(row).caption));
        EXPECT_TRUE(s.chart().footer.front().starts_with("5-я поз. ранж. тиража")) << row;
        // The failing draws are marked on the row itself, never on another.
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(s.ws().failMarks.at(row, j) == "0", s.ws().filterValues[j - 1] == 0) << row;
    }
    // Row 129: the largest number 36 of draw 2 equals number 2 of draw 1.
    s.press(129, "=");
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 1, 0}));
}

TEST(RankedLinkPress, ButtonTheFilterBaseDoesNotNameIsAnErrorNamingTheFile) {
    Started s(linesOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
    s.press(33, "=");
    const auto before = s.ws().filterValues;
    s.ws().filters.row(37).field(6) = "BitBtnX";
    s.app.click("Form1", "BitBtn37");
    ASSERT_EQ(s.platform.errors().size(), 1u);
    EXPECT_NE(s.platform.errors()[0].find("bd_filters.txt"), std::string::npos);
    EXPECT_NE(s.platform.errors()[0].find("BitBtn37"), std::string::npos);
    EXPECT_EQ(s.ws().filterValues, before);
}

TEST(HistoryFilterPress, NumbersZeroAndAboveTheKindAreComputedAsGiven) {
    Started s(linesOf({{0, 200, 3, 4, 5}, {1, 2, 3, 4, 200}, {0, 7, 8, 9, 255}}));
    // Number 1 of draw 1 is 0: raised to 1, equal to the smallest number 1.
    s.press(37, "=");
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 1, 0}));
    // 200 of draw 2 repeats from draw 1; 0 of draw 3 from nothing before it.
    s.press(175, ">=", 0);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 3, 0}));
    s.press(127, ">=", 0); // Root9 of 200 and 255
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 2, 3}));
    s.press(249, ">=", 0);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{200, 199, 255}));
    s.press(262, ">=", 0); // r_1 = 0, 1, 0: A(3) = 1 div 2 = 0
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 1, 0}));
    EXPECT_TRUE(s.platform.errors().empty());
}

TEST(RankedDatePress, DigitRootOfTheDateAgainstTheSmallestNumber) {
    // Digit sums 9, 18 and 27 (root 9) against smallest numbers 9, 18 and 5.
    Started s({drawLine({9, 20, 21, 22, 23}, "03.03.2001"),
               drawLine({30, 18, 21, 22, 23}, "09.07.2000"),
               drawLine({5, 20, 21, 22, 23}, "08.08.2009")});
    s.press(31, "=");
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(s.ws().matchCount, 2);
    EXPECT_EQ(s.xs(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(s.failed(31), (std::vector<int>{3}));
    EXPECT_EQ(s.chart().footer.front(),
              "1-я поз. тиража по |9| и сумма цифр даты по |9|): (=)=>1. (<>)=>0");
    EXPECT_EQ(s.control("StaticText8").caption, " - ");
    s.press(31, "<>");
    EXPECT_EQ(s.ws().matchCount, 1);
    EXPECT_EQ(s.failed(31), (std::vector<int>{1, 2}));
}

TEST(PositionValuePress, Row127ReducesTheLargestNumberAndTheArrowsStopAtFive) {
    // 36 has the root 9; 37 (above N, recorded all the same) has 1.
    Started s(linesOf({{1, 2, 3, 4, 36}, {1, 2, 3, 4, 37}, {1, 2, 3, 4, 14}}));
    s.press(127, "<=", 5);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{9, 1, 5}));
    EXPECT_EQ(s.ws().matchCount, 2);
    EXPECT_EQ(s.chart().footer.front(), "5-я позиция для каждого тиража, взятая по mod=9 ");
    EXPECT_EQ(s.control("StaticText4").caption, "Фильтр: 5-я поз. mod 9<=5");
    EXPECT_EQ(s.chart().band.y0, 9);
    s.app.upDownClick("Form1", "UpDown78", false);
    EXPECT_EQ(s.control("StaticText113").caption, "5");
    EXPECT_EQ(s.ws().filters.row(127).parameter(), "5");
    s.press(79, ">=", 3);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(s.chart().footer.front(), "3-я позиция для каждого тиража. ");
}

TEST(RepeatPress, CountsHidesLeadingOrdinalsAndPlotsFromTheFirstEvaluatedDraw) {
    Started s(linesOf({{1, 2, 3, 4, 12}, {5, 12, 19, 30, 33}, {12, 17, 25, 30, 41}}));
    s.press(175, "=", 2);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(s.ws().matchCount, 1);
    EXPECT_EQ(s.xs(), (std::vector<double>{2, 3}));
    EXPECT_EQ(s.control("StaticText4").caption, "Фильтр:повтор из N= (N-1)=2");
    EXPECT_EQ(s.chart().footer.front(), "Повторилось чисел из тиража с N=N-1");
    // Draw 1 holds 0 and is marked, but its ordinal is hidden.
    EXPECT_EQ(s.failed(175), (std::vector<int>{1, 2}));
    EXPECT_EQ(s.colourAt(0), ui::colors::Navy);
    // Rows 193..198 hide nothing: their leading draws show their mark.
    s.press(193, "<=", 5);
    EXPECT_EQ(s.colourAt(0), ui::colors::Yellow);
    s.press(193, ">=", 1);
    EXPECT_EQ(s.colourAt(0), ui::colors::Red);
    EXPECT_EQ(s.ws().matchCount, 0);
}

TEST(RepeatPress, TooShortHistoryMessageOnlyForTheLongRows) {
    Started ten(linesOf(slidingDraws(10)));
    ten.press(192, ">=", 0);
    EXPECT_EQ(ten.platform.texts(Dialog::Kind::Message),
              (std::vector<std::string>{"Фильтр Не работает. Недостаточно статистики."}));
    EXPECT_EQ(ten.ws().matchCount, 0);
    EXPECT_TRUE(ten.chart().series1.points.empty());
    EXPECT_EQ(ten.ws().filterValues, std::vector<int>(10, 0));
    ten.platform.clear();
    ten.press(184, ">=", 0); // F = 5 <= 10: no message
    ten.press(198, ">=", 0); // F = 10: evaluates draw 10 alone
    EXPECT_TRUE(ten.platform.texts(Dialog::Kind::Message).empty());
    EXPECT_EQ(ten.ws().matchCount, 1);

    Started eleven(linesOf(slidingDraws(11)));
    eleven.press(192, ">=", 0);
    EXPECT_TRUE(eleven.platform.texts(Dialog::Kind::Message).empty());
    EXPECT_EQ(eleven.ws().matchCount, 1);
    EXPECT_EQ(eleven.xs(), (std::vector<double>{11}));

    Started three(linesOf(slidingDraws(3)));
    three.press(178, ">=", 0); // rows 175..184 stay silent
    EXPECT_TRUE(three.platform.texts(Dialog::Kind::Message).empty());
    EXPECT_EQ(three.ws().matchCount, 0);
}

TEST(RepeatPress, FromNMinusFourCountsFortySixOfFiftyUnderAtLeastZero) {
    Started s(testing::makeDraws(50));
    s.press(178, ">=", 0);
    EXPECT_EQ(s.ws().matchCount, 46);
    EXPECT_EQ(s.failed(178), std::vector<int>{});
    // Parameters above 255 compare as plain integers.
    s.press(178, "<=", 300);
    EXPECT_EQ(s.ws().matchCount, 46);
    EXPECT_EQ(s.ws().filters.row(178).parameter(), "300");
}

TEST(DifferencePress, WorkedDrawAndTheRunningAverage) {
    Started s(linesOf(
        {{40, 22, 3, 15, 8}, {2, 10, 20, 30, 36}, {4, 11, 21, 31, 35}, {1, 12, 22, 32, 34}}));
    s.press(246, ">=", 0);
    EXPECT_EQ(s.ws().filterValues[0], 5);
    EXPECT_EQ(s.ws().matchCount, 4);
    EXPECT_EQ(s.control("StaticText4").caption, "Фильтр:разность 2е - 1е>=0");
    EXPECT_EQ(s.chart().footer.front(), "Разность между 2-м и 1-м числом ранжированного тиража");
    s.press(261, "=", 37);
    EXPECT_EQ(s.ws().filterValues[0], 37);
    EXPECT_EQ(s.control("StaticText4").caption, "Фильтр: сумма разностей=37");
    s.press(255, "=", 7);
    EXPECT_EQ(s.ws().filterValues[0], 7);
    // r_1 = 3, 2, 4, 1: A(4) = 9 div 3 = 3, |1 - 3| = 2.
    s.press(262, "<=", 0);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 1, 2, 2}));
}

TEST(DifferencePress, DrawOneOfAnAverageFilterUnderEachCondition) {
    Started s(linesOf({{3, 10, 20, 30, 36}, {3, 11, 21, 31, 35}}));
    auto drawOneFails = [&](const std::string& condition, int p) {
        s.press(263, condition, p);
        EXPECT_EQ(s.ws().filterValues[0], 0);
        return s.ws().failMarks.at(263, 1) == "0";
    };
    EXPECT_FALSE(drawOneFails("<=", 0));
    EXPECT_FALSE(drawOneFails("<=", 7));
    EXPECT_FALSE(drawOneFails("=", 0));
    EXPECT_TRUE(drawOneFails("=", 1));
    EXPECT_TRUE(drawOneFails("<>", 0));
    EXPECT_FALSE(drawOneFails("<>", 1));
    EXPECT_FALSE(drawOneFails(">=", 0));
    EXPECT_TRUE(drawOneFails(">=", 1));
}

TEST(RangePress, CountsTheRangeOfTheKindWithItsFooter) {
    Started s(linesOf({{3, 8, 15, 22, 40}, {29, 30, 31, 33, 34}}));
    s.press(223, "=", 2);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{2, 0}));
    EXPECT_EQ(s.chart().footer.front(), "Чисел из [1..10] в каждом тираже.");
    EXPECT_EQ(s.control("StaticText4").caption, "Фильтр: кол. в (1 -:- 10)+=2");
    s.press(242, ">=", 5);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 5}));
    EXPECT_EQ(s.failed(242), (std::vector<int>{1}));
    EXPECT_EQ(s.chart().footer.front(), "Чисел из [29..34] в каждом тираже.");
    // Row 243 has no range for 5 of 36: it counts nothing, as in the sweep.
    s.press(243, "=", 1);
    EXPECT_TRUE(s.platform.errors().empty());
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 0}));
}

TEST(HistoryFilterPress, NonIntegerParameterNamesTheRowAndChangesNothing) {
    Started s(linesOf({{3, 8, 15, 22, 40}, {29, 30, 31, 33, 34}}));
    s.press(223, "=", 2);
    const auto values = s.ws().filterValues;
    const auto points = s.chart().series1.points.size();
    for (int row : {55, 176, 230, 250 - 1, 264}) {
        s.platform.clear();
        s.control(std::string(catalogue::rowControls(row).paramLabel)).caption = "x5";
        s.app.click("Form1", s.button(row));
        ASSERT_EQ(s.platform.errors().size(), 1u) << row;
        EXPECT_NE(s.platform.errors()[0].find(std::to_string(row)), std::string::npos) << row;
        EXPECT_EQ(s.ws().filterValues, values);
        EXPECT_EQ(s.chart().series1.points.size(), points);
        EXPECT_NE(s.ws().filters.row(row).parameter(), "x5");
    }
}

TEST(HistoryFilterPress, EveryArrowPressesTheButtonOfItsOwnRow) {
    Started s(linesOf(slidingDraws(12)));
    int arrows = 0;
    for (const auto& rc : catalogue::allRows()) {
        using catalogue::Family;
        const bool mine = rc.family == Family::RankedPosition || rc.family == Family::Repeat ||
                          rc.family == Family::CountInRange || rc.family == Family::Difference;
        if (!mine || rc.hidden || rc.upDown.empty() || !s.control(std::string(rc.button)).visible)
            continue;
        ++arrows;
        s.ws().currentFilterRow = 1;
        s.control(std::string(rc.paramLabel)).caption = std::to_string(rc.upMin + 1);
        s.app.upDownClick("Form1", std::string(rc.upDown), true);
        ASSERT_TRUE(s.platform.errors().empty()) << rc.row;
        EXPECT_EQ(s.ws().currentFilterRow, rc.row) << rc.upDown;
        EXPECT_EQ(s.ws().filters.row(rc.row).parameter(), std::to_string(rc.upMin + 2))
            << rc.upDown;
    }
    // 4 position values, 24 repeats, 17 ranges shown for 5 of 36, 16 differences.
    EXPECT_EQ(arrows, 4 + 24 + 17 + 16);
}

TEST(HistoryFilterPress, PlaceholdersHaveNoComputation) {
    Started s(linesOf(slidingDraws(5)));
    s.press(246, "<=", 5);
    const auto values = s.ws().filterValues;
    for (int row : {52, 76, 150, 250, 254, 257, 259, 260, 267, 245}) {
        const std::string name = s.button(row);
        EXPECT_FALSE(s.control(name).visible) << row;
        s.app.click("Form1", name);
        EXPECT_TRUE(s.platform.errors().empty());
        EXPECT_EQ(s.ws().filterValues, values) << row;
    }
}

TEST(HistoryFilterPages, ShowSetsTitleAndFooterAndRankedTabsStayHidden) {
    Started s(linesOf(slidingDraws(5)));
    const std::pair<const char*, const char*> pages[] = {
        {"TabSheet2", "Обрабатывается 1-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража"},
        {"TabSheet3", "Обрабатывается 2-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража"},
        {"TabSheet6", "Обрабатывается 5-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража"},
        {"TabSheet8", "Повторение чисел из предыдущих тиражей"},
        {"TabSheet10", "Обрабатываются ВСЕ ЧИСЛА для ВСЕХ тиражей"},
        {"TabSheet12", "Разности между числами в тираже"},
    };
    for (const auto& [sheet, title] : pages) {
        s.press(246, "<=", 5);
        s.ws().filters.row(catalogue::findPage(sheet)->firstRow + 1).field(5) = "=";
        s.app.selectPage("Form1", "PageControl1", sheet);
        ASSERT_TRUE(s.platform.errors().empty()) << sheet;
        EXPECT_EQ(s.chart().title, (std::vector<std::string>{title})) << sheet;
        EXPECT_EQ(s.chart().footer.front(), "Результат работы выбранного фильтра. ");
        EXPECT_TRUE(s.chart().series1.points.empty()) << sheet;
        // The page's rows are restored from the filter base.
        const auto& rc = catalogue::rowControls(catalogue::findPage(sheet)->firstRow + 1);
        EXPECT_NE(s.control(std::string(rc.button)).caption.find("="), std::string::npos);
    }
    for (int sheet = 2; sheet <= 6; ++sheet)
        EXPECT_FALSE(s.control("TabSheet" + std::to_string(sheet)).tabVisible) << sheet;
}

TEST(RangePress, KindAdjustmentsAgreeWithTheRangesOfEveryKind) {
    Started s(linesOf(slidingDraws(3)));
    // The stems the kind writes name the range its button counts.
    const std::map<int, std::vector<int>> stemKinds = {
        {242, {30, 31, 32, 34}}, {243, {37, 38}}, {233, {39, 40}}, {244, {44, 45, 50}}};
    for (int n = 28; n <= 50; ++n) {
        app::applyKindAdjustments(s.form1(), s.ws(), n);
        for (int row = 223; row <= 244; ++row) {
            EXPECT_EQ(s.control(s.button(row)).visible, catalogue::rangeRowShown(row, n))
                << row << " N=" << n;
            const auto kinds = stemKinds.find(row);
            if (kinds == stemKinds.end() ||
                std::find(kinds->second.begin(), kinds->second.end(), n) == kinds->second.end())
                continue;
            const auto range = catalogue::countedRange(row, n);
            ASSERT_TRUE(range.has_value()) << row << " N=" << n;
            EXPECT_EQ(s.ws().filters.row(row).stem(), "кол. в (" + std::to_string(range->lo) +
                                                          " -:- " + std::to_string(range->hi) + ")")
                << row << " N=" << n;
        }
    }
}

} // namespace
} // namespace vargis
