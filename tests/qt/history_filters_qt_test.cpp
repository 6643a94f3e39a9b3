// The repeat page and a ranked-position page in the real windows, offscreen:
// a press on "повторы" and the page a stopped combine opens, with screenshots.

#include "QtTestSupport.h"
#include "app/Application.h"
#include "commands/CombineState.h"
#include "qt/ChartView.h"
#include "qt/FormRenderer.h"
#include "qt/FrontEnd.h"
#include "support/DataFiles.h"

#include <QApplication>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

int pointsOnChart(ChartView* view) {
    int most = 0;
    for (QAbstractSeries* series : view->chart()->series())
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            most = std::max(most, static_cast<int>(static_cast<QLineSeries*>(series)->count()));
    return most;
}

TEST(QtHistoryFilters, RepeatPageAfterAPress) {
    qtApp();
    testing::WorkFolder folder;
    // "из N= (N-1,и-2)" = 1: some draws meet it, some do not.
    testing::setFilterField(179, 3, "1");
    testing::setFilterField(179, 5, "=");
    qttest::RenderedApp rendered;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(main.widget("TabSheet8"));
    EXPECT_EQ(app.form("Form1").at("PageControl1").activePage, "TabSheet8");
    auto* button = qobject_cast<QPushButton*>(main.widget("BitBtn179"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    rendered.front.syncAll();
    const auto& ws = app.workspace();
    EXPECT_GT(ws.matchCount, 0);
    EXPECT_LT(ws.matchCount, ws.drawCount() - 2);
    // Draws 1 and 2 have no two earlier draws and are not drawn.
    auto* chart = qobject_cast<ChartView*>(main.widget("Chart"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(pointsOnChart(chart), ws.drawCount() - 2);
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(app.form("Form1").at("StaticText4").caption, "Фильтр:повтор из N= (N-1,и-2)=1");

    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_repeats.png").string())));
}

TEST(QtHistoryFilters, FirstRankedPageOpenedByAStoppedCombine) {
    qtApp();
    testing::WorkFolder folder;
    // The smallest number cannot equal both number 1 and number 2 of the draw
    // before the forecast: the second of these links leaves nothing.
    for (int row : {32, 33}) {
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, "=");
    }
    qttest::RenderedApp rendered;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();

    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn17")), Qt::LeftButton);
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    rendered.front.syncAll();
    const int stopRow = commands::combineState(app).stopRow;
    EXPECT_TRUE(stopRow == 32 || stopRow == 33) << stopRow;
    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(app.form("Form1").at("PageControl1").activePage, "TabSheet2");
    EXPECT_EQ(tabs->currentWidget(), main.widget("TabSheet2"));
    // The page's button computed its link over the history.
    const auto& ws = app.workspace();
    EXPECT_EQ(ws.currentFilterRow, stopRow);
    ASSERT_EQ(static_cast<int>(ws.filterValues.size()), ws.drawCount());
    EXPECT_EQ(ws.filterValues.front(), 2);
    auto* chart = qobject_cast<ChartView*>(main.widget("Chart"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(pointsOnChart(chart), ws.drawCount() - 1);
    EXPECT_EQ(app.form("Form1").at("Chart").chart.title,
              (std::vector<std::string>{"Обрабатывается 1-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража"}));
    // The page is shown, its tab stays hidden.
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(main.widget("TabSheet2"))));

    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_ranked_stopped.png").string())));
}

} // namespace
} // namespace vargis::qt
