// The draw grid in the real window, offscreen: a mouse press switches the
// cell editor on and keeps the pressed cell, and an appended row is shown
// with its ordinal and markers, ready for its date.

#include "QtTestSupport.h"
#include "support/DataFiles.h"

#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::screenshotDir;

TEST(QtDrawGrid, APressOpensTheEditorAndAppendingShowsTheNewRow) {
    qttest::qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    auto& platform = rendered.platform;
    auto& app = rendered.app;
    FormRenderer& main = *rendered.main;
    ASSERT_TRUE(platform.errors().empty()) << platform.errors().front();
    QTest::qWait(20); // the window settles as it does before a user acts
    auto* table = qobject_cast<QTableWidget*>(main.widget("StringGrid1"));
    ASSERT_NE(table, nullptr);
    ui::Control& grid = app.mainForm().at("StringGrid1");
    ASSERT_FALSE(grid.grid.editorShown);

    // Model row 3 is table row 2 (the header is the table's own).
    table->scrollToTop();
    const QRect cell = table->visualRect(table->model()->index(2, 4));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    rendered.front.syncAll();
    EXPECT_TRUE(grid.grid.editorShown);
    EXPECT_EQ(grid.grid.selectedRow, 3);
    EXPECT_EQ(grid.grid.selectedCol, 4);
    EXPECT_EQ(table->currentRow(), 2);
    EXPECT_EQ(table->currentColumn(), 4);
    EXPECT_TRUE(table->editTriggers().testFlag(QAbstractItemView::CurrentChanged));

    EXPECT_TRUE(app.click("Form1", "Label7"));
    rendered.front.syncAll();
    ASSERT_EQ(table->rowCount(), 51);
    EXPECT_EQ(table->item(50, 0)->text().toStdString(), "51");
    EXPECT_EQ(table->item(50, 2)->text().toStdString(), "");
    EXPECT_EQ(table->currentRow(), 50);
    EXPECT_EQ(table->currentColumn(), 2);
    EXPECT_TRUE(table->viewport()->rect().intersects(table->visualItemRect(table->item(50, 2))))
        << "the new row is scrolled into view";

    QTest::qWait(50);
    EXPECT_TRUE(table->viewport()->rect().intersects(table->visualItemRect(table->item(50, 2))));
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_draw_grid_appended.png").string())));
}

} // namespace
} // namespace vargis::qt
