// The number page and the numbers panel in the real windows, offscreen: the
// panel's window (size, buttons, above the main window) shown with the page
// and hidden when the page is left or the main window minimised; both sides
// filled after a combine; the analyzer switched on. Screenshots of the panel
// and of the page with the analyzer go into the build tree.

#include "QtTestSupport.h"
#include "filters/MarkBases.h"
#include "support/DataFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>
#include <set>

namespace vargis::qt {
namespace {

using qttest::qtApp;
using qttest::screenshotDir;

void save(QWidget* window, const char* name) {
    EXPECT_TRUE(window->grab().save(QString::fromStdString((screenshotDir() / name).string())));
}

// Every visible child of the window lies inside it: nothing is cut off.
void expectInside(QWidget* window) {
    const QRect area = window->rect();
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != window)
            continue;
        EXPECT_TRUE(area.contains(child->geometry()))
            << child->objectName().toStdString() << " leaves the window";
    }
}

TEST(QtNumbers, ThePanelFollowsThePageAndShowsBothSidesAfterACombine) {
    qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& front = rendered.front;
    FormRenderer& main = *rendered.main;
    FormRenderer& panel = *front.renderer("Form7");
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();

    // The window opens on the number page with its panel above it.
    QWidget* window = panel.window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(515, 353));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "not sizeable";
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(window->windowHandle()->transientParent(), main.window()->windowHandle());
    EXPECT_EQ(window->windowTitle().toStdString(), "Числа - дополнительная панель");
    expectInside(window);

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(main.widget("TabSheet1"));
    front.syncAll();
    EXPECT_FALSE(window->isVisible()) << "hidden when the page is left";
    tabs->setCurrentWidget(main.widget("TabSheet11"));
    front.syncAll();
    EXPECT_TRUE(window->isVisible());

    main.window()->showMinimized();
    QTest::qWait(20);
    front.syncAll();
    EXPECT_FALSE(window->isVisible()) << "hidden with the main window";
    main.window()->showNormal();
    QTest::qWait(20);
    front.syncAll();
    EXPECT_TRUE(window->isVisible());

    // Fourteen numbers play: the left grid lists their 2002 combinations.
    const std::set<int> chosen{3, 5, 8, 11, 14, 17, 19, 22, 25, 27, 30, 32, 34, 36};
    for (int n = 1; n <= 36; ++n) {
        if (chosen.count(n))
            continue;
        auto* box = qobject_cast<QCheckBox*>(
            main.widget("CheckBox" + filters::numberCheckBoxSuffix(n)));
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box, Qt::LeftButton);
    }
    front.syncAll();
    auto* left = qobject_cast<QTableWidget*>(panel.widget("StringGrid1"));
    auto* right = qobject_cast<QTableWidget*>(panel.widget("StringGrid2"));
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(left->rowCount(), 2002);
    EXPECT_EQ(left->item(0, 1)->text().toStdString(), "3");
    EXPECT_EQ(qobject_cast<QLabel*>(panel.widget("Label3"))->text().toStdString(), "2002");

    // A combine (confirming the excluded numbers) fills the right side with
    // the numbers still in play.
    platform.answers = {true};
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget("BitBtn17")), Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    front.syncAll();
    EXPECT_GT(right->rowCount(), 1);
    EXPECT_FALSE(qobject_cast<QPlainTextEdit*>(panel.widget("Memo4"))->toPlainText().isEmpty());
    EXPECT_NE(qobject_cast<QLabel*>(panel.widget("Label7"))->text().toStdString(), "??");
    QTest::qWait(50);
    expectInside(window);
    save(window, "qt_numbers_panel.png");

    // The analyzer, confirmed: the switch panel gives way to the analysis panel.
    platform.answers = {true};
    QTest::mouseClick(qobject_cast<QToolButton*>(main.widget("Image24")), Qt::LeftButton);
    front.syncAll();
    EXPECT_FALSE(main.widget("GroupBox6")->isVisible());
    EXPECT_TRUE(main.widget("GroupBox4")->isVisible());
    EXPECT_FALSE(main.widget("CheckBox246")->isEnabled());
    QTest::qWait(50);
    save(main.window(), "qt_number_page_analyzer.png");
    save(window, "qt_numbers_panel_analyzer.png");
    EXPECT_TRUE(platform.errors().empty());
}

} // namespace
} // namespace vargis::qt
