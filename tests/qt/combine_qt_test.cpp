// A combine run in the real windows, offscreen: the result table, the
// counters against a past draw and the scores chart, with a screenshot.

#include "QtTestSupport.h"
#include "app/Application.h"
#include "commands/CombineState.h"
#include "qt/ApplicationSink.h"
#include "qt/FormRenderer.h"
#include "qt/FrontEnd.h"
#include "support/DataFiles.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

TEST(QtCombine, FillsTheResultTableAndTheScoresChart) {
    qtApp();
    testing::WorkFolder folder;
    // Draw 40 as the target; filters narrow enough for the table.
    testing::setFilterField(25, 4, testing::readDraws().at(39).substr(2, 10));
    for (auto [row, p, c] : {std::tuple{1, "30", ">="},
                             {2, "6", "<="},
                             {19, "1", "="},
                             {6, "2", "="},
                             {223, "2", ">="}}) {
        testing::setFilterField(row, 3, p);
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, c);
    }
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    auto& front = rendered.front;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();

    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn17")), Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    front.syncAll();
    const auto& state = commands::combineState(app);
    ASSERT_GT(state.remaining.size(), 0u);
    auto* grid = qobject_cast<QTableWidget*>(main.widget("StringGrid3"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), static_cast<int>(state.remaining.size()));
    QTest::qWait(50);
    const auto dir = screenshotDir();
    // The numbers of the past target stand out in the table.
    bool marked = false;
    for (int r = 0; r < grid->rowCount() && !marked; ++r)
        for (int c = 1; c < grid->columnCount(); ++c)
            if (grid->item(r, c) && grid->item(r, c)->font().bold())
                marked = true;
    EXPECT_TRUE(marked);
    EXPECT_TRUE(
        main.window()->grab().save(QString::fromStdString((dir / "qt_combine.png").string())));
    EXPECT_TRUE(front.renderer("Form7")->window()->grab().save(
        QString::fromStdString((dir / "qt_combine_form7.png").string())));
}

// Rows of the second pass narrow the result: the repeats of the draw before,
// the date digits and the distance from the mean smallest number.
TEST(QtCombine, SecondPassRowsNarrowTheResult) {
    qtApp();
    testing::WorkFolder folder;
    testing::setFilterField(25, 4, testing::readDraws().at(44).substr(2, 10)); // draw 45
    for (auto [row, p, c] : {std::tuple{1, "30", ">="},
                             {2, "8", "<="},
                             {175, "0", "="},
                             {268, "4", ">="},
                             {262, "5", "<="},
                             {190, "4", ">="}}) {
        testing::setFilterField(row, 3, p);
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, c);
    }
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn17")), Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    rendered.front.syncAll();
    const auto& state = commands::combineState(rendered.app);
    EXPECT_EQ(state.stopRow, 0);
    ASSERT_GT(state.remaining.size(), 0u);
    EXPECT_LT(state.remaining.size(), static_cast<std::size_t>(state.survivorCount));
    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_combine_second_pass.png").string())));
}

} // namespace
} // namespace vargis::qt
