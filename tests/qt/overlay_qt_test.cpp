// The overlay of a few enabled, evaluated filters in the real window,
// offscreen: the ordinals line shows the failed draws in red and hides the
// first ones, with a screenshot of the window and of the line.

#include "QtTestSupport.h"
#include "filters/Overlay.h"
#include "support/DataFiles.h"

#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace vargis::qt {
namespace {

using qttest::screenshotDir;

// Ordinals of the line whose characters are shown in the colour.
std::set<int> ordinalsIn(QTextEdit* edit, const QColor& colour) {
    std::set<int> found;
    const QString text = edit->toPlainText();
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().foreground().color() != colour)
                continue;
            for (const QString& word : fragment.text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
                found.insert(word.toInt());
        }
    return found;
}

TEST(QtOverlay, ShowsTheDrawsTheEnabledFiltersFailed) {
    qttest::qtApp();
    testing::WorkFolder folder;
    // Largest >= 30, smallest <= 6, two even numbers, and a filter of the
    // previous draw (row 32 looks one draw back) enabled.
    for (auto [row, p, c] : {std::tuple{1, "30", ">="}, {2, "6", "<="}, {6, "2", "="}}) {
        testing::setFilterField(row, 3, p);
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, c);
    }
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    app.workspace().filters.row(32).field(4) = "True";
    app.workspace().failMarks.at(32, 1) = "0";

    for (int row : {1, 2, 6}) {
        auto* button =
            qobject_cast<QPushButton*>(main.widget(app.workspace().filters.row(row).buttonName()));
        ASSERT_NE(button, nullptr) << row;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    auto* overlay = qobject_cast<QPushButton*>(main.widget(filters::kOverlayButton));
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->text().toStdString(), " наложение");
    QTest::mouseClick(overlay, Qt::LeftButton);
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    rendered.front.syncAll();

    const auto& ws = app.workspace();
    std::set<int> failed;
    for (int row : {1, 2, 6})
        for (int j = 2; j <= ws.drawCount(); ++j)
            if (ws.failMarks.at(row, j) == "0")
                failed.insert(j);
    ASSERT_FALSE(failed.empty());
    auto* line = qobject_cast<QTextEdit*>(main.widget("RichEdit1"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(ordinalsIn(line, QColor(Qt::red)), failed);
    EXPECT_EQ(ordinalsIn(line, QColor(0, 0, 128)), std::set<int>{1});

    QTest::qWait(50);
    const auto dir = screenshotDir();
    EXPECT_TRUE(
        main.window()->grab().save(QString::fromStdString((dir / "qt_overlay.png").string())));
    EXPECT_TRUE(line->grab().save(QString::fromStdString((dir / "qt_overlay_line.png").string())));
}

} // namespace
} // namespace vargis::qt
