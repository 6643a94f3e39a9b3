// Offscreen checks of the Qt front end on a small hand-built form: what the
// widgets show, which actions they report by control name, and that the
// model's answer is shown afterwards. Screenshots go into the build tree.

#include "QtTestSupport.h"
#include "base/Errors.h"
#include "qt/ActionSink.h"
#include "qt/ChartView.h"
#include "qt/FormRenderer.h"
#include "qt/FrontEnd.h"
#include "qt/QtPlatform.h"
#include "qt/UpDownWidget.h"
#include "ui/Form.h"

#include <QAction>
#include <QApplication>
#include <QAreaSeries>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

// Records every action as one line and lets a test answer it by changing
// the model, as the application's handlers would.
class RecordingSink final : public ActionSink {
public:
    std::vector<std::string> log;
    std::function<void(const std::string&)> onAction;
    int depth = 0;
    int deepest = 0;
    std::uint64_t rev = 0;

    bool click(const std::string& f, const std::string& c) override {
        return note(f + " click " + c);
    }
    bool toggleCheckBox(const std::string&, const std::string& c, bool on) override {
        return note("toggle " + c + (on ? " on" : " off"));
    }
    bool upDownClick(const std::string&, const std::string& c, bool up) override {
        return note("updown " + c + (up ? " up" : " down"));
    }
    bool selectPage(const std::string&, const std::string& pc, const std::string& sheet) override {
        return note("page " + pc + " " + sheet);
    }
    bool openPopup(const std::string&, const std::string& menu, const std::string& c) override {
        return note("popup " + menu + " " + c);
    }
    bool chooseMenuItem(const std::string&, const std::string& item) override {
        return note("choose " + item);
    }
    bool editCell(const std::string&, const std::string& g, int col, int row,
                  const std::string& text) override {
        return note("edit " + g + " " + std::to_string(col) + " " + std::to_string(row) + " " +
                    text);
    }
    bool selectCell(const std::string&, const std::string& g, int col, int row) override {
        return note("select " + g + " " + std::to_string(col) + " " + std::to_string(row));
    }
    bool calendarClick(const std::string&, const std::string& c, const std::string& date) override {
        return note("calendar " + c + " " + date);
    }
    bool timerTick(const std::string&, const std::string& t) override { return note("tick " + t); }
    bool focusLost(const std::string&, const std::string& c) override { return note("exit " + c); }
    bool mouseDown(const std::string&, const std::string& c) override { return note("down " + c); }
    bool systemCommand(int command) override {
        return note("syscommand " + std::to_string(command));
    }
    bool activate() override { return note("activate"); }
    bool closeMainWindow() override { return note("close"); }
    void formClosed(const std::string& f) override { note("closed " + f); }
    std::uint64_t revision() const override { return rev; }

    bool has(const std::string& line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }

private:
    bool note(const std::string& line) {
        ++depth;
        deepest = std::max(deepest, depth);
        log.push_back(line);
        if (onAction)
            onAction(line);
        ++rev;
        --depth;
        return true;
    }
};

using ui::place;

// A form with one control of most kinds, laid out like the main window's.
void buildForm(ui::Form& f) {
    using K = ui::ControlKind;
    ui::Control& self = f.self();
    self.caption = "  Проба";
    self.width = 760;
    self.height = 520;
    self.visible = true;
    self.popupMenu = "PopupMenu4";

    ui::Control& button = place(f, "BitBtn1", K::BitBtn, "Form9", 8, 8, 110, 24);
    button.caption = "Сумма <=";
    button.hint = "Сумма чисел тиража";
    button.popupMenu = "PopupMenu1";
    button.bold = true;
    button.fontColor = ui::colors::Maroon;
    place(f, "CheckBox1", K::CheckBox, "Form9", 124, 12, 60, 17).checked = true;
    place(f, "StaticText33", K::StaticText, "Form9", 190, 12, 24, 16).caption = "75";
    ui::Control& arrows = place(f, "UpDown1", K::UpDown, "Form9", 216, 8, 16, 24);
    arrows.associate = "StaticText33";
    arrows.position = 75;
    place(f, "Label2", K::Label, "Form9", 250, 12, 70, 16).caption = "сохранить";
    place(f, "Image1", K::Image, "Form9", 330, 8, 24, 24).hint = "СОХРАНИТЬ Базу фильтров";

    ui::Control& pages = place(f, "PageControl1", K::PageControl, "Form9", 8, 40, 360, 200);
    pages.pages = {"TabSheet1", "TabSheet2", "TabSheet3"};
    pages.activePage = "TabSheet1";
    f.add("TabSheet1", K::TabSheet, "PageControl1").caption = "статические";
    f.add("TabSheet2", K::TabSheet, "PageControl1").caption = "повторы";
    ui::Control& hiddenSheet = f.add("TabSheet3", K::TabSheet, "PageControl1");
    hiddenSheet.caption = "1я поз ранж.";
    hiddenSheet.tabVisible = false;
    place(f, "BitBtn2", K::BitBtn, "TabSheet1", 8, 8, 100, 24).caption = "Чётные =";
    place(f, "BitBtn3", K::BitBtn, "TabSheet2", 8, 8, 100, 24).caption = "Повтор >=";

    ui::Control& group = place(f, "GroupBox1", K::GroupBox, "Form9", 380, 40, 370, 60);
    group.caption = "  Результат работы фильтра  ";
    place(f, "StaticText4", K::StaticText, "GroupBox1", 8, 20, 200, 16).caption =
        " Фильтр: Не выбран";

    ui::Control& grid = place(f, "StringGrid1", K::StringGrid, "Form9", 380, 110, 250, 120);
    grid.grid.colCount = 4;
    grid.grid.rowCount = 4;
    grid.grid.colWidths = {40, 0, 70, 56};
    grid.grid.cells = {{"N п/п", "", "Дата", "1-е"},
                       {"1", "8", "05.12.2009", "3"},
                       {"2", "8", "12.12.2009", "17"},
                       {"3", "8", "19.12.2009", "25"}};
    grid.grid.editable = true;
    grid.grid.highlightRow = 2;

    ui::Control& chart = place(f, "Chart1", K::Chart, "Form9", 8, 250, 480, 230);
    for (int i = 1; i <= 4; ++i) {
        chart.chart.series1.points.push_back({double(i), double(10 * i)});
        chart.chart.series2.points.push_back({double(i), 25});
    }
    chart.chart.band = {3, 40, 5, 0};
    chart.chart.axisMin = 1;
    chart.chart.axisMax = 5;
    chart.chart.title = {"Сумма", "по тиражам"};
    chart.chart.footer = {"Сумма чисел тиража"};
    place(f, "StaticText1", K::StaticText, "Chart1", 60, 40, 80, 16).caption = " Удачи !!!";

    ui::Control& ordinals = place(f, "RichEdit1", K::RichEdit, "Form9", 8, 486, 480, 20);
    ordinals.caption = "1 2 3 4";
    ordinals.colorRanges = {{2, 1, ui::colors::Red}};

    ui::Control& calendar =
        place(f, "MonthCalendar2", K::MonthCalendar, "Form9", 500, 250, 250, 180);
    calendar.minDate = "01.01.2024";
    calendar.maxDate = "31.12.2024";
    calendar.date = "15.03.2024";
    place(f, "ProgressBar1", K::ProgressBar, "Form9", 640, 110, 16, 120).position = 40;
    place(f, "Memo1", K::Memo, "Form9", 500, 440, 250, 60).lines = {"первая", "вторая"};

    ui::Control& timer = f.add("Timer1", K::Timer, "Form9");
    timer.interval = 30;
    timer.enabled = false;
    f.add("PopupMenu1", K::PopupMenu, "Form9").items = {"n1", "n2"};
    for (const char* item : {"n1", "n2"}) {
        ui::Control& c = f.add(item, K::MenuItem, "Form9");
        c.menu = "PopupMenu1";
        c.radioItem = true;
    }
    f.at("n1").caption = "<=";
    f.at("n1").checked = true;
    f.at("n2").caption = "=";
    f.add("PopupMenu4", K::PopupMenu, "Form9").items = {"N15", "N11", "N12"};
    for (const auto& [item, caption] : std::vector<std::pair<std::string, std::string>>{
             {"N15", "Помощь"}, {"N11", "-"}, {"N12", "Выход"}}) {
        ui::Control& c = f.add(item, K::MenuItem, "Form9");
        c.menu = "PopupMenu4";
        c.caption = caption;
    }
}

class QtRenderTest : public ::testing::Test {
protected:
    QtRenderTest() : form("Form9") {
        qtApp();
        buildForm(form);
        front = std::make_unique<FrontEnd>(sink);
        renderer = &front->addForm(form, true);
    }

    template <typename W> W* widget(const std::string& name) {
        auto* w = qobject_cast<W*>(renderer->widget(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    ui::Form form;
    RecordingSink sink;
    std::unique_ptr<FrontEnd> front;
    FormRenderer* renderer = nullptr;
};

TEST_F(QtRenderTest, WidgetsShowTheRecords) {
    // Showing the model never reports an action back to it.
    EXPECT_TRUE(sink.log.empty()) << sink.log.front();
    QWidget* window = renderer->window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("  Проба"));
    EXPECT_EQ(window->size(), QSize(760, 520));
    // Window managers offer maximising anyway; the main window then grows.
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    auto* button = widget<QPushButton>("BitBtn1");
    EXPECT_EQ(button->text(), QStringLiteral("Сумма <="));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Сумма чисел тиража"));
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(button->geometry(), QRect(8, 8, 110, 24));
    EXPECT_TRUE(widget<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(widget<QLabel>("StaticText33")->text(), QStringLiteral("75"));
    EXPECT_FALSE(widget<QToolButton>("Image1")->icon().isNull());

    // Controls sit inside their parents' widgets.
    auto* tabs = widget<QTabWidget>("PageControl1");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("повторы"));
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_EQ(tabs->widget(1), renderer->widget("TabSheet2"));
    EXPECT_TRUE(renderer->widget("TabSheet2")->isAncestorOf(renderer->widget("BitBtn3")));
    EXPECT_EQ(renderer->widget("StaticText4")->parentWidget(), renderer->widget("GroupBox1"));
    EXPECT_EQ(renderer->widget("StaticText1")->parentWidget(), renderer->widget("Chart1"));

    // Row 0 of the model is the header; the hidden column keeps its place.
    auto* grid = widget<QTableWidget>("StringGrid1");
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Дата"));
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("05.12.2009"));
    EXPECT_TRUE(grid->isColumnHidden(1));
    EXPECT_EQ(grid->item(1, 3)->background().color(), QColor(Qt::yellow));
    EXPECT_EQ(grid->item(1, 3)->foreground().color(), QColor(Qt::gray));
    EXPECT_NE(grid->item(0, 3)->background().color(), QColor(Qt::yellow));
    EXPECT_TRUE(grid->item(0, 2)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(grid->item(0, 0)->flags().testFlag(Qt::ItemIsEditable));

    // The ordinals line: yellow by default, the coloured range red.
    auto* ordinals = widget<QTextEdit>("RichEdit1");
    EXPECT_EQ(ordinals->toPlainText(), QStringLiteral("1 2 3 4"));
    QTextCursor cursor(ordinals->document());
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::yellow));
    cursor.setPosition(3);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(
        ordinals->document()->firstBlock().blockFormat().alignment().testFlag(Qt::AlignRight));

    auto* calendar = widget<QCalendarWidget>("MonthCalendar2");
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 15));
    EXPECT_EQ(calendar->maximumDate(), QDate(2024, 12, 31));
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->orientation(), Qt::Vertical);
    EXPECT_FALSE(renderer->timer("Timer1")->isActive()); // disabled

    // Menus: items in order, the separator, radio items in one exclusive group.
    QMenu* menu = renderer->menu("PopupMenu4");
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_TRUE(menu->actions()[1]->isSeparator());
    QAction* n1 = renderer->menuAction("n1");
    EXPECT_TRUE(n1->isChecked());
    ASSERT_NE(n1->actionGroup(), nullptr);
    EXPECT_EQ(n1->actionGroup(), renderer->menuAction("n2")->actionGroup());
}

TEST_F(QtRenderTest, ChartShowsSeriesBandAxisAndTexts) {
    auto* view = widget<ChartView>("Chart1");
    QChart* chart = view->chart();
    EXPECT_EQ(chart->title(), QStringLiteral("Сумма<br>по тиражам"));
    EXPECT_EQ(view->footerLabel()->text(), QStringLiteral("Сумма чисел тиража"));

    std::vector<QLineSeries*> lines;
    QAreaSeries* band = nullptr;
    for (QAbstractSeries* s : chart->series()) {
        if (auto* area = qobject_cast<QAreaSeries*>(s))
            band = area;
        else if (s->type() == QAbstractSeries::SeriesTypeLine)
            lines.push_back(static_cast<QLineSeries*>(s));
    }
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->upperSeries()->points(), (QList<QPointF>{{3, 40}, {5, 40}}));
    EXPECT_EQ(band->lowerSeries()->points(), (QList<QPointF>{{3, 0}, {5, 0}}));
    EXPECT_EQ(band->brush().style(), Qt::DiagCrossPattern);
    EXPECT_EQ(band->pen().style(), Qt::DashDotDotLine);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0]->points().size(), 4);
    EXPECT_EQ(lines[0]->points()[3], QPointF(4, 40));
    EXPECT_EQ(lines[0]->pen().color(), QColor(Qt::blue));
    EXPECT_EQ(lines[1]->pen().color(), QColor(Qt::red));

    auto* axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(axis, nullptr);
    // The first draw's point keeps a little room at the left; ticks start at 1.
    EXPECT_LT(axis->min(), 1);
    EXPECT_GT(axis->min(), 0.5);
    EXPECT_EQ(axis->tickAnchor(), 1);
    EXPECT_EQ(axis->max(), 5);
    auto* values = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(values, nullptr);
    EXPECT_LE(values->min(), 0);
    EXPECT_GE(values->max(), 40);

    // The saved picture is a bitmap of the chart on white.
    QtPlatform platform;
    platform.setFrontEnd(front.get());
    const std::string path = (screenshotDir() / "qt_render_chart.bmp").string();
    platform.saveChartBitmap(form.at("Chart1").chart, path);
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(path), "BMP"));
    EXPECT_EQ(image.size(), QSize(480, 230));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    bool blue = false;
    for (int x = 0; x < image.width() && !blue; ++x)
        for (int y = 0; y < image.height() && !blue; ++y) {
            const QColor c = image.pixelColor(x, y);
            blue = c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_TRUE(blue) << "the value curve is not drawn";
}

TEST_F(QtRenderTest, WidgetEventsReportActionsByControlName) {
    QTest::mouseClick(widget<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(sink.has("Form9 click BitBtn1"));

    QTest::mouseClick(widget<QCheckBox>("CheckBox1"), Qt::LeftButton);
    EXPECT_TRUE(sink.has("toggle CheckBox1 off"));

    // An arrow reports the step, then the press.
    sink.log.clear();
    auto* arrows = widget<UpDownWidget>("UpDown1");
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    QTest::mouseClick(arrows->downButton(), Qt::LeftButton);
    EXPECT_EQ(sink.log, (std::vector<std::string>{"updown UpDown1 up", "down UpDown1",
                                                  "updown UpDown1 down", "down UpDown1"}));

    QTest::mouseClick(widget<QLabel>("Label2"), Qt::LeftButton);
    EXPECT_TRUE(sink.has("Form9 click Label2"));
    QTest::mouseClick(widget<QToolButton>("Image1"), Qt::LeftButton);
    EXPECT_TRUE(sink.has("Form9 click Image1"));

    widget<QTabWidget>("PageControl1")->setCurrentIndex(1);
    EXPECT_TRUE(sink.has("page PageControl1 TabSheet2"));

    // Grid coordinates are the model's: the first table row is row 1.
    auto* grid = widget<QTableWidget>("StringGrid1");
    grid->setCurrentCell(1, 2);
    EXPECT_TRUE(sink.has("select StringGrid1 2 2"));
    grid->item(0, 3)->setText("7");
    EXPECT_TRUE(sink.has("edit StringGrid1 3 1 7"));

    emit widget<QCalendarWidget>("MonthCalendar2")->clicked(QDate(2024, 3, 9));
    EXPECT_TRUE(sink.has("calendar MonthCalendar2 09.03.2024"));

    renderer->menuAction("n2")->trigger();
    EXPECT_TRUE(sink.has("choose n2"));

    // A right click opens the control's own menu, elsewhere the form's.
    QContextMenuEvent onButton(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(100, 100));
    QApplication::sendEvent(renderer->widget("BitBtn1"), &onButton);
    EXPECT_TRUE(sink.has("popup PopupMenu1 BitBtn1"));
    EXPECT_TRUE(renderer->menu("PopupMenu1")->isVisible());
    renderer->menu("PopupMenu1")->hide();
    QContextMenuEvent onLabel(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(100, 100));
    QApplication::sendEvent(renderer->widget("StaticText4"), &onLabel);
    EXPECT_TRUE(sink.has("popup PopupMenu4 Form9"));
    renderer->menu("PopupMenu4")->hide();

    form.at("Timer1").enabled = true;
    front->syncAll();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sink.has("tick Timer1"); }, 2000));

    QWidget* window = renderer->window();
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(sink.has("syscommand 61472"));
    window->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(sink.has("syscommand 61728"));
    window->close();
    EXPECT_TRUE(sink.has("close"));
    EXPECT_EQ(sink.deepest, 1);
}

TEST_F(QtRenderTest, FocusLeavingAControlIsReportedWithItsContainers) {
    QWidget* window = renderer->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    renderer->widget("BitBtn2")->setFocus(Qt::MouseFocusReason);
    sink.log.clear();
    renderer->widget("BitBtn1")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(sink.log,
              (std::vector<std::string>{"exit BitBtn2", "exit TabSheet1", "exit PageControl1"}));

    // Moving between controls of the same parent loses only the control.
    sink.log.clear();
    renderer->widget("CheckBox1")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(sink.log, (std::vector<std::string>{"exit BitBtn1"}));
}

TEST_F(QtRenderTest, ModelAnswersAreShownAfterEachAction) {
    auto* button = widget<QPushButton>("BitBtn1");
    auto* box = widget<QCheckBox>("CheckBox1");
    auto* grid = widget<QTableWidget>("StringGrid1");
    auto* tabs = widget<QTabWidget>("PageControl1");
    sink.onAction = [&](const std::string& line) {
        if (line == "Form9 click BitBtn1") {
            form.at("BitBtn1").caption = "Сумма >=";
            form.at("CheckBox1").visible = false;
            form.at("TabSheet1").tabVisible = false; // the page shown keeps showing
            form.at("TabSheet2").tabVisible = false;
            form.at("StringGrid1").grid.highlightRow = 3;
            form.at("Chart1").chart.series1.points.clear();
            form.at("n2").checked = true;
            form.at("n1").checked = false;
        }
        // The model keeps the box ticked and the first page whatever the user does.
    };

    // A refused change is undone on the widget although the record did not move.
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(sink.has("toggle CheckBox1 off"));
    EXPECT_TRUE(box->isChecked());
    tabs->setCurrentIndex(1);
    EXPECT_EQ(tabs->currentIndex(), 0);
    grid->item(0, 2)->setText("xx");
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("05.12.2009"));

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->text(), QStringLiteral("Сумма >="));
    EXPECT_TRUE(box->isHidden());
    EXPECT_FALSE(tabs->isTabVisible(0));
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_EQ(tabs->currentWidget(), renderer->widget("TabSheet1"));
    EXPECT_EQ(grid->item(2, 2)->background().color(), QColor(Qt::yellow));
    EXPECT_NE(grid->item(1, 2)->background().color(), QColor(Qt::yellow));
    EXPECT_TRUE(renderer->menuAction("n2")->isChecked());
    EXPECT_FALSE(renderer->menuAction("n1")->isChecked());
    auto* chart = widget<ChartView>("Chart1")->chart();
    EXPECT_EQ(static_cast<QLineSeries*>(chart->series()[1])->count(), 0);

    // A change outside any action is picked up from the revision.
    form.at("StaticText33").caption = "76";
    ++sink.rev;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return widget<QLabel>("StaticText33")->text() == "76"; }, 1000));

    // A form whose record is hidden is hidden.
    form.self().visible = false;
    front->syncAll();
    EXPECT_FALSE(renderer->window()->isVisible());
}

TEST_F(QtRenderTest, ActionsArrivingDuringAnActionRunAfterIt) {
    auto* second = widget<QPushButton>("BitBtn2");
    sink.onAction = [&](const std::string& line) {
        if (line == "Form9 click BitBtn1")
            second->click(); // e.g. a click delivered while a dialog of the first is open
    };
    QTest::mouseClick(widget<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(sink.has("Form9 click BitBtn1"));
    EXPECT_FALSE(sink.has("Form9 click BitBtn2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return sink.has("Form9 click BitBtn2"); }, 1000));
    EXPECT_EQ(sink.deepest, 1);
}

TEST_F(QtRenderTest, PlatformShowsTheModelDuringLongCommands) {
    QtPlatform platform;
    platform.setFrontEnd(front.get());
    auto* label = widget<QLabel>("StaticText33");

    // A pause and a repaint both bring the widgets up to date first.
    form.at("StaticText33").caption = "80";
    platform.sleepMs(5);
    EXPECT_EQ(label->text(), QStringLiteral("80"));
    QTest::qWait(30); // past the repaint throttle
    form.at("StaticText33").caption = "81";
    platform.repaint();
    EXPECT_EQ(label->text(), QStringLiteral("81"));

    platform.popupMenu("Form9", "PopupMenu4", 10);
    EXPECT_TRUE(renderer->menu("PopupMenu4")->isVisible());
    renderer->menu("PopupMenu4")->hide();

    // A command the user may stop shows the model as it goes; "Стоп" and
    // Esc both stop it, and the window goes with the command.
    for (const bool byKey : {false, true}) {
        platform.beginStoppable("Проверка стратегии, тиражей: 3");
        auto* stop = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(stop, nullptr);
        QTest::qWait(30);
        form.at("StaticText33").caption = byKey ? "83" : "82";
        EXPECT_FALSE(platform.stopRequested());
        EXPECT_EQ(label->text(), QString::fromStdString(form.at("StaticText33").caption));
        if (byKey)
            QTest::keyClick(stop, Qt::Key_Escape);
        else
            QTest::mouseClick(stop->findChild<QPushButton*>(), Qt::LeftButton);
        EXPECT_TRUE(platform.stopRequested());
        platform.endStoppable();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    EXPECT_THROW(platform.saveChartBitmap(form.at("Chart1").chart, "/nonexistent-dir/1.bmp"),
                 FileError);
}

TEST_F(QtRenderTest, WritesAScreenshot) {
    const std::filesystem::path path = screenshotDir() / "qt_render_form.png";
    ASSERT_TRUE(renderer->window()->grab().save(QString::fromStdString(path.string())));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

} // namespace
} // namespace vargis::qt
