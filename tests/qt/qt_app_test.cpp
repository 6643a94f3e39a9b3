// The real application in a copy of the bundled working folder, rendered
// offscreen: the main window comes up with the loaded data, a filter button
// draws its chart, and screenshots of the windows go into the build tree.

#include "QtTestSupport.h"
#include "app/Application.h"
#include "qt/ApplicationSink.h"
#include "qt/ChartView.h"
#include "qt/FormRenderer.h"
#include "qt/FrontEnd.h"
#include "support/ScriptedPlatform.h"
#include "support/WorkFolder.h"

#include <QApplication>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
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

TEST(QtApplication, MainWindowShowsTheWorkingFolderAndAnswersAFilterButton) {
    if (!std::filesystem::exists(testing::sourceDir() / "data"))
        GTEST_SKIP() << "no bundled working folder";
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    auto& front = rendered.front;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();

    QWidget* window = main.window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), app.form("Form1").self().caption);
    EXPECT_EQ(window->size(), QSize(908, 673));
    // Grown (maximised), the window keeps its controls together in its middle.
    QWidget* pages = main.widget("PageControl1");
    const ui::Control& pagesRecord = app.form("Form1").at("PageControl1");
    EXPECT_EQ(pages->mapTo(window, QPoint(0, 0)), QPoint(pagesRecord.left, pagesRecord.top));
    window->resize(1208, 873);
    QApplication::processEvents();
    EXPECT_EQ(pages->mapTo(window, QPoint(0, 0)),
              QPoint(pagesRecord.left + 150, pagesRecord.top + 100));
    window->resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(908, 673)) << "never smaller than the form";

    const ui::Control& draws = app.form("Form1").at("StringGrid1");
    auto* grid = qobject_cast<QTableWidget*>(main.widget("StringGrid1"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), draws.grid.rowCount - 1);
    ASSERT_GT(grid->rowCount(), 0);
    EXPECT_EQ(grid->item(0, 2)->text().toStdString(), draws.grid.cells.at(1).at(2));

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(main.widget("TabSheet2"))));
    EXPECT_EQ(tabs->currentWidget(), main.widget(app.form("Form1").at("PageControl1").activePage));

    tabs->setCurrentWidget(main.widget("TabSheet1"));
    auto* button = qobject_cast<QPushButton*>(main.widget("BitBtn1"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(platform.errors().empty()) << platform.errors().front();
    auto* chart = qobject_cast<ChartView*>(main.widget("Chart"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(pointsOnChart(chart), app.workspace().drawCount());
    EXPECT_TRUE(button->font().bold());

    QTest::qWait(50);
    const std::filesystem::path dir = screenshotDir();
    EXPECT_TRUE(window->grab().save(QString::fromStdString((dir / "qt_app_form1.png").string())));
    // The other windows are drawn too, shown or not, for review.
    for (const char* name : {"Form2", "Form7"}) {
        const std::string file = std::string("qt_app_") + name + ".png";
        EXPECT_TRUE(front.renderer(name)->window()->grab().save(
            QString::fromStdString((dir / file).string())));
    }
}

TEST(QtApplication, SumOfNumbersOnTheStaticPage) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    auto& front = rendered.front;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(main.widget("TabSheet1"));
    EXPECT_EQ(app.form("Form1").at("PageControl1").activePage, "TabSheet1");
    // A strict parameter, so that the line of ordinals holds red ones too.
    app.workspace().filters.row(4).field(5) = "<=";
    app.form("Form1").at("StaticText36").caption = "95";
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn11")), Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    app.timerTick("Form1", "Timer1");
    front.syncAll();
    EXPECT_GT(app.workspace().matchCount, 0);
    EXPECT_LT(app.workspace().matchCount, app.workspace().drawCount());
    auto* chart = qobject_cast<ChartView*>(main.widget("Chart"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(pointsOnChart(chart), app.workspace().drawCount());

    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_static_sum.png").string())));
}

} // namespace
} // namespace vargis::qt
