// Clicks through the number page headless on the bundled draws: numbers
// marked and unmarked, the analyzer switched on and moved by its arrows,
// switched off, "все +". After every step the selection, the counters and
// the panel are checked against values computed here from the draw file.

#include "filters/MarkBases.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis {
namespace {

using testing::Dialog;
using testing::StartedApp;

long choose5(long n) {
    long c = 1;
    for (long k = 0; k < 5; ++k)
        c = c * (n - k) / (k + 1);
    return n < 5 ? 0 : c;
}

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : " - ") + std::to_string(n);
    return text;
}

class NumberScenario : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        ASSERT_EQ(s_.platform.errors(), std::vector<std::string>{});
        for (const auto& line : testing::readDraws()) {
            std::array<int, 5> n{};
            std::size_t pos = line.find(';', 2) + 1;
            for (auto& x : n) {
                const std::size_t end = line.find(';', pos);
                x = std::stoi(line.substr(pos, end - pos));
                pos = end + 1;
            }
            draws_.push_back(n);
        }
        playing_.assign(37, true);
        playing_[0] = false;
    }

    static std::string box(int n) { return "CheckBox" + filters::numberCheckBoxSuffix(n); }
    void toggle(int n, bool on) {
        ASSERT_TRUE(s_.app.toggleCheckBox("Form1", box(n), on));
        playing_[static_cast<std::size_t>(n)] = on;
    }
    std::string caption(const std::string& name) { return s_.control(name).caption; }
    int setting(const char* label) { return std::stoi(caption(label)); }
    bool arrow(const char* name, bool up) {
        return s_.app.upDownClick("Form1", name, up) && s_.app.mouseDown("Form1", name);
    }

    // What the analyzer must leave: numbers that fell more than t times in
    // draws F-h..F-1 play; an exclusion that would leave four is refused.
    void analyze() {
        const int h = setting("StaticText166");
        const int f = setting("StaticText262");
        const int t = setting("StaticText259");
        std::array<int, 37> counts{};
        for (int i = f - h; i <= f - 1; ++i)
            for (int x : draws_.at(static_cast<std::size_t>(i - 1)))
                ++counts[static_cast<std::size_t>(x)];
        int playing = static_cast<int>(std::count(playing_.begin(), playing_.end(), true));
        refused_ = 0;
        for (std::size_t b = 1; b <= 36; ++b) {
            if (counts[b] > t) {
                playing += playing_[b] ? 0 : 1;
                playing_[b] = true;
            } else if (playing_[b] && playing == 5) {
                ++refused_;
            } else if (playing_[b]) {
                playing_[b] = false;
                --playing;
            }
        }
        counts_ = counts;
    }

    std::vector<int> numbers(bool plays) const {
        std::vector<int> out;
        for (int b = 1; b <= 36; ++b)
            if (playing_[static_cast<std::size_t>(b)] == plays)
                out.push_back(b);
        return out;
    }

    // The selection, the counters and the panel's left side.
    void expectSelection(const std::string& step) {
        SCOPED_TRACE(step);
        const auto plays = numbers(true);
        for (int b = 1; b <= 36; ++b) {
            const bool on = playing_[static_cast<std::size_t>(b)];
            EXPECT_EQ(s_.ws().digits.row(b).fields[2], on ? "1" : "0") << b;
            EXPECT_EQ(s_.control(box(b)).checked, on) << b;
            EXPECT_EQ(s_.control(box(b)).color, on ? ui::colors::Yellow : ui::colors::Red) << b;
        }
        const long combinations = choose5(static_cast<long>(plays.size()));
        EXPECT_EQ(caption("StaticText8"), std::to_string(combinations));
        ui::Form& panel = s_.app.form("Form7");
        EXPECT_EQ(panel.at("Memo1").lines, std::vector<std::string>{joined(plays)});
        EXPECT_EQ(panel.at("Memo2").lines, std::vector<std::string>{joined(numbers(false))});
        EXPECT_EQ(panel.at("Label14").caption, std::to_string(plays.size()));
        EXPECT_EQ(panel.at("Label3").caption, std::to_string(combinations));
        EXPECT_EQ(caption("StaticText6"), std::to_string(plays.size()));
        const ui::Grid& grid = panel.at("StringGrid1").grid;
        if (combinations > 10500) {
            EXPECT_EQ(grid.rowCount, 2);
            EXPECT_EQ(grid.cells[1][1], "");
            return;
        }
        ASSERT_EQ(grid.rowCount, combinations + 1);
        // Spot checks against the positions' order: first, last and one
        // row in between, found by counting the combinations before it.
        const auto n = plays.size();
        auto text = [&](std::size_t i) { return std::to_string(plays[i]); };
        EXPECT_EQ(grid.cells[1],
                  (std::vector<std::string>{"1", text(0), text(1), text(2), text(3), text(4)}));
        EXPECT_EQ(grid.cells[static_cast<std::size_t>(combinations)],
                  (std::vector<std::string>{std::to_string(combinations), text(n - 5), text(n - 4),
                                            text(n - 3), text(n - 2), text(n - 1)}));
        // Every combination starting with the second number follows all
        // C(n-1, 4) that start with the first.
        if (n == 5)
            return;
        const long firstBlock = combinations - choose5(static_cast<long>(n) - 1);
        EXPECT_EQ(grid.cells[static_cast<std::size_t>(firstBlock + 1)],
                  (std::vector<std::string>{std::to_string(firstBlock + 1), text(1), text(2),
                                            text(3), text(4), text(5)}));
    }

    // The analyzer's chart: counts per number and hits from draw F.
    void expectAnalyzerChart(const std::string& step) {
        SCOPED_TRACE(step);
        const ui::Chart& chart = s_.control("Chart").chart;
        ASSERT_EQ(chart.series1.points.size(), 36u);
        for (std::size_t b = 1; b <= 36; ++b)
            EXPECT_EQ(chart.series1.points[b - 1].y, counts_[b]) << b;
        const int f = setting("StaticText262");
        ASSERT_EQ(chart.series2.points.size(), static_cast<std::size_t>(51 - f));
        for (int i = f; i <= 50; ++i) {
            const auto& d = draws_.at(static_cast<std::size_t>(i - 1));
            const auto hits = std::count_if(
                d.begin(), d.end(), [&](int x) { return playing_[static_cast<std::size_t>(x)]; });
            EXPECT_EQ(chart.series2.points[static_cast<std::size_t>(i - f)].y,
                      static_cast<double>(hits))
                << i;
        }
        EXPECT_EQ(chart.band.x0, f);
    }

    StartedApp s_;
    std::vector<std::array<int, 5>> draws_;
    std::vector<bool> playing_;
    std::array<int, 37> counts_{};
    int refused_ = 0;
};

TEST_F(NumberScenario, MarkAnalyzeAndPlayAll) {
    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet1"));
    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet11"));
    EXPECT_TRUE(s_.app.form("Form7").self().visible);

    for (int n : {3, 7, 12, 19, 25, 31, 36})
        toggle(n, false);
    expectSelection("seven numbers excluded");
    toggle(7, true);
    expectSelection("one of them back");
    for (int n = 1; n <= 36; ++n)
        if (n % 2 == 0 && n != 2)
            toggle(n, false);
    expectSelection("the even numbers but 2 excluded");

    s_.platform.clear();
    s_.platform.answers = {true};
    ASSERT_TRUE(s_.app.click("Form1", "Image24"));
    analyze();
    expectSelection("analyzer on");
    expectAnalyzerChart("analyzer on");
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information).size(),
              static_cast<std::size_t>(refused_));

    // Every press re-runs the analyzer on the selection the last one left.
    auto press = [&](const char* arrows, bool up) {
        ASSERT_TRUE(arrow(arrows, up));
        analyze();
        const std::string step = std::string(arrows) + ": h " + caption("StaticText166") + ", F " +
                                 caption("StaticText262") + ", t " + caption("StaticText259");
        expectSelection(step);
        expectAnalyzerChart(step);
    };
    for (int k = 0; k < 3; ++k)
        press("UpDown124", true);
    press("UpDown124", false);
    for (int k = 0; k < 6; ++k) {
        press("UpDown102", false);
        press("UpDown125", true);
    }
    EXPECT_EQ(s_.ws().filters.row(30).field(2), caption("StaticText166"));
    EXPECT_EQ(s_.ws().filters.row(30).field(3), caption("StaticText262"));

    ASSERT_TRUE(s_.app.click("Form1", "Image37"));
    EXPECT_TRUE(s_.control(box(1)).enabled);
    toggle(2, !playing_[2]);
    expectSelection("a click after the analyzer");

    ASSERT_TRUE(s_.app.click("Form1", "BitBtn199"));
    std::fill(playing_.begin() + 1, playing_.end(), true);
    expectSelection("все +");
    EXPECT_TRUE(s_.platform.errors().empty());
}

} // namespace
} // namespace vargis
