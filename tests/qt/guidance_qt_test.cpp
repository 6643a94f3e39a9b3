// The guidance rendered offscreen: the walkthrough box opened by the help
// image of a filter page and paged with its buttons, the About box opened
// from the main window, and the colours of "Меню" under the mouse.
// Screenshots of both boxes go into the build tree.

#include "QtTestSupport.h"
#include "guidance/Walkthrough.h"
#include "guidance/WalkthroughPages.h"
#include "support/WorkFolder.h"

#include <QEnterEvent>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::screenshotDir;

QString saved(const char* file) {
    return QString::fromStdString((screenshotDir() / file).string());
}

TEST(QtGuidance, HelpImageOfAFilterPageOpensTheWalkthroughBox) {
    qttest::qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    FormRenderer& main = *rendered.main;

    auto* tabs = qobject_cast<QTabWidget*>(main.widget("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    // The number page at start: its image, and the image of the analysis
    // panel behind the switch panel.
    for (const char* name : {"Image22", "Image54", "Image56", "Image36", "Image7"})
        EXPECT_TRUE(main.widget(name) && main.widget(name)->isVisible()) << name;
    rendered.app.form("Form1").at("GroupBox6").visible = false;
    rendered.front.syncAll();
    EXPECT_TRUE(main.widget("Image57")->isVisible());
    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(saved("qt_help_images_number_page.png")));

    tabs->setCurrentWidget(main.widget("TabSheet8")); // "повторы"
    auto* image = qobject_cast<QToolButton*>(main.widget("Image42"));
    ASSERT_NE(image, nullptr);
    ASSERT_TRUE(image->isVisible());
    EXPECT_EQ(image->toolTip(), QStringLiteral("Помощь + пример"));
    EXPECT_EQ(image->cursor().shape(), Qt::WhatsThisCursor);

    auto* box = qobject_cast<QGroupBox*>(main.widget(guidance::kWalkthroughBox));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isVisible());
    QTest::mouseClick(image, Qt::LeftButton);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->title(), QStringLiteral("  Работа с программой  "));
    EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(17, 218, 247));
    auto* title = qobject_cast<QLabel*>(main.widget(guidance::kWalkthroughTitle));
    auto* memo = qobject_cast<QPlainTextEdit*>(main.widget(guidance::kWalkthroughMemo));
    ASSERT_NE(title, nullptr);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(title->text().toStdString(), guidance::walkthroughTitle(9));
    EXPECT_EQ(memo->document()->blockCount(), 8);
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')).last().toStdString(),
              guidance::filterPageClosingLines().back());
    EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
    EXPECT_EQ(memo->textCursor().position(), 0);

    QTest::qWait(50);
    EXPECT_TRUE(main.window()->grab().save(saved("qt_walkthrough_repeats.png")));

    // "Вперед" pages on; a page of the notebook hides the box.
    QTest::mouseClick(qobject_cast<QPushButton*>(main.widget(guidance::kForwardButton)),
                      Qt::LeftButton);
    EXPECT_EQ(title->text().toStdString(), guidance::walkthroughTitle(10));
    EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
    tabs->setCurrentWidget(main.widget("TabSheet1"));
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(rendered.app.workspace().walkthroughPage, 10);
}

TEST(QtGuidance, AboutBoxAndTheColoursOfTheTopLabels) {
    qttest::qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    ASSERT_TRUE(rendered.platform.errors().empty()) << rendered.platform.errors().front();
    FormRenderer& main = *rendered.main;

    auto* menu = qobject_cast<QLabel*>(main.widget("StaticText23"));
    ASSERT_NE(menu, nullptr);
    const QColor lime(0, 255, 0);
    const QColor yellow(255, 255, 0);
    EXPECT_EQ(menu->palette().color(QPalette::WindowText), lime);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(menu, &enter);
    EXPECT_EQ(menu->palette().color(QPalette::WindowText), yellow);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(menu, &leave);
    EXPECT_EQ(menu->palette().color(QPalette::WindowText), lime);

    QWidget* about = rendered.front.renderer("Form2")->window();
    EXPECT_FALSE(about->isVisible());
    QTest::mouseClick(main.widget("StaticText106"), Qt::LeftButton);
    ASSERT_TRUE(about->isVisible());
    EXPECT_EQ(about->size(), QSize(315, 183));
    EXPECT_EQ(about->palette().color(QPalette::Window), QColor(17, 218, 247));
    auto* close = qobject_cast<QLabel*>(rendered.front.renderer("Form2")->widget("StaticText1"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->font().italic());
    EXPECT_TRUE(close->font().underline());
    QTest::qWait(50);
    EXPECT_TRUE(about->grab().save(saved("qt_about.png")));

    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

} // namespace
} // namespace vargis::qt
