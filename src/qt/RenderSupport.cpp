#include "qt/RenderSupport.h"

#include "qt/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <tuple>

namespace vargis::qt::render {

namespace {

// ---- Record comparison: a sync touches a control only when its record
// differs from the one last applied.

bool samePoints(const std::vector<ui::Point>& a, const std::vector<ui::Point>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const ui::Point& p, const ui::Point& q) { return p.x == q.x && p.y == q.y; });
}

bool sameSeries(const ui::Series& a, const ui::Series& b) {
    return a.lineWidth == b.lineWidth && a.visible == b.visible && a.color == b.color &&
           samePoints(a.points, b.points);
}

bool sameChart(const ui::Chart& a, const ui::Chart& b) {
    return sameSeries(a.series1, b.series1) && sameSeries(a.series2, b.series2) &&
           sameSeries(a.series4, b.series4) && a.band.x0 == b.band.x0 && a.band.y0 == b.band.y0 &&
           a.band.x1 == b.band.x1 && a.band.y1 == b.band.y1 && a.axisMin == b.axisMin &&
           a.axisMax == b.axisMax && a.title == b.title && a.footer == b.footer;
}

bool sameGrid(const ui::Grid& a, const ui::Grid& b) {
    return std::tie(a.colCount, a.rowCount, a.colWidths, a.selectedCol, a.selectedRow, a.topRow,
                    a.leftCol, a.editable, a.editorShown, a.highlightRow, a.highlightTexts) ==
               std::tie(b.colCount, b.rowCount, b.colWidths, b.selectedCol, b.selectedRow, b.topRow,
                        b.leftCol, b.editable, b.editorShown, b.highlightRow, b.highlightTexts) &&
           a.cells == b.cells;
}

} // namespace

bool sameRanges(const std::vector<ui::ColorRange>& a, const std::vector<ui::ColorRange>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ui::ColorRange& p, const ui::ColorRange& q) {
                          return p.start == q.start && p.length == q.length && p.color == q.color;
                      });
}

bool sameRecord(const ui::Control& a, const ui::Control& b) {
    return std::tie(a.parent, a.caption, a.hint, a.visible, a.enabled, a.checked, a.bold, a.italic,
                    a.underline, a.fontColor, a.hoverFontColor, a.raiseCount, a.color, a.left,
                    a.top, a.width, a.height, a.min, a.max, a.position, a.associate, a.pages,
                    a.activePage, a.tabVisible, a.lines, a.textColor, a.date, a.minDate, a.maxDate,
                    a.interval, a.items, a.popupComponent, a.radioItem, a.groupIndex, a.menu,
                    a.popupMenu) ==
               std::tie(b.parent, b.caption, b.hint, b.visible, b.enabled, b.checked, b.bold,
                        b.italic, b.underline, b.fontColor, b.hoverFontColor, b.raiseCount, b.color,
                        b.left, b.top, b.width, b.height, b.min, b.max, b.position, b.associate,
                        b.pages, b.activePage, b.tabVisible, b.lines, b.textColor, b.date,
                        b.minDate, b.maxDate, b.interval, b.items, b.popupComponent, b.radioItem,
                        b.groupIndex, b.menu, b.popupMenu) &&
           sameRanges(a.colorRanges, b.colorRanges) && sameGrid(a.grid, b.grid) &&
           sameChart(a.chart, b.chart);
}

// ---- Grids: the model's row 0 is the header row; the table's rows are the
// model's rows 1.. . Column 0 is the fixed column, drawn like the header.

const std::string& cellText(const ui::Grid& grid, int row, int col) {
    static const std::string empty;
    if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= grid.cells.size())
        return empty;
    const auto& cells = grid.cells[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)]
                                                        : empty;
}

void setCellText(ui::Grid& grid, int row, int col, const std::string& text) {
    if (row < 0 || col < 0)
        return;
    if (grid.cells.size() <= static_cast<std::size_t>(row))
        grid.cells.resize(static_cast<std::size_t>(row) + 1);
    auto& cells = grid.cells[static_cast<std::size_t>(row)];
    if (cells.size() <= static_cast<std::size_t>(col))
        cells.resize(static_cast<std::size_t>(col) + 1);
    cells[static_cast<std::size_t>(col)] = text;
}

void styleCell(QTableWidgetItem* item, int modelRow, int col, const ui::Grid& grid) {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid.editable && col > 0 && col != grid.markerCol)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    const bool marked = col > 0 && modelRow > 0 && !grid.highlightTexts.empty() &&
                        std::find(grid.highlightTexts.begin(), grid.highlightTexts.end(),
                                  item->text().toStdString()) != grid.highlightTexts.end();
    QFont font = item->font();
    font.setBold(marked);
    item->setFont(font);
    if (modelRow == grid.highlightRow) {
        item->setBackground(QColor(Qt::yellow));
        item->setForeground(QColor(Qt::gray));
    } else if (marked) {
        item->setBackground(QColor(Qt::yellow));
        item->setForeground(QColor(0, 0, 0x80));
    } else {
        item->setBackground(col == 0 ? QBrush(kFixedCell) : QBrush());
        item->setForeground(QBrush());
    }
}

void styleRow(QTableWidget* table, int modelRow, const ui::Grid& grid) {
    const int row = modelRow - 1;
    if (row < 0 || row >= table->rowCount())
        return;
    for (int col = 0; col < table->columnCount(); ++col)
        if (QTableWidgetItem* item = table->item(row, col))
            styleCell(item, modelRow, col, grid);
}

// Grids and the ordinals line hold dates and numbers in columns sized for a
// narrower font than DejaVu Sans: they use its condensed face.
QFont condensedFont(const QFont& base) {
    QFont font = base;
    font.setStretch(QFont::SemiCondensed);
    return font;
}

// ---- Rich edit: the caption coloured character by character, in the
// largest size from 8 down to 6 points at which the line fits.

void fitRichEditFont(QTextEdit* edit, const ui::Control& control) {
    const QString text = toQ(control.caption);
    const int room = std::max(0, control.width - 6);
    QFont font = condensedFont(edit->font());
    for (int size = kFontPointSize; size >= 6; --size) {
        font.setPointSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    edit->setFont(font);
}

void fillRichEdit(QTextEdit* edit, const ui::Control& control) {
    const QString text = toQ(control.caption);
    std::vector<ui::Color> colours(static_cast<std::size_t>(text.size()), control.textColor);
    for (const ui::ColorRange& range : control.colorRanges) {
        const int from = std::max(0, range.start);
        const int to = std::min(static_cast<int>(text.size()), range.start + range.length);
        for (int i = from; i < to; ++i)
            colours[static_cast<std::size_t>(i)] = range.color;
    }
    QTextDocument* document = edit->document();
    document->clear();
    QTextCursor cursor(document);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignRight);
    cursor.setBlockFormat(block);
    int start = 0;
    while (start < text.size()) {
        int end = start + 1;
        const ui::Color colour = colours[static_cast<std::size_t>(start)];
        while (end < text.size() && colours[static_cast<std::size_t>(end)] == colour)
            ++end;
        QTextCharFormat format;
        format.setForeground(toQColor(colour));
        cursor.insertText(text.mid(start, end - start), format);
        start = end;
    }
}

// ---- Images: a glyph that says what the picture button does.

QStyle::StandardPixmap glyphFor(const QString& hint) {
    struct Rule {
        const char* word;
        QStyle::StandardPixmap glyph;
    };
    static const Rule rules[] = {
        {"сохран", QStyle::SP_DialogSaveButton},
        {"печат", QStyle::SP_FileDialogDetailedView},
        {"помощь", QStyle::SP_MessageBoxQuestion},
        {"очист", QStyle::SP_TrashIcon},
        {"удал", QStyle::SP_TrashIcon},
        {"выключ", QStyle::SP_MediaStop},
        {"включ", QStyle::SP_MediaPlay},
        {"добав", QStyle::SP_FileDialogNewFolder},
        {"лото", QStyle::SP_ComputerIcon},
    };
    for (const Rule& rule : rules)
        if (hint.contains(QString::fromUtf8(rule.word), Qt::CaseInsensitive))
            return rule.glyph;
    return QStyle::SP_ArrowRight;
}

QDate calendarDate(const std::string& text) {
    return toQDate(text);
}

} // namespace vargis::qt::render
