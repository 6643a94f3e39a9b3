// The desktop program as a user meets it, offscreen: the numbers panel kept
// above the main window and back after a minimise only where it was, a
// chart that keeps no trace of what it showed before, the close that asks
// first, and Qt's own dialogs in Russian.

#include "QtTestSupport.h"
#include "filters/MarkBases.h"
#include "qt/ChartView.h"
#include "qt/Fitting.h"
#include "qt/QtPlatform.h"
#include "qt/Translations.h"
#include "support/WorkFolder.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

void settle() {
    for (int i = 0; i < 5; ++i)
        QTest::qWait(10);
}

void savePng(const QImage& image, const char* name) {
    EXPECT_TRUE(image.save(QString::fromStdString((screenshotDir() / name).string())));
}

// What the window's backing store holds for a widget: the pixels as painted
// so far, stale ones included (a widget's grab() would paint it afresh).
QImage onScreen(QWidget* widget) {
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

TEST(DesktopSession, NumbersPanelStaysAboveTheMainWindowAndReturnsOnlyWhereItWas) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    QWidget* main = rendered.main->window();
    QWidget* panel = rendered.front.renderer("Form7")->window();
    ui::Control& panelRecord = rendered.app.form("Form7").self();

    // The start shows the number page, and with it the panel, bound to the
    // main window before it was shown.
    ASSERT_EQ(rendered.app.mainForm().at("PageControl1").activePage, "TabSheet11");
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(panel->isVisible());
    ASSERT_NE(panel->windowHandle(), nullptr);
    EXPECT_EQ(panel->windowHandle()->transientParent(), main->windowHandle());
    // Only a tool window (or a dialog) carries its owner to the window system.
    EXPECT_EQ(panel->windowType(), Qt::Tool);
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowStaysOnTopHint) << "not above other programs";

    main->showMinimized();
    // A window manager minimises the windows that belong to the main one.
    panel->setWindowState(Qt::WindowMinimized);
    settle();
    EXPECT_FALSE(panelRecord.visible);
    EXPECT_FALSE(panel->isVisible());
    main->showNormal();
    settle();
    EXPECT_TRUE(panelRecord.visible) << "back on the number page";
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->windowState() & Qt::WindowMinimized);

    auto* tabs = qobject_cast<QTabWidget*>(rendered.main->widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(rendered.main->widget("TabSheet1"));
    settle();
    EXPECT_FALSE(panel->isVisible());
    main->showMinimized();
    settle();
    main->showNormal();
    settle();
    EXPECT_FALSE(panelRecord.visible) << "not over \"статические\"";
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(rendered.platform.errors().empty());
}

// The panel opens beside the main window, not over the number check boxes
// nor the guide box that its help images open, and within the screen: on the
// test's screen where the rule puts it, and by that rule on common desktops
// with the main window centred and framed by a window manager.
TEST(DesktopSession, NumbersPanelOpensBesideTheMainWindowsControls) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    QWidget* main = rendered.main->window();
    QWidget* panel = rendered.front.renderer("Form7")->window();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->pos(), placeBesideWindow(main, panel));

    std::vector<QWidget*> covered{rendered.main->widget("GroupBox7")};
    for (int n = 1; n <= 36; ++n)
        covered.push_back(rendered.main->widget("CheckBox" + filters::numberCheckBoxSuffix(n)));
    const QSize decorations(2, 22);
    const QSize panelFrame = panel->size() + decorations;
    for (const QSize screen : {QSize(1600, 1000), QSize(1280, 1024), QSize(1366, 768)}) {
        const QSize mainFrame = main->size() + decorations;
        const QPoint mainAt((screen.width() - mainFrame.width()) / 2,
                            (screen.height() - mainFrame.height()) / 2);
        const QRect owner(mainAt, mainFrame);
        const QRect placed(placeBeside(owner, 21, panelFrame, QRect(QPoint(0, 0), screen)),
                           panelFrame);
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(placed)) << screen.width();
        for (QWidget* w : covered) {
            ASSERT_NE(w, nullptr);
            const QRect onScreen(mainAt + QPoint(1, 21) + w->mapTo(main, QPoint(0, 0)), w->size());
            EXPECT_FALSE(placed.intersects(onScreen))
                << screen.width() << "x" << screen.height() << " " << w->objectName().toStdString();
        }
        // Where the screen holds both side by side, the main window makes
        // room and the panel covers none of it.
        const QRect area(QPoint(0, 0), screen);
        const QRect moved(roomBeside(owner, panelFrame.width(), area), mainFrame);
        const QRect beside(placeBeside(moved, 21, panelFrame, area), panelFrame);
        EXPECT_TRUE(area.contains(moved) && area.contains(beside)) << screen.width();
        if (mainFrame.width() + panelFrame.width() <= screen.width()) {
            EXPECT_FALSE(beside.intersects(moved)) << screen.width();
        }
    }
}

// A scripted platform that, like the desktop's, lets the windows paint
// whenever a long command pauses or asks for a repaint (without waiting).
struct PaintingPlatform : testing::ScriptedPlatform {
    FrontEnd* front = nullptr;
    void paint() {
        if (front)
            front->syncAll();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void sleepMs(int) override { paint(); }
    void repaint() override { paint(); }
};

struct PaintingApp {
    PaintingPlatform platform;
    app::Application app{platform};
    ApplicationSink sink{app};
    FrontEnd front{sink};
    FormRenderer* main = nullptr;

    PaintingApp() {
        qtApp();
        platform.front = &front;
        app.start();
        front.addForm(app.form("Form2"));
        front.addForm(app.form("Form7"));
        main = &front.addForm(app.form("Form1"), true);
    }
};

// "нумерология и дата" with a filter, "статические" with a filter, then the
// combine: the chart as it stands on screen equals the chart painted anew.
TEST(DesktopSession, TheChartKeepsNoTraceOfEarlierTitlesAndRanges) {
    qtApp();
    testing::WorkFolder folder;
    PaintingApp rendered;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    FormRenderer& main = *rendered.main;
    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    auto* chart = qobject_cast<ChartView*>(main.widget("Chart"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(chart, nullptr);
    settle();

    tabs->setCurrentWidget(main.widget("TabSheet7"));
    settle();
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn152")), Qt::LeftButton);
    settle();
    tabs->setCurrentWidget(main.widget("TabSheet1"));
    settle();
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn1")), Qt::LeftButton);
    settle();
    rendered.platform.answers = {true};
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn17")), Qt::LeftButton);
    settle();
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();

    const QImage shown = onScreen(chart);
    chart->viewport()->repaint();
    chart->repaint();
    settle();
    const QImage fresh = onScreen(chart);
    savePng(shown, "desktop_chart_after_pages.png");
    savePng(fresh, "desktop_chart_fresh.png");
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), fresh.size());
    EXPECT_TRUE(shown == fresh) << "stale pixels remain on the chart";
}

TEST(DesktopSession, ClosingWithUnsavedEditsAsksAndCancelKeepsTheWindow) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    QWidget* main = rendered.main->window();
    ASSERT_TRUE(rendered.app.toggleCheckBox("Form1", "CheckBox4", true));
    rendered.platform.choices = {ui::Answer::Cancel};
    main->close();
    settle();
    EXPECT_EQ(rendered.platform.texts(testing::Dialog::Kind::Question),
              std::vector<std::string>{"Сохранить изменения?"});
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(rendered.app.closed());

    rendered.platform.choices = {ui::Answer::No};
    main->close();
    settle();
    EXPECT_TRUE(rendered.app.closed());
    EXPECT_FALSE(main->isVisible());
}

// Qt's file dialog (the import's) speaks Russian once the translations are in.
TEST(DesktopSession, QtDialogsSpeakRussian) {
    QApplication& app = qtApp();
    ASSERT_TRUE(installRussianQtTranslations(app)) << "qtbase_ru.qm is not installed";
    QFileDialog dialog(nullptr, QStringLiteral("Импорт тиражей"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    settle();
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));
    savePng(dialog.grab().toImage(), "desktop_file_dialog.png");
    dialog.hide();
}

// The program's own boxes and file dialog as they open: a short message in a
// box wide enough for the whole title, the dialog's columns wide enough for
// what they show, a folder's kind in Russian.
TEST(DesktopSession, BoxesShowTheirWholeTitleAndTheFileDialogItsColumns) {
    QApplication& app = qtApp();
    ASSERT_TRUE(installRussianQtTranslations(app));
    testing::WorkFolder folder;
    QApplication::setApplicationName(QStringLiteral("Варгис - лото 5r36.1.1"));
    QtPlatform platform;

    int boxWidth = 0;
    QString title;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxWidth = box->width();
            title = box->windowTitle();
            savePng(box->grab().toImage(), "desktop_short_message.png");
            box->accept();
        }
    });
    platform.showInformation("Таблица тиражей сохранена");
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSize(10);
    // The title, the window's icon and three buttons of a title bar.
    EXPECT_GE(boxWidth, QFontMetrics(titleFont).horizontalAdvance(title) + 4 * 24)
        << title.toStdString();

    std::vector<std::string> faults;
    QString folderKind;
    QTimer watcher;
    int ticks = 0;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* view = dialog ? dialog->findChild<QTreeView*>() : nullptr;
        if (!view || (view->model()->rowCount(view->rootIndex()) == 0 && ++ticks < 50))
            return;
        watcher.stop();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex name = view->model()->index(row, 0, root);
            const QString path = dialog->directory().filePath(name.data().toString());
            if (std::filesystem::is_directory(path.toStdString()))
                folderKind = view->model()->index(row, 2, root).data().toString();
        }
        QHeaderView* header = view->header();
        for (int col = 1; col < header->count(); ++col) {
            const int needed =
                std::max(static_cast<QAbstractItemView*>(view)->sizeHintForColumn(col),
                         header->sectionSizeHint(col));
            if (!header->isSectionHidden(col) && header->sectionSize(col) < needed)
                faults.push_back("column " + std::to_string(col) + " " +
                                 std::to_string(header->sectionSize(col)) + " < " +
                                 std::to_string(needed));
        }
        if (header->sectionSize(0) <
            static_cast<QAbstractItemView*>(view)->sizeHintForColumn(0) / 2)
            faults.push_back("the names are squeezed");
        savePng(dialog->grab().toImage(), "desktop_import_dialog.png");
        dialog->reject();
    });
    watcher.start(40);
    EXPECT_EQ(platform.chooseFileToOpen("Импорт тиражей", "Тиражи (*.txt *.csv *.tsv)"), "");
    EXPECT_EQ(faults, std::vector<std::string>{});
    EXPECT_EQ(folderKind, QStringLiteral("Папка"));
}

} // namespace
} // namespace vargis::qt
