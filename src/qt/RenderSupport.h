#pragma once
// Pieces the form renderer's files share: the record it keeps per control,
// the record comparison, grid cells, the rich-edit line, picture glyphs and
// fonts.

#include "qt/FormRenderer.h"
#include "ui/Control.h"

#include <QCheckBox>
#include <QColor>
#include <QDate>
#include <QFont>
#include <QStyle>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTableWidget;
class QTableWidgetItem;
class QTextEdit;
class QTimer;

namespace vargis::qt {

struct FormRenderer::Bound {
    std::string name;
    ui::ControlKind kind = ui::ControlKind::Label;
    QWidget* widget = nullptr;    // what the control looks like
    QWidget* container = nullptr; // where the control's children are placed
    QMenu* menu = nullptr;
    QAction* action = nullptr;
    QTimer* timer = nullptr;
    ui::Control shown; // the record as the widgets show it
    bool applied = false;
    bool glyphChosen = false; // Image: picked its glyph from a hint
    int pendingTopRow = -1;   // StringGrid: scroll once the grid is laid out
};

namespace render {

inline constexpr int kDefaultColWidth = 64;
inline const char* const kFontFamily = "DejaVu Sans";
inline constexpr int kFontPointSize = 8;
inline const QColor kFixedCell(0xE0, 0xE0, 0xE0);
inline const QColor kProgressGroove(0xA0, 0xA0, 0xA0);

// True when the two records would look the same on screen.
bool sameRecord(const ui::Control& a, const ui::Control& b);
bool sameRanges(const std::vector<ui::ColorRange>& a, const std::vector<ui::ColorRange>& b);

// Grids: the model's row 0 is the header row; the table's rows are the
// model's rows 1.. . Column 0 is the fixed column, drawn like the header.
const std::string& cellText(const ui::Grid& grid, int row, int col);
void setCellText(ui::Grid& grid, int row, int col, const std::string& text);
void styleCell(QTableWidgetItem* item, int modelRow, int col, const ui::Grid& grid);
void styleRow(QTableWidget* table, int modelRow, const ui::Grid& grid);
QFont condensedFont(const QFont& base);

// The rich edit: the caption coloured character by character.
void fitRichEditFont(QTextEdit* edit, const ui::Control& control);
void fillRichEdit(QTextEdit* edit, const ui::Control& control);

// A glyph that says what a picture button does, from its hint.
QStyle::StandardPixmap glyphFor(const QString& hint);
QDate calendarDate(const std::string& text);

// A check box answers a click anywhere in its rectangle, not only on the
// box and its caption.
class WholeAreaCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace render
} // namespace vargis::qt
