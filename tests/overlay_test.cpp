// The overlay of the enabled filters over the line of draw ordinals: which
// ordinals end yellow, red or hidden, from the marks each enabled row left.

#include "context/Workspace.h"
#include "filters/Evaluation.h"
#include "filters/Overlay.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace vargis::filters {
namespace {

using testing::StartedApp;

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        ASSERT_TRUE(s_.platform.errors().empty());
        // Every row off and without marks, so each case names its own rows.
        for (int r = 1; r <= context::kFilterRows; ++r) {
            s_.ws().filters.row(r).field(4) = "False";
            s_.ws().failMarks.clearRow(r);
        }
        line_ = edit().caption;
    }

    ui::Control& edit() { return s_.control("RichEdit1"); }

    void enable(int row, std::initializer_list<int> failed) {
        s_.ws().filters.row(row).field(4) = "True";
        for (int j : failed)
            s_.ws().failMarks.at(row, j) = "0";
    }

    void overlay() { ASSERT_TRUE(s_.app.click("Form1", kOverlayButton)); }

    // Character index of ordinal j in the line of ordinals.
    int at(int ordinal) const {
        const auto pos = (" " + line_ + " ").find(" " + std::to_string(ordinal) + " ");
        return static_cast<int>(pos);
    }

    // The colour a character is shown in: the last range over it wins.
    ui::Color colourAt(int index) {
        ui::Color colour = edit().textColor;
        for (const auto& r : edit().colorRanges)
            if (index >= r.start && index < r.start + r.length)
                colour = r.color;
        return colour;
    }
    ui::Color colourOf(int ordinal) { return colourAt(at(ordinal)); }

    // Ordinals that some red range starts at, hidden or not.
    std::set<int> redOrdinals() {
        std::set<int> red;
        for (const auto& r : edit().colorRanges)
            if (r.color == ui::colors::Red)
                for (int j = 1; j <= 50; ++j)
                    if (at(j) == r.start)
                        red.insert(j);
        return red;
    }

    // The ordinals that end hidden in the line's navy background.
    std::set<int> hidden() {
        std::set<int> out;
        for (int j = 1; j <= 50; ++j)
            if (colourOf(j) == ui::colors::Navy)
                out.insert(j);
        return out;
    }

    StartedApp s_;
    std::string line_;
};

TEST_F(OverlayTest, NoEnabledRowLeavesEveryOrdinalYellow) {
    // A disabled row's marks are ignored.
    s_.ws().failMarks.at(1, 20) = "0";
    overlay();
    EXPECT_EQ(s_.control("StaticText168").caption, "Наложение");
    EXPECT_EQ(edit().caption, line_) << "the text is not rewritten";
    for (int j = 1; j <= 50; ++j)
        EXPECT_EQ(colourOf(j), ui::colors::Yellow) << j;
    EXPECT_TRUE(redOrdinals().empty());
    EXPECT_TRUE(hidden().empty());
}

TEST_F(OverlayTest, TenDrawsBackHidesTheFirstTenAndShowsItsFailure) {
    enable(192, {12});
    overlay();
    EXPECT_EQ(colourOf(12), ui::colors::Red);
    EXPECT_EQ(colourOf(11), ui::colors::Yellow);
    std::set<int> firstTen;
    for (int j = 1; j <= 10; ++j)
        firstTen.insert(j);
    EXPECT_EQ(hidden(), firstTen);
    // Two characters an ordinal from 9 on, plus the space after "10".
    EXPECT_EQ(colourAt(at(10) + 2), ui::colors::Navy);
    EXPECT_EQ(colourAt(at(11)), ui::colors::Yellow);
}

TEST_F(OverlayTest, TheCountFollowsTheEnabledRowsInOrder) {
    // Row 176 looks two draws back, row 190 eight.
    enable(176, {2, 3, 30});
    enable(190, {8, 9, 40});
    overlay();
    EXPECT_EQ(redOrdinals(), (std::set<int>{3, 9, 30, 40}));
    EXPECT_EQ(hidden(), (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(colourOf(9), ui::colors::Red);
}

TEST_F(OverlayTest, ALaterRowSetsTheCountBack) {
    enable(190, {8, 9});
    enable(200, {1, 2});
    overlay();
    EXPECT_EQ(redOrdinals(), (std::set<int>{2, 9}));
    EXPECT_EQ(hidden(), (std::set<int>{1}));
    EXPECT_EQ(colourOf(2), ui::colors::Red);
    EXPECT_EQ(colourOf(8), ui::colors::Yellow);
}

TEST_F(OverlayTest, AnUnlistedRowKeepsTheCountOfTheRowBefore) {
    enable(190, {});
    enable(261, {8, 9, 50});
    overlay();
    EXPECT_EQ(redOrdinals(), (std::set<int>{9, 50}));
    EXPECT_EQ(hidden(), (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(OverlayTest, EnabledRowsWithoutMarksColourNothing) {
    enable(1, {});
    enable(286, {});
    overlay();
    EXPECT_TRUE(redOrdinals().empty());
    EXPECT_TRUE(hidden().empty());
}

TEST_F(OverlayTest, RepeatedPressesGiveTheSameLine) {
    enable(192, {12, 33});
    overlay();
    const auto first = edit().colorRanges.size();
    overlay();
    EXPECT_EQ(edit().colorRanges.size(), first);
    EXPECT_EQ(redOrdinals(), (std::set<int>{12, 33}));
}

TEST(OverlaySkipCount, RowsOutsideTheTableLeaveTheCount) {
    EXPECT_EQ(overlaySkipCount(175), 1);
    EXPECT_EQ(overlaySkipCount(51), 2);
    EXPECT_EQ(overlaySkipCount(185), 3);
    EXPECT_EQ(overlaySkipCount(193), 4);
    EXPECT_EQ(overlaySkipCount(192), 10);
    EXPECT_EQ(overlaySkipCount(222), 1);
    for (int row : {1, 31, 55, 79, 151, 174, 199, 223, 261, 287})
        EXPECT_FALSE(overlaySkipCount(row).has_value()) << row;
}

// The marks an evaluation leaves are what the overlay shows.
TEST(OverlayAfterEvaluation, ShowsTheDrawsTheEvaluatedFilterFailed) {
    StartedApp s;
    testing::setFilterField(1, 3, "30");
    testing::setFilterField(1, 4, "True");
    testing::setFilterField(1, 5, ">=");
    s.start();
    ASSERT_TRUE(s.platform.errors().empty());
    for (int r = 2; r <= context::kFilterRows; ++r)
        s.ws().filters.row(r).field(4) = "False";
    ASSERT_TRUE(s.app.click("Form1", s.ws().filters.row(1).buttonName()));
    std::set<int> failed;
    for (int j = 1; j <= s.ws().drawCount(); ++j) {
        int largest = 0;
        for (int k = 1; k <= 5; ++k)
            largest = std::max(largest, s.ws().history.drawnNumber(j, k));
        if (largest < 30)
            failed.insert(j);
    }
    ASSERT_FALSE(failed.empty());
    ASSERT_TRUE(s.app.click("Form1", kOverlayButton));
    std::set<int> red;
    const std::string line = s.control("RichEdit1").caption;
    for (const auto& r : s.control("RichEdit1").colorRanges)
        if (r.color == ui::colors::Red)
            for (int j = 1; j <= 50; ++j)
                if (static_cast<int>(line.find(std::to_string(j))) == r.start)
                    red.insert(j);
    EXPECT_EQ(red, failed);
}

} // namespace
} // namespace vargis::filters
