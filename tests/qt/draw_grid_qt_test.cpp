// The draw grid in the real window, offscreen: a mouse press switches the
// cell editor on and keeps the pressed cell, and an appended row is shown
// with its ordinal, ready for its date; the markers stay out of sight.

#include "QtTestSupport.h"
#include "support/DataFiles.h"
#include "ui/GridCells.h"

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

    // The header-less last column stays empty on the appended row and on
    // every row a save checked, though the program keeps its marker there.
    platform.clear();
    EXPECT_TRUE(app.click("Form1", "Label2"));
    EXPECT_EQ(platform.texts(testing::Dialog::Kind::Message).size(), 1u) << "the empty date";
    rendered.front.syncAll();
    EXPECT_EQ(ui::gridText(grid, 8, 51), "8");
    EXPECT_EQ(ui::gridText(grid, 8, 1), "8");
    for (int row = 0; row < table->rowCount(); ++row) {
        EXPECT_EQ(table->item(row, 8)->text().toStdString(), "") << row;
        EXPECT_FALSE(table->item(row, 8)->flags().testFlag(Qt::ItemIsEditable)) << row;
    }
    EXPECT_TRUE(main.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_draw_grid_appended.png").string())));
}

} // namespace
} // namespace vargis::qt
