// The number page "ВЫБРАТЬ ЧИСЛА": the number check boxes and their refusal
// at five, "все +", the frequency and hits charts, the analyzer with its
// question, settings and arrows, the page's show, hide and exit, and the
// digits base the page relies on.

#include "filters/MarkBases.h"
#include "numbers/Analyzer.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::numbers {
namespace {

using testing::Dialog;
using testing::StartedApp;

constexpr const char* kTooFew = "Чисел выбрано меньше 5-ти";
constexpr const char* kQuestion =
    "Если вы УЖЕ составили РАБОЧИЙ ряд, то\r\nСОХРАНИТЕ его !\r\nРяд, полученный на панели "
    "\"Анализатор\"\r\nАВТОМАТИЧЕСКИ СТАНЕТ РАБОЧИМ РЯДОМ!\r\n---\r\nПРОДОЛЖИТЬ ?";

std::string drawLine(int i, const std::array<int, 5>& n) {
    char date[32];
    std::snprintf(date, sizeof date, "%02d.%02d.2025", 1 + (i - 1) % 28, 1 + (i - 1) / 28);
    std::string line = "8;" + std::string(date) + ";";
    for (int x : n)
        line += std::to_string(x) + ";";
    return line + "8;";
}

// 50 draws: draws 15..29 hold only numbers 1..10, every other draw 32..36.
std::vector<std::string> bandedDraws() {
    std::vector<std::string> lines;
    for (int i = 1; i <= 50; ++i) {
        std::array<int, 5> n{32, 33, 34, 35, 36};
        if (i >= 15 && i <= 29)
            for (int k = 0; k < 5; ++k)
                n[static_cast<std::size_t>(k)] = 1 + (i + 2 * k) % 10;
        lines.push_back(drawLine(i, n));
    }
    return lines;
}

// The five numbers of every draw of the draw file, as integers.
std::vector<std::array<int, 5>> drawNumbers() {
    std::vector<std::array<int, 5>> draws;
    for (const auto& line : testing::readDraws()) {
        std::array<int, 5> n{};
        std::size_t pos = line.find(';', 2) + 1;
        for (int k = 0; k < 5; ++k) {
            const std::size_t end = line.find(';', pos);
            n[static_cast<std::size_t>(k)] = std::stoi(line.substr(pos, end - pos));
            pos = end + 1;
        }
        draws.push_back(n);
    }
    return draws;
}

class NumberPageTest : public ::testing::Test {
protected:
    void start() {
        s_.start();
        ASSERT_EQ(s_.platform.errors(), std::vector<std::string>{});
        s_.platform.clear();
    }
    static std::string box(int n) { return "CheckBox" + filters::numberCheckBoxSuffix(n); }
    bool mark(int n, bool on) { return s_.app.toggleCheckBox("Form1", box(n), on); }
    // Leaves exactly the numbers 1..count playing.
    void keepFirst(int count) {
        for (int n = 36; n > count; --n)
            ASSERT_TRUE(mark(n, false));
    }
    const std::string& state(int n) { return s_.ws().digits.row(n).fields[2]; }
    ui::Form& panel() { return s_.app.form("Form7"); }
    ui::Chart& chart() { return s_.control("Chart").chart; }
    std::vector<std::string> infos() { return s_.platform.texts(Dialog::Kind::Information); }
    std::vector<double> ys(const ui::Series& series) {
        std::vector<double> y;
        for (const auto& p : series.points)
            y.push_back(p.y);
        return y;
    }
    bool switchOn(bool answer) {
        s_.platform.answers.push_back(answer);
        return s_.app.click("Form1", "Image24");
    }
    bool arrow(const char* name, bool up) {
        return s_.app.upDownClick("Form1", name, up) && s_.app.mouseDown("Form1", name);
    }
    std::string caption(const std::string& name) { return s_.control(name).caption; }

    StartedApp s_;
};

TEST_F(NumberPageTest, FiveNumbersRefuseAnExclusionUntilASixthPlays) {
    start();
    keepFirst(5);
    EXPECT_TRUE(infos().empty());
    EXPECT_EQ(caption("StaticText6"), "5");
    EXPECT_EQ(caption("StaticText8"), "1");
    EXPECT_EQ(panel().at("Label14").caption, "5");
    EXPECT_EQ(panel().at("Label3").caption, "1");
    EXPECT_EQ(state(6), "0");
    EXPECT_EQ(s_.control(box(6)).color, ui::colors::Red);

    EXPECT_TRUE(mark(3, false));
    EXPECT_EQ(infos(), std::vector<std::string>{kTooFew});
    EXPECT_TRUE(s_.control(box(3)).checked) << "the box is marked again";
    EXPECT_EQ(s_.control(box(3)).color, ui::colors::Yellow);
    EXPECT_EQ(state(3), "1");
    EXPECT_EQ(caption("StaticText6"), "5");

    s_.platform.clear();
    EXPECT_TRUE(mark(20, true));
    EXPECT_EQ(state(20), "1");
    EXPECT_EQ(caption("StaticText8"), "6");
    EXPECT_TRUE(mark(3, false));
    EXPECT_TRUE(infos().empty());
    EXPECT_EQ(state(3), "0");
    EXPECT_EQ(s_.control(box(3)).color, ui::colors::Red);
    EXPECT_EQ(caption("StaticText6"), "5");
    const auto& rows = panel().at("StringGrid1").grid.cells;
    ASSERT_EQ(panel().at("StringGrid1").grid.rowCount, 2);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "1", "2", "4", "5", "20"}));
    EXPECT_EQ(panel().at("Memo1").lines, std::vector<std::string>{"1 - 2 - 4 - 5 - 20"});
}

TEST_F(NumberPageTest, AClickClearsTheResultsAndTheAfterFilterSide) {
    start();
    panel().at("Label7").caption = "12";
    panel().at("Memo4").lines = {"1 - 2-"};
    s_.control("StaticText20").caption = "Перестановок в игре: 7";
    EXPECT_TRUE(mark(9, false));
    EXPECT_EQ(panel().at("Label7").caption, "??");
    EXPECT_EQ(panel().at("Label13").caption, "??");
    EXPECT_TRUE(panel().at("Memo4").lines.empty());
    EXPECT_EQ(caption("StaticText20"), "Перестановок в игре: ");
    EXPECT_EQ(panel().at("Memo2").lines, std::vector<std::string>{"9"});
}

TEST_F(NumberPageTest, AllPlusPlaysEveryNumberAndLeavesThePanelGridEmpty) {
    start();
    keepFirst(7);
    ASSERT_EQ(panel().at("StringGrid1").grid.rowCount, 22);
    EXPECT_TRUE(s_.app.click("Form1", "BitBtn199"));
    EXPECT_TRUE(infos().empty());
    for (int n = 1; n <= 36; ++n) {
        EXPECT_EQ(state(n), "1") << n;
        EXPECT_TRUE(s_.control(box(n)).checked) << n;
        EXPECT_EQ(s_.control(box(n)).color, ui::colors::Yellow) << n;
    }
    EXPECT_EQ(caption("StaticText6"), "36");
    EXPECT_EQ(caption("StaticText8"), "376992");
    EXPECT_EQ(panel().at("Label3").caption, "376992");
    const ui::Grid& grid = panel().at("StringGrid1").grid;
    EXPECT_EQ(grid.rowCount, 2);
    EXPECT_EQ(grid.cells[1], std::vector<std::string>(6, ""));
    EXPECT_TRUE(panel().at("Memo2").lines == std::vector<std::string>{""});
}

TEST_F(NumberPageTest, EighteenNumbersFillThePanelGridNineteenDoNot) {
    start();
    keepFirst(19);
    EXPECT_EQ(panel().at("Label3").caption, "11628");
    EXPECT_EQ(panel().at("StringGrid1").grid.rowCount, 2);
    EXPECT_EQ(panel().at("StringGrid1").grid.cells[1][1], "");
    const int beeps = s_.platform.beeps;
    EXPECT_TRUE(mark(19, false));
    const ui::Grid& grid = panel().at("StringGrid1").grid;
    EXPECT_EQ(panel().at("Label3").caption, "8568");
    ASSERT_EQ(grid.rowCount, 8569);
    EXPECT_EQ(grid.cells[1], (std::vector<std::string>{"1", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(grid.cells[8568], (std::vector<std::string>{"8568", "14", "15", "16", "17", "18"}));
    EXPECT_EQ(s_.platform.beeps, beeps + 1) << "filling the grid beeps";
}

TEST_F(NumberPageTest, HitsChartFollowsEveryClickWhileTheAnalyzerIsOff) {
    start();
    const auto draws = drawNumbers();
    for (int n : {4, 11, 23})
        ASSERT_TRUE(mark(n, false));
    std::vector<double> expected;
    for (const auto& d : draws)
        expected.push_back(static_cast<double>(
            std::count_if(d.begin(), d.end(), [](int x) { return x != 4 && x != 11 && x != 23; })));
    EXPECT_EQ(ys(chart().series2), expected);
    EXPECT_EQ(chart().series2.points.front().x, 1);
    EXPECT_EQ(chart().band.y0, *std::max_element(expected.begin(), expected.end()));
    EXPECT_EQ(chart().title,
              std::vector<std::string>{
                  "Выбранные числа играют от тиража с N п/п= 1 до тиража с N п/п= 50"});
    EXPECT_EQ(chart().footer,
              std::vector<std::string>{"Горизонталь - N п/п тиражей ( 1 -:- 50),  вертикаль - "
                                       "количество попаданий выбранных чисел в тиражах"});
    EXPECT_EQ(caption("StaticText4"), "Фильтр: -");
    EXPECT_EQ(panel().at("Memo2").lines, std::vector<std::string>{"4 - 11 - 23"});
}

TEST_F(NumberPageTest, FrequencyOfANumberCountsItsFallsInAllFiftyDraws) {
    auto lines = bandedDraws();
    lines.resize(40);
    testing::writeDraws(lines);
    start();
    const auto draws = drawNumbers();
    s_.control("StaticText3").caption = "kept";
    EXPECT_TRUE(s_.app.click("Form1", filters::numberLabelName(7)));
    std::vector<double> expected(50, 0);
    for (std::size_t i = 0; i < draws.size(); ++i)
        expected[i] = static_cast<double>(std::count(draws[i].begin(), draws[i].end(), 7));
    EXPECT_EQ(ys(chart().series1), expected) << "draws 41..50 are empty and give 0";
    EXPECT_EQ(chart().series1.points.back().x, 50);
    EXPECT_EQ(chart().footer, std::vector<std::string>{"Выпадение числа 7 в тиражах"});
    EXPECT_TRUE(chart().series2.points.empty()) << "cleared, not drawn";
    EXPECT_EQ(caption("StaticText3"), "kept") << "the counters are not touched";
    EXPECT_EQ(chart().axisMax, 41);

    EXPECT_TRUE(s_.app.click("Form1", filters::numberLabelName(20)));
    EXPECT_EQ(ys(chart().series1), std::vector<double>(50, 0)) << "20 never fell";
    EXPECT_TRUE(s_.platform.errors().empty());
}

TEST_F(NumberPageTest, AnalyzerWithThresholdZeroExcludesTheNumbersAbsentFromTheCountedDraws) {
    testing::writeDraws(bandedDraws());
    start();
    ASSERT_EQ(caption("StaticText166"), "15");
    ASSERT_EQ(caption("StaticText262"), "30");
    EXPECT_TRUE(switchOn(true));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Question), std::vector<std::string>{kQuestion});
    EXPECT_TRUE(infos().empty());
    // Only draws 15..29 count: 1..10 fell there, 32..36 only outside.
    for (int n = 1; n <= 36; ++n) {
        EXPECT_EQ(state(n), n <= 10 ? "1" : "0") << n;
        EXPECT_EQ(s_.control(box(n)).checked, n <= 10) << n;
        EXPECT_FALSE(s_.control(box(n)).enabled) << n;
    }
    EXPECT_EQ(caption("StaticText190"), "=");
    EXPECT_FALSE(s_.control("GroupBox6").visible);
    EXPECT_EQ(caption("StaticText8"), "252");
    EXPECT_EQ(panel().at("Label3").caption, "252");
    EXPECT_EQ(panel().at("StringGrid1").grid.rowCount, 253);
    EXPECT_EQ(panel().at("Memo1").lines,
              std::vector<std::string>{"1 - 2 - 3 - 4 - 5 - 6 - 7 - 8 - 9 - 10"});

    const auto& series1 = chart().series1.points;
    ASSERT_EQ(series1.size(), 36u);
    double total = 0;
    for (std::size_t b = 0; b < 36; ++b) {
        EXPECT_EQ(series1[b].x, static_cast<double>(b + 1));
        EXPECT_EQ(series1[b].y > 0, b < 10) << b + 1;
        total += series1[b].y;
    }
    EXPECT_EQ(total, 75) << "15 draws of five numbers";
    EXPECT_EQ(ys(chart().series2), std::vector<double>(21, 0)) << "draws 30..50 hit nothing";
    EXPECT_EQ(chart().series2.points.front().x, 30);
    EXPECT_EQ(chart().band.x0, 30);
    EXPECT_EQ(chart().band.y0, 8);
    EXPECT_EQ(chart().axisMin, 1);
    EXPECT_EQ(chart().axisMax, 50);
    EXPECT_EQ(chart().title,
              std::vector<std::string>{"Красная линия: горизонталь - тиражи; вертикаль: попадание "
                                       "выбранных чисел в тиражи"});
    EXPECT_EQ(chart().footer,
              std::vector<std::string>{"Зелёная линия: горизонталь - ВСЕ числа лотереи: 1 -:- 36,  "
                                       "вертикаль - количество выпадений каждого числа в тиражах "
                                       "с Nп/п= 15 -:- 29"});
    EXPECT_EQ(chart().series1.color, ui::colors::Green) << "the line the footer names";
    const auto& settings = s_.ws().filters.row(30);
    EXPECT_EQ(settings.field(2), "15");
    EXPECT_EQ(settings.field(3), "30");
    EXPECT_EQ(settings.field(4), "0");

    // Off: the switch panel, the hits chart and the boxes again.
    EXPECT_TRUE(s_.app.click("Form1", "Image37"));
    EXPECT_TRUE(s_.control("GroupBox6").visible);
    EXPECT_TRUE(s_.control(box(20)).enabled);
    EXPECT_EQ(chart().series2.points.size(), 50u);
    EXPECT_TRUE(chart().series1.points.empty());
}

TEST_F(NumberPageTest, DecliningTheQuestionLeavesThePageAsItWas) {
    start();
    EXPECT_TRUE(switchOn(false));
    EXPECT_TRUE(s_.control("GroupBox6").visible);
    EXPECT_TRUE(s_.control(box(1)).enabled);
    for (int n = 1; n <= 36; ++n)
        EXPECT_EQ(state(n), "1");
    EXPECT_EQ(s_.ws().filters.row(30).field(2), testing::filterField(30, 2));
}

TEST_F(NumberPageTest, EveryRefusedExclusionOfTheAnalyzerHasItsMessage) {
    testing::setFilterField(30, 4, "10");
    start();
    EXPECT_TRUE(switchOn(true));
    // No number fell more than 10 times in 15 draws: 1..31 go, 32..36 are refused.
    EXPECT_EQ(infos(), std::vector<std::string>(5, kTooFew));
    for (int n = 1; n <= 36; ++n)
        EXPECT_EQ(state(n), n >= 32 ? "1" : "0") << n;
    EXPECT_EQ(caption("StaticText190"), "<=");
    EXPECT_EQ(caption("StaticText8"), "1");
}

TEST_F(NumberPageTest, SwitchingOnLowersTheReferenceToAPastForecastDraw) {
    testing::setFilterField(25, 4, testing::readDraws().at(19).substr(2, 10));
    start();
    ASSERT_EQ(s_.ws().forecastOrdinal, 20);
    EXPECT_TRUE(switchOn(true));
    EXPECT_EQ(caption("StaticText262"), "20");
    EXPECT_EQ(s_.ws().filters.row(30).field(3), "30") << "the analysis ran before";
}

TEST_F(NumberPageTest, ArrowsKeepTheSettingsConsistentAndRerunTheAnalyzer) {
    testing::writeDraws(bandedDraws());
    testing::setFilterField(30, 2, "29");
    testing::setFilterField(30, 3, "30");
    start();
    ASSERT_TRUE(switchOn(true));
    // h = F - 1: its up arrow leaves it there.
    EXPECT_TRUE(arrow("UpDown102", true));
    EXPECT_EQ(caption("StaticText166"), "29");
    EXPECT_EQ(s_.ws().filters.row(30).field(2), "29");
    EXPECT_EQ(chart().footer.at(0).substr(chart().footer.at(0).rfind('=')), "= 1 -:- 29");

    // F down onto h takes h along below it.
    EXPECT_TRUE(arrow("UpDown125", false));
    EXPECT_EQ(caption("StaticText262"), "29");
    EXPECT_EQ(caption("StaticText166"), "28");

    // The threshold's sign and the re-run with t = 1.
    EXPECT_TRUE(arrow("UpDown124", true));
    EXPECT_EQ(caption("StaticText190"), "<=");
    EXPECT_EQ(s_.ws().filters.row(30).field(4), "1");
    EXPECT_TRUE(arrow("UpDown124", false));
    EXPECT_EQ(caption("StaticText190"), "=");
    EXPECT_TRUE(s_.platform.errors().empty());
}

TEST_F(NumberPageTest, TheReferenceStopsAtTheDrawAfterTheLast) {
    testing::writeDraws(testing::makeDraws(20));
    testing::setFilterField(30, 2, "20");
    testing::setFilterField(30, 3, "25");
    start();
    EXPECT_TRUE(s_.app.upDownClick("Form1", "UpDown125", true));
    EXPECT_EQ(caption("StaticText262"), "21");
    EXPECT_EQ(caption("StaticText166"), "20");
    EXPECT_TRUE(s_.app.upDownClick("Form1", "UpDown125", false));
    EXPECT_EQ(caption("StaticText262"), "20");
    EXPECT_EQ(caption("StaticText166"), "19");
}

TEST_F(NumberPageTest, SettingsRestoredOutOfOrderAreCorrectedBeforeTheCount) {
    testing::writeDraws(testing::makeDraws(20));
    testing::setFilterField(30, 2, "40");
    testing::setFilterField(30, 3, "45");
    start();
    EXPECT_TRUE(s_.app.click("Form1", "BitBtn225"));
    EXPECT_TRUE(s_.platform.errors().empty());
    EXPECT_EQ(caption("StaticText262"), "21") << "F first: the draw after the last";
    EXPECT_EQ(caption("StaticText166"), "20") << "then h below F";
    EXPECT_EQ(s_.ws().filters.row(30).field(2), "20");
    EXPECT_EQ(s_.ws().filters.row(30).field(3), "21");
    EXPECT_TRUE(chart().series2.points.empty()) << "no draw from F = DrawCount + 1 on";

    EXPECT_EQ(correctedSettings({40, 30, 2}, 50).draws, 29);
    EXPECT_EQ(correctedSettings({0, 30, 2}, 50).draws, 1);
    EXPECT_EQ(correctedSettings({5, 30, 2}, 0).reference, 2) << "one draw can still be named";
}

TEST_F(NumberPageTest, ShowingHidingAndLeavingThePage) {
    start();
    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet1"));
    EXPECT_FALSE(panel().self().visible);
    EXPECT_EQ(chart().series2.lineWidth, 1);
    EXPECT_TRUE(chart().title.empty()) << "the page's chart title goes with the page";
    s_.control("GroupBox6").visible = false;
    s_.control("GroupBox6").left = 7;
    panel().at("Label3").caption = "6";
    panel().at("Label14").caption = "6";
    for (int n = 7; n <= 36; ++n)
        s_.ws().digits.row(n).fields[2] = "0";

    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet11"));
    EXPECT_TRUE(panel().self().visible);
    EXPECT_EQ(panel().at("StringGrid1").grid.rowCount, 7) << "the panel's FormShow fills it";
    EXPECT_EQ(chart().series2.lineWidth, 2);
    EXPECT_TRUE(s_.control("GroupBox6").visible);
    EXPECT_EQ(s_.control("GroupBox4").left, 7);
    EXPECT_EQ(s_.control("GroupBox4").top, s_.control("GroupBox6").top);
    EXPECT_EQ(caption("StaticText13"), "начиная с N п/п= 1 до N п/п= 50");
    EXPECT_EQ(chart().series2.points.size(), 50u);

    EXPECT_FALSE(chart().title.empty());
    EXPECT_TRUE(s_.app.focusLost("Form1", "TabSheet11"));
    EXPECT_TRUE(chart().series2.points.empty());
    EXPECT_TRUE(chart().title.empty());
    EXPECT_EQ(chart().axisMax, 51);
}

TEST_F(NumberPageTest, ThePanelShowsNothingBeforeACount) {
    start();
    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet1"));
    panel().at("Label3").caption = " ??  ";
    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet11"));
    EXPECT_TRUE(s_.platform.errors().empty());
    EXPECT_EQ(panel().at("StringGrid1").grid.rowCount, 2);
}

TEST_F(NumberPageTest, ClickingThroughThePageWithoutDrawsRaisesNoError) {
    testing::writeDraws({});
    s_.start();
    s_.platform.clear();
    EXPECT_TRUE(s_.app.click("Form1", filters::numberLabelName(5)));
    EXPECT_EQ(ys(chart().series1), std::vector<double>(50, 0));
    EXPECT_TRUE(s_.app.click("Form1", "BitBtn26"));
    EXPECT_TRUE(chart().series2.points.empty());
    EXPECT_TRUE(mark(8, false));
    EXPECT_TRUE(switchOn(true));
    EXPECT_TRUE(arrow("UpDown125", true));
    EXPECT_TRUE(arrow("UpDown102", false));
    EXPECT_TRUE(chart().series2.points.empty());
    EXPECT_EQ(ys(chart().series1), std::vector<double>(36, 0));
    EXPECT_TRUE(s_.platform.errors().empty());
}

TEST_F(NumberPageTest, ADigitsBaseNamingNoCheckBoxStopsTheStartWithItsLine) {
    const auto lines = [] {
        std::vector<std::string> l;
        for (int n = 1; n <= 50; ++n)
            l.push_back(std::to_string(n) + ";" + filters::numberCheckBoxSuffix(n) + ";1;");
        return l;
    };
    auto write = [](std::vector<std::string> l) {
        std::string bytes;
        for (const auto& line : l)
            bytes += line + "\r\n";
        testing::writeBytesRaw(testing::kDigitsFile, bytes);
    };
    auto unknown = lines();
    unknown[3] = "4;999;1;";
    write(unknown);
    s_.start();
    auto errors = s_.platform.errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("bd_digits.txt, строка 4"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find("CheckBox999"), std::string::npos) << errors[0];

    StartedApp other;
    auto notNumber = lines();
    notNumber[11] = "x;308;1;";
    write(notNumber);
    other.start();
    errors = other.platform.errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("bd_digits.txt, строка 12"), std::string::npos) << errors[0];
}

} // namespace
} // namespace vargis::numbers
