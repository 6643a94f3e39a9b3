// Applying a changed control record to its widget.

#include "app/Application.h"
#include "qt/ActionSink.h"
#include "qt/ChartView.h"
#include "qt/Fitting.h"
#include "qt/FrontEnd.h"
#include "qt/ProgramIcon.h"
#include "qt/QtText.h"
#include "qt/RenderSupport.h"
#include "qt/UpDownWidget.h"

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

namespace vargis::qt {

using ui::ControlKind;
using namespace render;

void FormRenderer::apply(Bound& b, const ui::Control* was, const ui::Control& now) {
    switch (b.kind) {
    case ControlKind::Form:
        applyForm(was, now);
        return;
    case ControlKind::TabSheet:
        applyTabSheet(b, was, now);
        return;
    case ControlKind::Timer:
        applyTimer(b, now);
        return;
    case ControlKind::PopupMenu:
        applyMenu(b, was, now);
        return;
    case ControlKind::MenuItem:
        applyMenuItem(b, was, now);
        return;
    default:
        break;
    }
    if (!b.widget)
        return;

    auto changed = [was](auto member, const ui::Control& n) {
        return !was || was->*member != n.*member;
    };
    QWidget* w = b.widget;

    switch (b.kind) {
    case ControlKind::Label:
    case ControlKind::StaticText:
        if (changed(&ui::Control::caption, now))
            static_cast<QLabel*>(w)->setText(displayText(now.caption));
        break;
    case ControlKind::BitBtn:
        if (changed(&ui::Control::caption, now))
            static_cast<QPushButton*>(w)->setText(literalCaption(now.caption));
        break;
    case ControlKind::CheckBox: {
        auto* box = static_cast<QCheckBox*>(w);
        const QSignalBlocker block(box);
        if (changed(&ui::Control::caption, now))
            box->setText(literalCaption(now.caption));
        if (changed(&ui::Control::checked, now))
            box->setChecked(now.checked);
        break;
    }
    case ControlKind::UpDown:
        if (!was || was->width != now.width || was->height != now.height)
            static_cast<UpDownWidget*>(w)->setHorizontal(now.width > now.height);
        break;
    case ControlKind::PageControl: {
        auto* tabs = static_cast<QTabWidget*>(w);
        if (changed(&ui::Control::activePage, now)) {
            auto it = byName_.find(now.activePage);
            if (it != byName_.end() && it->second->widget) {
                const QSignalBlocker block(tabs);
                tabs->setCurrentWidget(it->second->widget);
            }
        }
        break;
    }
    case ControlKind::GroupBox:
        if (changed(&ui::Control::caption, now))
            static_cast<QGroupBox*>(w)->setTitle(literalCaption(now.caption));
        break;
    case ControlKind::StringGrid:
        applyGrid(b, was, now);
        break;
    case ControlKind::ProgressBar: {
        auto* bar = static_cast<QProgressBar*>(w);
        bar->setOrientation(now.height > now.width ? Qt::Vertical : Qt::Horizontal);
        if (changed(&ui::Control::min, now) || changed(&ui::Control::max, now))
            bar->setRange(now.min, std::max(now.min, now.max));
        if (changed(&ui::Control::position, now) || changed(&ui::Control::min, now) ||
            changed(&ui::Control::max, now))
            bar->setValue(std::clamp(now.position, bar->minimum(), bar->maximum()));
        if (changed(&ui::Control::color, now)) {
            const QColor chunk =
                isDefaultColor(now.color) ? QColor(Qt::white) : toQColor(now.color);
            bar->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #808080; "
                                              "background: %1; } QProgressBar::chunk "
                                              "{ background: %2; }")
                                   .arg(kProgressGroove.name(), chunk.name()));
        }
        break;
    }
    case ControlKind::Memo: {
        auto* memo = static_cast<QPlainTextEdit*>(w);
        if (changed(&ui::Control::lines, now)) {
            QStringList lines;
            for (const std::string& line : now.lines)
                lines.append(toQ(line));
            memo->setPlainText(lines.join(QLatin1Char('\n')));
        }
        // The caret where the model put it, scrolled into view.
        if (changed(&ui::Control::lines, now) || changed(&ui::Control::position, now)) {
            QTextCursor cursor = memo->textCursor();
            cursor.setPosition(
                std::clamp(now.position, 0, std::max(0, memo->document()->characterCount() - 1)));
            memo->setTextCursor(cursor);
            memo->ensureCursorVisible();
        }
        break;
    }
    case ControlKind::RichEdit:
        if (changed(&ui::Control::caption, now) || changed(&ui::Control::textColor, now) || !was ||
            !sameRanges(was->colorRanges, now.colorRanges)) {
            if (!was || was->caption != now.caption || was->width != now.width)
                fitRichEditFont(static_cast<QTextEdit*>(w), now);
            fillRichEdit(static_cast<QTextEdit*>(w), now);
        }
        break;
    case ControlKind::MonthCalendar: {
        auto* calendar = static_cast<QCalendarWidget*>(w);
        const QSignalBlocker block(calendar);
        if (changed(&ui::Control::minDate, now) || changed(&ui::Control::maxDate, now)) {
            const QDate low = calendarDate(now.minDate);
            const QDate high = calendarDate(now.maxDate);
            calendar->setMinimumDate(low.isValid() ? low : QDate(1752, 9, 14));
            calendar->setMaximumDate(high.isValid() ? high : QDate(9999, 12, 31));
        }
        const QDate date = calendarDate(now.date);
        if (date.isValid() &&
            (changed(&ui::Control::date, now) || calendar->selectedDate() != date))
            calendar->setSelectedDate(date);
        break;
    }
    case ControlKind::Image: {
        if (!b.glyphChosen) {
            auto* image = static_cast<QToolButton*>(w);
            const QStyle::StandardPixmap glyph = glyphFor(toQ(now.hint));
            image->setIcon(image->style()->standardIcon(glyph));
            if (glyph == QStyle::SP_MessageBoxQuestion)
                image->setCursor(Qt::WhatsThisCursor);
            if (showsProgramIcon(now.hint))
                image->setIcon(programIcon());
            b.glyphChosen = !now.hint.empty();
        }
        if (changed(&ui::Control::width, now) || changed(&ui::Control::height, now)) {
            const int side = std::max(8, std::min(now.width, now.height) - 4);
            static_cast<QToolButton*>(w)->setIconSize(QSize(side, side));
        }
        break;
    }
    case ControlKind::Chart:
        static_cast<ChartView*>(w)->showChart(now.chart, was ? &was->chart : nullptr);
        break;
    default:
        break;
    }
    applyCommon(b, was, now);
}

void FormRenderer::applyCommon(Bound& b, const ui::Control* was, const ui::Control& now) {
    QWidget* w = b.widget;
    const bool autoSized = b.kind == ControlKind::Label || b.kind == ControlKind::StaticText;
    if (!was || was->left != now.left || was->top != now.top || was->width != now.width ||
        was->height != now.height || (autoSized && was->caption != now.caption) ||
        was->bold != now.bold) {
        // A control without a size takes its natural one; a label is never
        // narrower than its text, as labels size themselves to their caption.
        const QSize natural = w->sizeHint();
        int width = now.width > 0 ? now.width : natural.width();
        const int height = now.height > 0 ? now.height : natural.height();
        if (autoSized)
            width = std::max(width, natural.width());
        w->setGeometry(now.left, now.top, width, height);
    }
    if (!was || was->enabled != now.enabled)
        w->setEnabled(now.enabled);
    if (!was || was->hint != now.hint)
        w->setToolTip(displayText(now.hint));
    if (!was || was->bold != now.bold || was->italic != now.italic ||
        was->underline != now.underline) {
        QFont font = w->font();
        font.setBold(now.bold);
        font.setItalic(now.italic);
        font.setUnderline(now.underline);
        w->setFont(font);
    }
    // A caption too long for the box the label lies in takes a smaller face
    // rather than being cut at the box's edge.
    if (autoSized &&
        (!was || was->caption != now.caption || was->width != now.width || was->left != now.left ||
         was->bold != now.bold || was->italic != now.italic || was->underline != now.underline)) {
        QFont base = window_->font();
        base.setBold(now.bold);
        base.setItalic(now.italic);
        base.setUnderline(now.underline);
        fitLabelToBox(static_cast<QLabel*>(w), base, now.left);
    }
    if (b.kind == ControlKind::BitBtn &&
        (!was || was->caption != now.caption || was->width != now.width ||
         was->height != now.height || was->bold != now.bold || was->italic != now.italic ||
         was->underline != now.underline)) {
        // A caption longer than the button takes a narrower, smaller face.
        QFont base = window_->font();
        base.setBold(now.bold);
        base.setItalic(now.italic);
        base.setUnderline(now.underline);
        fitButtonCaption(static_cast<QPushButton*>(w), base);
    }
    if (!was || was->fontColor != now.fontColor || was->color != now.color) {
        QPalette palette;
        if (!isDefaultColor(now.fontColor)) {
            const QColor text = toQColor(now.fontColor);
            palette.setColor(QPalette::WindowText, text);
            palette.setColor(QPalette::ButtonText, text);
            palette.setColor(QPalette::Text, text);
        }
        ui::Color background = now.color;
        if (b.kind == ControlKind::RichEdit && isDefaultColor(background))
            background = ui::colors::Navy;
        if (!isDefaultColor(background)) {
            const QColor fill = toQColor(background);
            palette.setColor(QPalette::Window, fill);
            palette.setColor(QPalette::Base, fill);
            palette.setColor(QPalette::Button, fill);
        }
        w->setPalette(palette);
        const bool paintsOwnBackground =
            b.kind == ControlKind::Label || b.kind == ControlKind::StaticText ||
            b.kind == ControlKind::CheckBox || b.kind == ControlKind::GroupBox;
        if (paintsOwnBackground)
            w->setAutoFillBackground(!isDefaultColor(now.color));
    }
    if (!was || was->visible != now.visible)
        w->setVisible(now.visible);
}

void FormRenderer::applyForm(const ui::Control* was, const ui::Control& now) {
    QWidget* w = window_.get();
    // A window already shown comes to the front; one being shown is raised
    // when it appears.
    if (was && was->raiseCount != now.raiseCount && w->isVisible()) {
        w->raise();
        w->activateWindow();
    }
    if (!was || was->caption != now.caption)
        w->setWindowTitle(toQ(now.caption));
    if ((!was || was->width != now.width || was->height != now.height) && now.width > 0 &&
        now.height > 0) {
        if (canvas_) {
            canvas_->setFixedSize(now.width, now.height);
            w->setMinimumSize(now.width, now.height);
            w->resize(now.width, now.height);
        } else {
            w->setFixedSize(now.width, now.height);
        }
    }
    if (!was || was->left != now.left || was->top != now.top) {
        if (now.left != 0 || now.top != 0) {
            w->move(now.left, now.top);
        } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            w->move(area.center() - QPoint(now.width / 2, now.height / 2));
        }
    }
    if (!was || was->hint != now.hint)
        w->setToolTip(displayText(now.hint));
    if (!was || was->color != now.color) {
        QPalette palette;
        if (!isDefaultColor(now.color))
            palette.setColor(QPalette::Window, toQColor(now.color));
        w->setPalette(palette);
    }
    if (!was || was->enabled != now.enabled)
        w->setEnabled(now.enabled);
}

void FormRenderer::applyTabSheet(Bound& b, const ui::Control* was, const ui::Control& now) {
    QWidget* page = b.widget;
    auto it = byName_.find(now.parent);
    QTabWidget* tabs = it != byName_.end() && it->second->kind == ControlKind::PageControl
                           ? static_cast<QTabWidget*>(it->second->widget)
                           : nullptr;
    if (!tabs) {
        // A sheet outside a page control is a plain panel.
        if (!was || was->visible != now.visible)
            page->setVisible(now.visible);
        return;
    }
    const int index = tabs->indexOf(page);
    if (index < 0)
        return;
    const QSignalBlocker block(tabs);
    if (!was || was->caption != now.caption)
        tabs->setTabText(index, literalCaption(now.caption));
    if (!was || was->tabVisible != now.tabVisible) {
        tabs->setTabVisible(index, now.tabVisible);
        // Hiding the current tab makes the tab bar pick another page; the
        // page control's record still says which page is shown.
        const ui::Control* pageControl = form_.find(now.parent);
        auto active = pageControl ? byName_.find(pageControl->activePage) : byName_.end();
        if (active != byName_.end() && active->second->widget &&
            tabs->currentWidget() != active->second->widget)
            tabs->setCurrentWidget(active->second->widget);
    }
    if (!was || was->caption != now.caption || was->tabVisible != now.tabVisible)
        fitTabCaptions(tabs);
    if (!was || was->hint != now.hint)
        tabs->setTabToolTip(index, displayText(now.hint));
    if (!was || was->enabled != now.enabled)
        page->setEnabled(now.enabled);
    if (!was || was->bold != now.bold || was->fontColor != now.fontColor) {
        QFont font = page->font();
        font.setBold(now.bold);
        page->setFont(font);
    }
}

void FormRenderer::applyTimer(Bound& b, const ui::Control& now) {
    QTimer* timer = b.timer;
    if (now.enabled && now.interval > 0) {
        if (timer->interval() != now.interval || !timer->isActive())
            timer->start(now.interval);
    } else {
        timer->stop();
    }
}

QActionGroup* FormRenderer::radioGroup(const std::string& menu, int groupIndex) {
    QActionGroup*& group = radioGroups_[{menu, groupIndex}];
    if (!group) {
        group = new QActionGroup(window_.get());
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    }
    return group;
}

void FormRenderer::applyMenu(Bound& b, const ui::Control* was, const ui::Control& now) {
    if (was && was->items == now.items && !menusDirty_)
        return;
    QMenu* menu = b.menu;
    for (QAction* action : menu->actions())
        menu->removeAction(action);
    for (const std::string& item : now.items) {
        auto it = byName_.find(item);
        if (it != byName_.end() && it->second->action)
            menu->addAction(it->second->action);
    }
}

void FormRenderer::applyMenuItem(Bound& b, const ui::Control* was, const ui::Control& now) {
    QAction* action = b.action;
    const QSignalBlocker block(action);
    if (!was || was->caption != now.caption) {
        const bool separator = now.caption == "-";
        action->setSeparator(separator);
        action->setText(separator ? QString() : literalCaption(now.caption));
    }
    if (!was || was->radioItem != now.radioItem || was->groupIndex != now.groupIndex ||
        was->menu != now.menu) {
        if (action->actionGroup())
            action->actionGroup()->removeAction(action);
        if (now.radioItem)
            radioGroup(now.menu, now.groupIndex)->addAction(action);
    }
    action->setCheckable(now.radioItem || now.checked);
    action->setChecked(now.checked);
    if (!was || was->visible != now.visible)
        action->setVisible(now.visible);
    if (!was || was->enabled != now.enabled)
        action->setEnabled(now.enabled);
    if (!was || was->hint != now.hint)
        action->setToolTip(displayText(now.hint));
}

void FormRenderer::noteMenuChecks(const std::string& menu) {
    // Qt has already moved the check mark; remember what the items show now.
    auto it = byName_.find(menu);
    if (it == byName_.end())
        return;
    for (const std::string& item : it->second->shown.items) {
        auto found = byName_.find(item);
        if (found != byName_.end() && found->second->action)
            found->second->shown.checked = found->second->action->isChecked();
    }
}

void FormRenderer::applyGrid(Bound& b, const ui::Control* was, const ui::Control& now) {
    auto* table = static_cast<QTableWidget*>(b.widget);
    const QSignalBlocker block(table);
    const ui::Grid& grid = now.grid;
    const ui::Grid* before = was ? &was->grid : nullptr;
    const int cols = std::max(0, grid.colCount);
    const int rows = std::max(0, grid.rowCount - 1);
    const bool reshaped =
        !before || before->colCount != grid.colCount || before->rowCount != grid.rowCount;
    if (reshaped) {
        table->setColumnCount(cols);
        table->setRowCount(rows);
    }

    for (int col = 0; col < cols; ++col) {
        const std::string& text = cellText(grid, 0, col);
        if (!reshaped && text == cellText(*before, 0, col))
            continue;
        QTableWidgetItem* header = table->horizontalHeaderItem(col);
        if (!header) {
            header = new QTableWidgetItem;
            table->setHorizontalHeaderItem(col, header);
        }
        header->setText(displayText(text));
    }

    for (int row = 1; row <= rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const std::string& text = cellText(grid, row, col);
            QTableWidgetItem* item = table->item(row - 1, col);
            if (!item) {
                item = new QTableWidgetItem;
                styleCell(item, row, col, grid);
                table->setItem(row - 1, col, item);
            } else if (!reshaped && text == cellText(*before, row, col)) {
                continue;
            }
            item->setText(col == grid.markerCol ? QString() : toQ(text));
            if (!grid.highlightTexts.empty() || (before && !before->highlightTexts.empty()))
                styleCell(item, row, col, grid);
        }
    }

    if (!before || before->editable != grid.editable || before->editorShown != grid.editorShown) {
        for (int row = 1; row <= rows; ++row)
            styleRow(table, row, grid);
        QAbstractItemView::EditTriggers triggers = QAbstractItemView::NoEditTriggers;
        if (grid.editable)
            triggers = QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                       QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;
        // An editor always shown opens as soon as a cell becomes current.
        if (grid.editable && grid.editorShown)
            triggers |= QAbstractItemView::CurrentChanged;
        table->setEditTriggers(triggers);
    } else if (before->highlightTexts != grid.highlightTexts) {
        for (int row = 1; row <= rows; ++row)
            styleRow(table, row, grid);
    } else if (before->highlightRow != grid.highlightRow || reshaped) {
        styleRow(table, before->highlightRow, grid);
        styleRow(table, grid.highlightRow, grid);
    }

    if (reshaped || before->colWidths != grid.colWidths) {
        for (int col = 0; col < cols; ++col) {
            const int width = static_cast<std::size_t>(col) < grid.colWidths.size()
                                  ? grid.colWidths[static_cast<std::size_t>(col)]
                                  : kDefaultColWidth;
            table->setColumnHidden(col, width <= 0);
            if (width > 0)
                table->setColumnWidth(col, width);
        }
    }

    if (reshaped || before->selectedRow != grid.selectedRow ||
        before->selectedCol != grid.selectedCol) {
        if (grid.selectedRow >= 1 && grid.selectedRow <= rows && grid.selectedCol >= 0 &&
            grid.selectedCol < cols)
            table->setCurrentCell(grid.selectedRow - 1, grid.selectedCol);
        else
            table->setCurrentCell(-1, -1);
    }

    if ((reshaped || before->topRow != grid.topRow) && grid.topRow >= 1 && grid.topRow <= rows) {
        if (table->isVisible()) {
            table->verticalScrollBar()->setValue(grid.topRow - 1);
            b.pendingTopRow = -1;
        } else {
            b.pendingTopRow = grid.topRow - 1; // scrolled when the grid is shown
        }
    }
    // As in the toolkit's grid, a cell made current on a shown grid is
    // scrolled into view (an appended row, the last draw after a save).
    if ((reshaped || before->selectedRow != grid.selectedRow) && table->isVisible())
        if (QTableWidgetItem* current = table->currentItem())
            table->scrollToItem(current);
}

} // namespace vargis::qt
