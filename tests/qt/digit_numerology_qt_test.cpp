// The pages "нумерология и дата" with the lunar-day overlay and "ЦИФРЫ" with
// the "+" comparison chart in the real windows, offscreen, with screenshots.

#include "QtTestSupport.h"
#include "qt/ChartView.h"
#include "support/WorkFolder.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

// The drawn line series with a white pen: the overlay.
QLineSeries* overlaySeries(ChartView* view) {
    for (QAbstractSeries* series : view->chart()->series())
        if (series->type() == QAbstractSeries::SeriesTypeLine) {
            auto* line = static_cast<QLineSeries*>(series);
            if (line->pen().color() == QColor(Qt::white))
                return line;
        }
    return nullptr;
}

TEST(QtDigitNumerology, LunarDaysOverTheNumerologyPage) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(main.widget("TabSheet7"));
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn151")), Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    // A right click on the chart opens its menu; "Вкл. Лунные дни" is chosen.
    auto* chart = qobject_cast<ChartView*>(main.widget("Chart"));
    ASSERT_NE(chart, nullptr);
    const QPoint inside(chart->width() / 2, chart->height() / 2);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inside, chart->mapToGlobal(inside));
    QApplication::sendEvent(chart->viewport(), &rightClick);
    QMenu* menu = main.menu("PopupMenu3");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QStringList captions;
    QAction* on = nullptr;
    for (QAction* action : menu->actions()) {
        captions << action->text();
        if (action->text() == QString::fromUtf8("Вкл. Лунные дни"))
            on = action;
    }
    EXPECT_EQ(captions, (QStringList{QString::fromUtf8("Вкл. Лунные дни"),
                                     QString::fromUtf8("Выкл. Лунные дни")}));
    ASSERT_NE(on, nullptr);
    on->trigger();
    menu->hide();
    rendered.front.syncAll();
    EXPECT_TRUE(on->isChecked());
    QLineSeries* overlay = overlaySeries(chart);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->count(), app.workspace().drawCount());
    EXPECT_TRUE(overlay->pointLabelsVisible());
    EXPECT_EQ(overlay->pointLabelsColor(), QColor(0x80, 0x00, 0x00));
    for (const QPointF& p : overlay->points()) {
        EXPECT_GE(p.y(), 0);
        EXPECT_LE(p.y(), 29);
    }
    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_numerology_lunar.png").string())));

    // A press of a filter button clears the overlay; the radio mark stays.
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn161")), Qt::LeftButton);
    rendered.front.syncAll();
    EXPECT_EQ(overlay->count(), 0);
    EXPECT_TRUE(app.form("Form1").at("N6").checked);
}

TEST(QtDigitNumerology, PlusChartOnTheDigitsPage) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(main.widget("TabSheet13"));
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn305")), Qt::LeftButton);
    const int matched = app.workspace().matchCount;
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn307")), Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    rendered.front.syncAll();
    EXPECT_EQ(app.workspace().matchCount, matched);
    EXPECT_EQ(app.form("Form1").at("Chart").chart.series2.points.size(),
              static_cast<std::size_t>(app.workspace().drawCount()));
    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_digits_plus.png").string())));
}

} // namespace
} // namespace vargis::qt
