// The chart and the captions as a user sees them, offscreen: the value axis
// holds every value and the parameter line with whole ticks, the axes are
// never doubled whatever the page order, titles and captions are whole, a
// saved chart fills its bitmap, and a report the desktop cannot open is
// named with its path. Screenshots go into the build tree.

#include "QtTestSupport.h"
#include "catalogue/Catalogue.h"
#include "commands/StrategyReports.h"
#include "qt/ChartView.h"
#include "qt/QtPlatform.h"
#include "qt/ValueAxisRange.h"
#include "reports/ReportOpening.h"
#include "support/WorkFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

// ---- What the chart shows ------------------------------------------------

ChartView* chartOf(const FormRenderer& main) {
    return qobject_cast<ChartView*>(main.widget("Chart"));
}

QValueAxis* valueAxis(ChartView* view) {
    return qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
}

// The labels the chart draws left of its plot area (the value axis), top
// to bottom, and below it (the draw axis), left to right.
struct AxisLabels {
    std::vector<QString> values;
    std::vector<QString> draws;
};

AxisLabels axisLabels(ChartView* view) {
    const QRectF plot = view->chart()->plotArea();
    std::vector<std::pair<double, QString>> left;
    std::vector<std::pair<double, QString>> below;
    for (QGraphicsItem* item : view->scene()->items()) {
        auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
        if (!text || !text->isVisible() || text->toPlainText().isEmpty())
            continue;
        const QRectF r = text->sceneBoundingRect();
        if (r.right() <= plot.left() + 1 && r.center().y() > plot.top() - r.height() &&
            r.center().y() < plot.bottom() + r.height())
            left.push_back({r.center().y(), text->toPlainText()});
        else if (r.top() >= plot.bottom() - 1 && r.center().x() > plot.left() - r.width() &&
                 r.center().x() < plot.right() + r.width() &&
                 r.top() < plot.bottom() + 3 * r.height())
            below.push_back({r.center().x(), text->toPlainText()});
    }
    std::sort(left.begin(), left.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::sort(below.begin(), below.end(), [](auto& a, auto& b) { return a.first < b.first; });
    AxisLabels labels;
    for (const auto& l : left)
        labels.values.push_back(l.second);
    for (const auto& b : below)
        labels.draws.push_back(b.second);
    return labels;
}

// The chart's title item (the only text item above the plot area).
QGraphicsTextItem* titleItem(ChartView* view) {
    const QRectF plot = view->chart()->plotArea();
    for (QGraphicsItem* item : view->scene()->items()) {
        auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
        if (text && text->isVisible() && text->sceneBoundingRect().bottom() <= plot.top() &&
            !text->toPlainText().isEmpty())
            return text;
    }
    return nullptr;
}

// The value axis of the chart shown: every value of the two series and
// the band inside with room, whole ticks in order, the top tick labelled,
// the extreme points drawn whole inside the plot area.
void expectValueAxisHoldsEverything(ChartView* view, const ui::Chart& model,
                                    const std::string& what) {
    SCOPED_TRACE(what);
    QValueAxis* axis = valueAxis(view);
    ASSERT_NE(axis, nullptr);
    double low = model.band.y1;
    double high = model.band.y0;
    for (const ui::Series* s : {&model.series1, &model.series2})
        for (const ui::Point& p : s->points) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
    const double span = axis->max() - axis->min();
    EXPECT_GT(axis->max() - high, 0.02 * span) << "no room above the largest value " << high;
    EXPECT_GT(low - axis->min(), 0.02 * span) << "no room below the smallest value " << low;
    EXPECT_EQ(axis->tickType(), QValueAxis::TicksDynamic);
    EXPECT_EQ(axis->tickInterval(), std::round(axis->tickInterval()));
    EXPECT_GE(axis->tickInterval(), 1);
    EXPECT_EQ(axis->tickAnchor(), std::round(axis->tickAnchor()));

    // Labels read top to bottom in falling whole numbers, one per tick, the
    // top one included.
    QTest::qWait(20);
    const AxisLabels labels = axisLabels(view);
    ASSERT_GE(labels.values.size(), 2u);
    std::vector<long> numbers;
    for (const QString& text : labels.values) {
        bool ok = false;
        numbers.push_back(text.toLong(&ok));
        EXPECT_TRUE(ok) << text.toStdString();
    }
    for (std::size_t i = 1; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i - 1] - numbers[i], static_cast<long>(axis->tickInterval()))
            << "labels out of order at " << i;
    EXPECT_EQ(numbers.front(), std::lround(axis->max())) << "the top tick is not labelled";
    EXPECT_GE(static_cast<double>(numbers.front()), high);

    // The points at the top and the bottom and the parameter line lie whole
    // in the plot area, under the title.
    const QRectF plot = view->chart()->plotArea();
    QAbstractSeries* points = nullptr;
    for (QAbstractSeries* s : view->chart()->series())
        if (s->type() == QAbstractSeries::SeriesTypeScatter)
            points = s;
    ASSERT_NE(points, nullptr);
    const double radius = static_cast<QScatterSeries*>(points)->markerSize() / 2;
    for (const ui::Point& p : model.series1.points) {
        const QPointF at = view->chart()->mapToPosition(QPointF(p.x, p.y), points);
        EXPECT_GE(at.y() - radius, plot.top() - 0.5) << "point " << p.x << " cut at the top";
        EXPECT_LE(at.y() + radius, plot.bottom() + 0.5) << "point " << p.x << " cut at the bottom";
        EXPECT_GE(at.x() - radius, plot.left() - 0.5) << "point " << p.x << " cut at the left";
    }
    // The title whole, never cut short.
    std::string wholeTitle;
    for (const std::string& line : model.title)
        wholeTitle += (wholeTitle.empty() ? "" : "\n") + line;
    if (!wholeTitle.empty()) {
        QGraphicsTextItem* title = titleItem(view);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->toPlainText().toStdString(), wholeTitle);
    }
    if (QGraphicsTextItem* title = titleItem(view)) {
        for (const ui::Point& p : model.series2.points)
            EXPECT_GT(view->chart()->mapToPosition(QPointF(p.x, p.y), points).y(),
                      title->sceneBoundingRect().bottom());
    }
}

void selectPage(FormRenderer& main, const std::string& sheet) {
    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(main.widget(sheet));
    QTest::qWait(10);
}

void press(FormRenderer& main, std::string_view button) {
    auto* widget = qobject_cast<QPushButton*>(main.widget(std::string(button)));
    ASSERT_NE(widget, nullptr) << button;
    QTest::mouseClick(widget, Qt::LeftButton);
}

std::vector<const catalogue::PageInfo*> visiblePages(app::Application& app) {
    std::vector<const catalogue::PageInfo*> pages;
    for (const auto& page : catalogue::filterPages())
        if (app.form("Form1").at(std::string(page.tabSheet)).tabVisible)
            pages.push_back(&page);
    return pages;
}

TEST(ValueAxisRange, HoldsTheValuesWithRoomAndEndsOnATick) {
    struct Case {
        double low, high;
    };
    for (const Case c : {Case{0, 1},
                         {0, 36},
                         {0, 40},
                         {0, 175},
                         {3, 29},
                         {-2, 7},
                         {0, 0},
                         {0, 2480},
                         {17, 17},
                         {0, 599}}) {
        SCOPED_TRACE(std::to_string(c.low) + ".." + std::to_string(c.high));
        const ValueAxisRange r = valueAxisRange(c.low, c.high);
        EXPECT_GE(r.step, 1);
        EXPECT_EQ(r.step, std::round(r.step));
        EXPECT_EQ(r.anchor, std::round(r.anchor));
        EXPECT_LE(r.anchor, c.low);
        EXPECT_LE(r.min, r.anchor);
        const double span = r.max - r.min;
        EXPECT_GT(r.max - c.high, 0.03 * span);
        EXPECT_GT(c.low - r.min, 0.03 * span);
        // The top edge is a tick; a handful of ticks, never dozens.
        const double ticks = (r.max - r.anchor) / r.step;
        EXPECT_EQ(ticks, std::round(ticks));
        EXPECT_GE(ticks, 1);
        EXPECT_LE(ticks, 7);
    }
    // Nothing to show still gives a sound axis.
    const ValueAxisRange empty = valueAxisRange(NAN, 1);
    EXPECT_LT(empty.min, empty.max);
}

TEST(ChartFit, ValueAxisHoldsTheValuesAndAParameterAboveThemAll) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    ChartView* view = chartOf(main);
    ASSERT_NE(view, nullptr);
    const ui::Chart& model = app.form("Form1").at("Chart").chart;
    selectPage(main, "TabSheet1");

    // Rows of the static page: largest number, sum, count of even numbers,
    // each first with its parameter, then with one above every value.
    for (int row : {4, 6, 1}) {
        const auto& rc = catalogue::rowControls(row);
        press(main, rc.button);
        ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
        expectValueAxisHoldsEverything(view, model, std::string(rc.button) + " as it is");

        double most = 0;
        for (const ui::Point& p : model.series1.points)
            most = std::max(most, p.y);
        app.form("Form1").at(std::string(rc.paramLabel)).caption =
            std::to_string(static_cast<int>(most) + 9);
        press(main, rc.button);
        ASSERT_EQ(model.series2.points.front().y, most + 9);
        expectValueAxisHoldsEverything(view, model, std::string(rc.button) + " above all");
    }
    // The last one is "макс" with its parameter above every value.
    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_chart_max_above.png").string())));

    // Scores of a combine run reach the thousands; the labels stay in order.
    ui::Chart& chart = app.form("Form1").at("Chart").chart;
    chart.series2.points.clear();
    chart.series1.points.clear();
    for (int d = 1; d <= 50; ++d)
        chart.series1.points.push_back({double(d), double((d * 977) % 2483)});
    chart.band.y0 = 1;
    rendered.front.syncAll();
    expectValueAxisHoldsEverything(view, model, "scores");
}

TEST(ChartFit, AxesStayOneOfEachWhateverThePageOrder) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ChartView* view = chartOf(main);
    ASSERT_NE(view, nullptr);

    auto expectOneOfEach = [&](const std::string& when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(view->chart()->axes(Qt::Horizontal).size(), 1);
        EXPECT_EQ(view->chart()->axes(Qt::Vertical).size(), 1);
        QTest::qWait(20);
        // One label per tick: no number appears twice on either axis.
        const AxisLabels labels = axisLabels(view);
        for (const auto* list : {&labels.values, &labels.draws}) {
            std::vector<QString> sorted = *list;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end())
                << "a label drawn twice";
        }
    };

    // "ЦИФРЫ" straight from the start page, its screenshot, then every page
    // with its first button pressed, and back.
    selectPage(main, "TabSheet13");
    expectOneOfEach("ЦИФРЫ first");
    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_chart_digits_first.png").string())));
    for (const auto* page : visiblePages(app)) {
        selectPage(main, std::string(page->tabSheet));
        expectOneOfEach(std::string(page->tabCaption));
        const auto& rc = catalogue::rowControls(page->firstRow);
        if (!rc.button.empty()) {
            press(main, rc.button);
            expectOneOfEach(std::string(page->tabCaption) + " pressed");
        }
    }
    selectPage(main, "TabSheet11");
    selectPage(main, "TabSheet13");
    expectOneOfEach("ЦИФРЫ again");
    EXPECT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
}

// The width the button's style leaves for its caption.
int captionRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

TEST(ChartFit, CaptionsAndTitlesAreWholeOnEveryPage) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ui::Form& form = app.form("Form1");
    ChartView* view = chartOf(main);
    ASSERT_NE(view, nullptr);

    // Every visible tab's caption whole, all tabs in the bar at once.
    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    QTabBar* bar = tabs->tabBar();
    int visibleTabs = 0;
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        ++visibleTabs;
        const QRect r = bar->tabRect(i);
        EXPECT_GE(r.left(), 0) << bar->tabText(i).toStdString();
        EXPECT_LE(r.right(), bar->width()) << bar->tabText(i).toStdString();
        EXPECT_LE(QFontMetrics(bar->font()).horizontalAdvance(bar->tabText(i)), r.width() - 4)
            << bar->tabText(i).toStdString();
    }
    EXPECT_EQ(visibleTabs, static_cast<int>(visiblePages(app).size()) + 1);

    // The controls on the chart, in the chart's coordinates.
    auto coversOfChart = [&] {
        std::vector<std::pair<std::string, QRect>> covers;
        for (QObject* child : view->parentWidget()->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (w && w != view && w->isVisible() && w->geometry().intersects(view->geometry()))
                covers.push_back(
                    {w->objectName().toStdString(), w->geometry().translated(-view->pos())});
        }
        return covers;
    };

    // The title is whole, below the controls on the chart; so is the footer.
    const ui::Chart& model = form.at("Chart").chart;
    auto expectTitleAndFooterWhole = [&] {
        QTest::qWait(20);
        std::string whole;
        for (const std::string& line : model.title)
            whole += (whole.empty() ? "" : "\n") + line;
        if (!whole.empty()) {
            QGraphicsTextItem* title = titleItem(view);
            ASSERT_NE(title, nullptr);
            EXPECT_EQ(title->toPlainText().toStdString(), whole);
            const QRect titleRect = view->mapFromScene(title->sceneBoundingRect()).boundingRect();
            EXPECT_TRUE(view->rect().contains(titleRect));
            for (const auto& [name, r] : coversOfChart())
                EXPECT_FALSE(r.intersects(titleRect)) << name << " covers the title";
        }
        QLabel* footer = view->footerLabel();
        if (!footer->text().isEmpty()) {
            // On one line, or wrapped onto lines that all show.
            if (footer->wordWrap())
                EXPECT_LE(footer->heightForWidth(footer->width()), footer->height());
            else
                EXPECT_LE(QFontMetrics(footer->font()).horizontalAdvance(footer->text()),
                          footer->width());
            for (const auto& [name, r] : coversOfChart())
                EXPECT_FALSE(r.intersects(footer->geometry())) << name << " covers the footer";
        }
    };
    {
        SCOPED_TRACE("the number page");
        selectPage(main, "TabSheet13");
        selectPage(main, "TabSheet11");
        expectTitleAndFooterWhole();
    }

    for (const auto* page : visiblePages(app)) {
        const std::string sheet(page->tabSheet);
        selectPage(main, sheet);
        SCOPED_TRACE(sheet);
        // Every filter button's caption fits, plain and bold (the filter shown).
        for (bool bold : {false, true}) {
            for (int row = page->firstRow; row <= page->lastRow; ++row) {
                const auto& rc = catalogue::rowControls(row);
                if (!rc.button.empty())
                    form.at(std::string(rc.button)).bold = bold;
            }
            rendered.front.syncAll();
            for (int row = page->firstRow; row <= page->lastRow; ++row) {
                const auto& rc = catalogue::rowControls(row);
                auto* button = qobject_cast<QPushButton*>(main.widget(std::string(rc.button)));
                if (!button || button->isHidden())
                    continue;
                EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                          captionRoom(button))
                    << rc.button << " \"" << button->text().toStdString() << "\" bold " << bold;
            }
        }
        for (int row = page->firstRow; row <= page->lastRow; ++row)
            if (const auto& rc = catalogue::rowControls(row); !rc.button.empty())
                form.at(std::string(rc.button)).bold = false;
        rendered.front.syncAll();

        expectTitleAndFooterWhole();
    }
}

// Share of the image's pixels that are pure white.
double whiteShare(const QImage& image) {
    long white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            white += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
    return static_cast<double>(white) / (image.width() * image.height());
}

bool hasDarkPixelIn(const QImage& image, QRect area) {
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 90)
                return true;
    return false;
}

bool hasColour(const QImage& image, const std::function<bool(QColor)>& is) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (is(image.pixelColor(x, y)))
                return true;
    return false;
}

// Also run with a screen scale factor of 2 (see CMakeLists.txt).
TEST(ChartFit, SavedChartFillsItsBitmapAtTheChartsSize) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ChartView* view = chartOf(main);
    ASSERT_NE(view, nullptr);
    selectPage(main, "TabSheet1");
    press(main, catalogue::rowControls(4).button);
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();

    QtPlatform platform;
    platform.setFrontEnd(&rendered.front);
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    const std::string name =
        std::string("qt_saved_chart") + (scale ? std::string("_x") + scale : "") + ".bmp";
    const std::string path = (screenshotDir() / name).string();
    platform.saveChartBitmap(app.form("Form1").at("Chart").chart, path);
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(path), "BMP"));
    EXPECT_EQ(image.size(), view->size());
    EXPECT_LT(whiteShare(image), 0.6) << "the chart does not fill its bitmap";
    // The title at the top, the footer at the bottom, the curve and the
    // parameter line, across the whole width.
    const int h = image.height();
    const int w = image.width();
    EXPECT_TRUE(hasDarkPixelIn(image, QRect(0, 0, w, h / 8))) << "no title";
    EXPECT_TRUE(hasDarkPixelIn(image, QRect(0, h - h / 12, w, h / 12))) << "no footer";
    EXPECT_TRUE(hasDarkPixelIn(image, QRect(0, h / 4, w / 10, h / 2))) << "no value axis";
    EXPECT_TRUE(hasColour(image, [](QColor c) {
        return c.blue() > 200 && c.red() < 80 && c.green() < 80;
    })) << "no value curve";
    EXPECT_TRUE(hasColour(image, [](QColor c) {
        return c.red() > 200 && c.green() < 60 && c.blue() < 60;
    })) << "no parameter line";
    // The plot reaches the right half and the lower half of the bitmap.
    EXPECT_TRUE(hasColour(image.copy(w / 2, h / 2, w / 2, h / 2),
                          [](QColor c) { return c.blue() > 200 && c.red() < 80; }));
    EXPECT_TRUE(image.save(QString::fromStdString(
        (screenshotDir() / (name.substr(0, name.size() - 4) + ".png")).string())));
}

// Closes every message box that comes up and keeps its text.
struct MessageBoxWatcher {
    std::vector<std::string> texts;
    QTimer timer;
    MessageBoxWatcher() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts.push_back(box->text().toStdString());
            box->accept();
        });
        timer.start();
    }
};

TEST(ChartFit, AReportTheDesktopCannotOpenIsNamedWithItsPath) {
    qtApp();
    testing::WorkFolder folder;
    // A desktop without any program to open files with.
    const std::filesystem::path empty = std::filesystem::current_path() / "no-programs";
    std::filesystem::create_directories(empty);
    struct RestorePath {
        std::string old = std::getenv("PATH") ? std::getenv("PATH") : "";
        ~RestorePath() { setenv("PATH", old.c_str(), 1); }
    } restore;
    setenv("PATH", empty.c_str(), 1);
    unsetenv("BROWSER");
    unsetenv("DEFAULT_BROWSER");

    QtPlatform platform;
    app::Application app(platform);
    ApplicationSink sink(app);
    FrontEnd front(sink);
    platform.setFrontEnd(&front);
    MessageBoxWatcher boxes;
    app.start();
    FormRenderer& main = front.addForm(app.form("Form1"), true);
    boxes.texts.clear();

    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn249")), Qt::LeftButton);
    const std::string full = (std::filesystem::current_path() / "graphics.html").string();
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "Выбранные графики подготовлены для печати");
    EXPECT_NE(boxes.texts[1].find("graphics.html"), std::string::npos);
    EXPECT_NE(boxes.texts[1].find(full), std::string::npos) << boxes.texts[1];
    EXPECT_TRUE(std::filesystem::exists(full));

    // The help document is named with its path as well.
    boxes.texts.clear();
    app.click("Form1", "N15");
    front.syncAll();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("help/vargis_help.htm"), std::string::npos) << boxes.texts[0];

    // The desktop's opener tool answers for itself: one that finds no
    // program fails the open, one that opens the file passes it.
    const std::filesystem::path opener = empty / "xdg-open";
    const std::filesystem::path asked = std::filesystem::current_path() / "asked.txt";
    auto writeOpener = [&](int exitCode) {
        std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > '" << asked.string() << "'\nexit "
                              << exitCode << "\n";
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    };
    writeOpener(3);
    boxes.texts.clear();
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn249")), Qt::LeftButton);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_NE(boxes.texts[1].find(full), std::string::npos) << boxes.texts[1];
    writeOpener(0);
    boxes.texts.clear();
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn249")), Qt::LeftButton);
    EXPECT_EQ(boxes.texts.size(), 1u) << "an opened report needs no word";
    std::string argument;
    std::getline(std::ifstream(asked), argument);
    EXPECT_EQ(argument, full);
}

// ---- The back-test report's chart ------------------------------------------

// The labels under the back-test chart, measured in the faces a browser may
// draw them with: none leaves the chart and none runs into its neighbour,
// for a few targets and for thousands, by date and by ordinal. The charts
// are written into the screenshot folder.
TEST(ChartFit, BacktestChartLabelsStayApartAndInside) {
    qtApp();
    std::vector<QFontMetrics> faces;
    for (const char* family : {"DejaVu Sans", "Liberation Sans", "sans-serif"}) {
        QFont font(QString::fromLatin1(family));
        font.setPixelSize(11);
        faces.emplace_back(font);
    }
    const QRegularExpression label(QStringLiteral(
        R"re(<text x="(-?\d+)" y="\d+" font-size="11" text-anchor="(\w+)">([^<]*)</text>)re"));
    for (const std::size_t count : {1u, 2u, 9u, 36u, 41u, 400u, 2911u}) {
        for (const bool byDate : {true, false}) {
            engine::BacktestResult result;
            for (std::size_t i = 0; i < count; ++i) {
                engine::BacktestTarget t;
                t.ordinal = static_cast<int>(15 + i);
                const int day = static_cast<int>(i % 28) + 1,
                          month = static_cast<int>(i / 28 % 12) + 1;
                t.date = (day < 10 ? "0" : "") + std::to_string(day) + (month < 10 ? ".0" : ".") +
                         std::to_string(month) + "." + std::to_string(2000 + i / 336);
                t.remaining = static_cast<std::int32_t>(1000 + (i * 7919) % 5000);
                result.targets.push_back(t);
            }
            const auto svg = commands::remainingChartSvg(result, byDate);
            const QString context =
                QStringLiteral("%1 targets by %2")
                    .arg(count)
                    .arg(byDate ? QStringLiteral("date") : QStringLiteral("ordinal"));
            double lastRight = -1;
            int bottomLabels = 0;
            for (const auto& line : svg) {
                const auto m = label.match(QString::fromStdString(line));
                if (!m.hasMatch() || m.captured(2) != QStringLiteral("middle"))
                    continue; // the value axis's labels stand left of the plot
                ++bottomLabels;
                const double x = m.captured(1).toDouble();
                double width = 0;
                for (const auto& face : faces)
                    width = std::max<double>(width, face.horizontalAdvance(m.captured(3)));
                EXPECT_GE(x - width / 2, 0) << context.toStdString() << " " << line;
                EXPECT_LE(x + width / 2, 640) << context.toStdString() << " " << line;
                EXPECT_GT(x - width / 2, lastRight) << context.toStdString() << " " << line;
                lastRight = x + width / 2;
            }
            const engine::BacktestTarget& last = result.targets.back();
            const std::string lastText = byDate ? last.date : std::to_string(last.ordinal);
            const auto closing = std::find_if(svg.rbegin(), svg.rend(), [](const std::string& l) {
                return l.rfind("<text", 0) == 0;
            });
            ASSERT_NE(closing, svg.rend());
            EXPECT_NE(closing->find(">" + lastText + "<"), std::string::npos) << *closing;
            EXPECT_GE(bottomLabels, count > 1 ? 2 : 1) << context.toStdString();
            std::ofstream out(screenshotDir() / ("backtest_chart_" + std::to_string(count) +
                                                 (byDate ? "_dates" : "_ordinals") + ".svg"));
            for (const auto& line : svg)
                out << line << "\n";
        }
    }
}

} // namespace
} // namespace vargis::qt
