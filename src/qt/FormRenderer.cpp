#include "qt/FormRenderer.h"

#include "app/Application.h"
#include "qt/ActionSink.h"
#include "qt/ChartView.h"
#include "qt/FrontEnd.h"
#include "qt/QtText.h"
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

struct FormRenderer::Bound {
    std::string name;
    ControlKind kind = ControlKind::Label;
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

namespace {

constexpr int kDefaultColWidth = 64;
const char* const kFontFamily = "DejaVu Sans";
constexpr int kFontPointSize = 8;
const QColor kFixedCell(0xE0, 0xE0, 0xE0);
const QColor kProgressGroove(0xA0, 0xA0, 0xA0);

// ---- Record comparison: a sync touches a control only when its record
// differs from the one last applied.

bool samePoints(const std::vector<ui::Point>& a, const std::vector<ui::Point>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const ui::Point& p, const ui::Point& q) { return p.x == q.x && p.y == q.y; });
}

bool sameSeries(const ui::Series& a, const ui::Series& b) {
    return a.lineWidth == b.lineWidth && a.visible == b.visible && samePoints(a.points, b.points);
}

bool sameChart(const ui::Chart& a, const ui::Chart& b) {
    return sameSeries(a.series1, b.series1) && sameSeries(a.series2, b.series2) &&
           sameSeries(a.series4, b.series4) && a.band.x0 == b.band.x0 && a.band.y0 == b.band.y0 &&
           a.band.x1 == b.band.x1 && a.band.y1 == b.band.y1 && a.axisMin == b.axisMin &&
           a.axisMax == b.axisMax && a.title == b.title && a.footer == b.footer;
}

bool sameGrid(const ui::Grid& a, const ui::Grid& b) {
    return std::tie(a.colCount, a.rowCount, a.colWidths, a.selectedCol, a.selectedRow, a.topRow,
                    a.leftCol, a.editable, a.highlightRow, a.highlightTexts) ==
               std::tie(b.colCount, b.rowCount, b.colWidths, b.selectedCol, b.selectedRow, b.topRow,
                        b.leftCol, b.editable, b.highlightRow, b.highlightTexts) &&
           a.cells == b.cells;
}

bool sameRanges(const std::vector<ui::ColorRange>& a, const std::vector<ui::ColorRange>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ui::ColorRange& p, const ui::ColorRange& q) {
                          return p.start == q.start && p.length == q.length && p.color == q.color;
                      });
}

bool sameRecord(const ui::Control& a, const ui::Control& b) {
    return std::tie(a.parent, a.caption, a.hint, a.visible, a.enabled, a.checked, a.bold,
                    a.fontColor, a.color, a.left, a.top, a.width, a.height, a.min, a.max,
                    a.position, a.associate, a.pages, a.activePage, a.tabVisible, a.lines,
                    a.textColor, a.date, a.minDate, a.maxDate, a.interval, a.items,
                    a.popupComponent, a.radioItem, a.groupIndex, a.menu, a.popupMenu) ==
               std::tie(b.parent, b.caption, b.hint, b.visible, b.enabled, b.checked, b.bold,
                        b.fontColor, b.color, b.left, b.top, b.width, b.height, b.min, b.max,
                        b.position, b.associate, b.pages, b.activePage, b.tabVisible, b.lines,
                        b.textColor, b.date, b.minDate, b.maxDate, b.interval, b.items,
                        b.popupComponent, b.radioItem, b.groupIndex, b.menu, b.popupMenu) &&
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
    if (grid.editable && col > 0)
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
        {"сохран", QStyle::SP_DialogSaveButton}, {"печат", QStyle::SP_FileDialogDetailedView},
        {"помощь", QStyle::SP_DialogHelpButton}, {"очист", QStyle::SP_TrashIcon},
        {"удал", QStyle::SP_TrashIcon},          {"выключ", QStyle::SP_MediaStop},
        {"включ", QStyle::SP_MediaPlay},         {"добав", QStyle::SP_FileDialogNewFolder},
    };
    for (const Rule& rule : rules)
        if (hint.contains(QString::fromUtf8(rule.word), Qt::CaseInsensitive))
            return rule.glyph;
    return QStyle::SP_ArrowRight;
}

QDate calendarDate(const std::string& text) {
    return toQDate(text);
}

// A check box answers a click anywhere in its rectangle, not only on the
// box and its caption.
class WholeAreaCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace

// ============================================================================

FormRenderer::FormRenderer(FrontEnd& front, ui::Form& form, bool mainWindow)
    : front_(front), form_(form), mainWindow_(mainWindow) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (mainWindow)
        flags |= Qt::WindowMinimizeButtonHint;
    window_ = std::make_unique<QWidget>(nullptr, flags);
    window_->setFont(QFont(QString::fromLatin1(kFontFamily), kFontPointSize));
    window_->setObjectName(toQ(form.name()));
    window_->installEventFilter(this);

    auto self = std::make_unique<Bound>();
    self->name = form.name();
    self->kind = ControlKind::Form;
    self->widget = window_.get();
    self->container = window_.get();
    byName_[self->name] = self.get();
    byObject_[window_.get()] = self.get();
    bound_.push_back(std::move(self));

    connect(qApp, &QApplication::focusChanged, this, &FormRenderer::onFocusChanged);
}

FormRenderer::~FormRenderer() {
    destroying_ = true;
    disconnect(qApp, nullptr, this, nullptr);
    window_.reset();
}

QWidget* FormRenderer::widget(const std::string& control) const {
    auto it = byName_.find(control);
    return it == byName_.end() ? nullptr : it->second->widget;
}

QMenu* FormRenderer::menu(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second->menu;
}

QAction* FormRenderer::menuAction(const std::string& item) const {
    auto it = byName_.find(item);
    return it == byName_.end() ? nullptr : it->second->action;
}

QTimer* FormRenderer::timer(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second->timer;
}

QSize FormRenderer::chartSize() const {
    for (const auto& bound : bound_)
        if (bound->kind == ControlKind::Chart && bound->widget)
            return bound->widget->size();
    return {};
}

void FormRenderer::act(const std::function<void(ActionSink&)>& action, bool dropWhenBusy) {
    front_.perform([this, action] { action(front_.sink()); },
                   dropWhenBusy ? FrontEnd::WhenBusy::Drop : FrontEnd::WhenBusy::Queue);
}

QWidget* FormRenderer::containerFor(const std::string& parent) const {
    auto it = byName_.find(parent);
    if (it == byName_.end() || !it->second->container)
        return window_.get();
    return it->second->container;
}

// ---- Creation -------------------------------------------------------------

void FormRenderer::create(const ui::Control& control) {
    auto owned = std::make_unique<Bound>();
    Bound* b = owned.get();
    b->name = control.name;
    b->kind = control.kind;
    QWidget* parent = containerFor(control.parent);
    const std::string formName = form_.name();
    const std::string name = control.name;

    switch (control.kind) {
    case ControlKind::Form:
        return; // only the form's own record has this kind
    case ControlKind::Label:
    case ControlKind::StaticText: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        b->widget = label;
        break;
    }
    case ControlKind::BitBtn: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, formName, name] { act([=](ActionSink& s) { s.click(formName, name); }); });
        b->widget = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new WholeAreaCheckBox(parent);
        connect(box, &QCheckBox::clicked, this, [this, b, formName, name](bool checked) {
            b->shown.checked = checked;
            act([=](ActionSink& s) { s.toggleCheckBox(formName, name, checked); });
        });
        b->widget = box;
        break;
    }
    case ControlKind::UpDown: {
        auto* arrows = new UpDownWidget(parent);
        // The arrow moves the position first; the press itself is reported
        // after it, as the position has already moved when it arrives.
        connect(arrows, &UpDownWidget::stepped, this, [this, formName, name](bool up) {
            act([=](ActionSink& s) {
                s.upDownClick(formName, name, up);
                s.mouseDown(formName, name);
            });
        });
        b->widget = arrows;
        break;
    }
    case ControlKind::PageControl: {
        auto* tabs = new QTabWidget(parent);
        tabs->setUsesScrollButtons(true);
        connect(tabs, &QTabWidget::currentChanged, this, [this, b, tabs, formName, name](int) {
            auto it = byObject_.find(tabs->currentWidget());
            if (it == byObject_.end())
                return;
            const std::string sheet = it->second->name;
            b->shown.activePage = sheet;
            act([=](ActionSink& s) { s.selectPage(formName, name, sheet); });
        });
        b->widget = tabs;
        break;
    }
    case ControlKind::TabSheet: {
        auto* page = new QWidget;
        auto it = byName_.find(control.parent);
        if (it != byName_.end() && it->second->kind == ControlKind::PageControl) {
            auto* tabs = static_cast<QTabWidget*>(it->second->widget);
            const QSignalBlocker block(tabs);
            tabs->addTab(page, literalCaption(control.caption));
        } else {
            page->setParent(parent);
        }
        b->widget = page;
        b->container = page;
        break;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(parent);
        b->widget = group;
        b->container = group;
        break;
    }
    case ControlKind::StringGrid: {
        auto* table = new QTableWidget(parent);
        table->setFont(condensedFont(table->font()));
        table->verticalHeader()->hide();
        table->verticalHeader()->setMinimumSectionSize(8);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
        table->horizontalHeader()->setMinimumSectionSize(0);
        table->horizontalHeader()->setHighlightSections(false);
        table->horizontalHeader()->setSectionsClickable(false);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setSelectionBehavior(QAbstractItemView::SelectItems);
        table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        table->setWordWrap(false);
        connect(table, &QTableWidget::currentCellChanged, this,
                [this, b, formName, name](int row, int col, int, int) {
                    if (row < 0 || col < 0)
                        return;
                    b->shown.grid.selectedRow = row + 1;
                    b->shown.grid.selectedCol = col;
                    act([=](ActionSink& s) { s.selectCell(formName, name, col, row + 1); });
                });
        connect(table, &QTableWidget::itemChanged, this,
                [this, b, formName, name](QTableWidgetItem* item) {
                    const int row = item->row() + 1;
                    const int col = item->column();
                    const std::string text = fromQ(item->text());
                    setCellText(b->shown.grid, row, col, text);
                    act([=](ActionSink& s) { s.editCell(formName, name, col, row, text); });
                });
        table->installEventFilter(this);
        b->widget = table;
        break;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        b->widget = bar;
        break;
    }
    case ControlKind::Memo: {
        auto* memo = new QPlainTextEdit(parent);
        memo->setReadOnly(true);
        b->widget = memo;
        break;
    }
    case ControlKind::RichEdit: {
        auto* edit = new QTextEdit(parent);
        edit->setReadOnly(true);
        edit->setFrameStyle(QFrame::NoFrame);
        edit->setLineWrapMode(QTextEdit::NoWrap);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->document()->setDocumentMargin(1);
        b->widget = edit;
        break;
    }
    case ControlKind::MonthCalendar: {
        auto* calendar = new QCalendarWidget(parent);
        calendar->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        calendar->setFirstDayOfWeek(Qt::Monday);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        calendar->setGridVisible(false);
        connect(calendar, &QCalendarWidget::clicked, this, [this, b, formName, name](QDate date) {
            const std::string text = fromQDate(date);
            b->shown.date = text;
            act([=](ActionSink& s) { s.calendarClick(formName, name, text); });
        });
        b->widget = calendar;
        break;
    }
    case ControlKind::Image: {
        auto* image = new QToolButton(parent);
        image->setAutoRaise(true);
        image->setFocusPolicy(Qt::NoFocus);
        image->setToolButtonStyle(Qt::ToolButtonIconOnly);
        connect(image, &QToolButton::clicked, this,
                [this, formName, name] { act([=](ActionSink& s) { s.click(formName, name); }); });
        b->widget = image;
        break;
    }
    case ControlKind::Timer: {
        b->timer = new QTimer(window_.get());
        // A tick that arrives while an action runs (during its dialog or
        // pause) is skipped; the next one comes soon enough.
        connect(b->timer, &QTimer::timeout, this, [this, formName, name] {
            act([=](ActionSink& s) { s.timerTick(formName, name); }, true);
        });
        break;
    }
    case ControlKind::PopupMenu: {
        b->menu = new QMenu(window_.get());
        b->menu->setToolTipsVisible(true);
        menusDirty_ = true;
        break;
    }
    case ControlKind::MenuItem: {
        b->action = new QAction(window_.get());
        const std::string menuName = control.menu;
        connect(b->action, &QAction::triggered, this, [this, formName, name, menuName] {
            noteMenuChecks(menuName);
            act([=](ActionSink& s) { s.chooseMenuItem(formName, name); });
        });
        menusDirty_ = true;
        break;
    }
    case ControlKind::Chart: {
        auto* chart = new ChartView(parent);
        b->widget = chart;
        b->container = chart;
        break;
    }
    }

    if (b->widget) {
        b->widget->setObjectName(toQ(name));
        b->widget->installEventFilter(this);
        byObject_[b->widget] = b;
    }
    byName_[name] = b;
    bound_.push_back(std::move(owned));
}

// ---- Sync -----------------------------------------------------------------

void FormRenderer::sync() {
    if (destroying_)
        return;
    // New controls first, so that menus find their items and children their
    // parents; then the changes, parents before children.
    std::vector<Bound*> created;
    for (const std::string& name : form_.order()) {
        if (byName_.count(name) != 0)
            continue;
        if (const ui::Control* control = form_.find(name)) {
            create(*control);
            auto it = byName_.find(name);
            if (it != byName_.end())
                created.push_back(it->second);
        }
    }
    // Labels and pictures are painted on their parent, under the parent's
    // other controls; keep their order among themselves.
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        Bound* b = *it;
        if ((b->kind == ControlKind::Label || b->kind == ControlKind::Image) && b->widget &&
            !qobject_cast<ChartView*>(b->widget->parentWidget()))
            b->widget->lower();
    }

    bool formVisibilityChanged = false;
    for (const auto& owned : bound_) {
        Bound& b = *owned;
        const ui::Control* now = form_.find(b.name);
        if (!now)
            continue;
        const bool menuNeedsItems = b.kind == ControlKind::PopupMenu && menusDirty_;
        if (b.applied && !menuNeedsItems && sameRecord(b.shown, *now))
            continue;
        const ui::Control* was = b.applied ? &b.shown : nullptr;
        if (b.kind == ControlKind::Form)
            formVisibilityChanged = !was || was->visible != now->visible;
        apply(b, was, *now);
        b.shown = *now;
        b.applied = true;
    }
    menusDirty_ = false;

    // The control the program gave the focus to takes it.
    if (form_.focus() != focusShown_) {
        focusShown_ = form_.focus();
        auto it = byName_.find(focusShown_);
        if (it != byName_.end() && it->second->widget && it->second->widget->isVisible())
            it->second->widget->setFocus(Qt::OtherFocusReason);
    }

    // The window is shown or hidden last, with its controls already in place.
    if (formVisibilityChanged) {
        const ui::Control& self = form_.self();
        if (self.visible && !window_->isVisible()) {
            window_->show();
            window_->raise();
        } else if (!self.visible && window_->isVisible()) {
            window_->hide();
        }
    }
}

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
    case ControlKind::Memo:
        if (changed(&ui::Control::lines, now)) {
            QStringList lines;
            for (const std::string& line : now.lines)
                lines.append(toQ(line));
            static_cast<QPlainTextEdit*>(w)->setPlainText(lines.join(QLatin1Char('\n')));
        }
        break;
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
            image->setIcon(image->style()->standardIcon(glyphFor(toQ(now.hint))));
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
    if (!was || was->bold != now.bold) {
        QFont font = w->font();
        font.setBold(now.bold);
        w->setFont(font);
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
    if (!was || was->caption != now.caption)
        w->setWindowTitle(toQ(now.caption));
    if ((!was || was->width != now.width || was->height != now.height) && now.width > 0 &&
        now.height > 0)
        w->setFixedSize(now.width, now.height);
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
            item->setText(toQ(text));
            if (!grid.highlightTexts.empty() || (before && !before->highlightTexts.empty()))
                styleCell(item, row, col, grid);
        }
    }

    if (!before || before->editable != grid.editable) {
        for (int row = 1; row <= rows; ++row)
            styleRow(table, row, grid);
        table->setEditTriggers(
            grid.editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                          : QAbstractItemView::NoEditTriggers);
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
}

// ---- Events ---------------------------------------------------------------

void FormRenderer::openPopup(const Bound& b, QPoint globalPos) {
    const std::string formName = form_.name();
    const std::string menuName = b.shown.popupMenu;
    const std::string component = b.name;
    act([this, formName, menuName, component, globalPos](ActionSink& s) {
        s.openPopup(formName, menuName, component);
        front_.showMenu(formName, menuName, globalPos);
    });
}

bool FormRenderer::eventFilter(QObject* watched, QEvent* event) {
    if (destroying_)
        return false;
    auto it = byObject_.find(watched);
    if (it == byObject_.end())
        return false;
    Bound& b = *it->second;

    if (b.kind == ControlKind::Form && handleWindowEvent(event))
        return true;

    switch (event->type()) {
    case QEvent::ContextMenu:
        // A control without a menu of its own passes the right click on to
        // its parent, up to the form.
        if (!b.shown.popupMenu.empty()) {
            openPopup(b, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
        if ((b.kind == ControlKind::Label || b.kind == ControlKind::StaticText) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const std::string formName = form_.name();
            const std::string name = b.name;
            act([=](ActionSink& s) { s.click(formName, name); });
            return true;
        }
        return false;
    case QEvent::Show:
        if (b.kind == ControlKind::StringGrid && b.pendingTopRow >= 0) {
            auto* table = static_cast<QTableWidget*>(b.widget);
            const int row = b.pendingTopRow;
            b.pendingTopRow = -1;
            QTimer::singleShot(0, table,
                               [table, row] { table->verticalScrollBar()->setValue(row); });
        }
        return false;
    default:
        return false;
    }
}

bool FormRenderer::handleWindowEvent(QEvent* event) {
    const std::string formName = form_.name();
    switch (event->type()) {
    case QEvent::Close:
        if (mainWindow_)
            act([](ActionSink& s) { s.closeMainWindow(); });
        else
            act([formName](ActionSink& s) { s.formClosed(formName); });
        return false; // the window closes
    case QEvent::WindowStateChange: {
        if (!mainWindow_)
            return false;
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = (change->oldState() & Qt::WindowMinimized) != 0;
        const bool minimized = (window_->windowState() & Qt::WindowMinimized) != 0;
        if (minimized && !wasMinimized)
            act([](ActionSink& s) { s.systemCommand(app::kSysCommandMinimize); });
        else if (!minimized && wasMinimized)
            act([](ActionSink& s) { s.systemCommand(app::kSysCommandRestore); });
        return false;
    }
    case QEvent::WindowActivate:
        if (mainWindow_)
            act([](ActionSink& s) { s.activate(); }, true);
        return false;
    default:
        return false;
    }
}

void FormRenderer::onFocusChanged(QWidget* old, QWidget* now) {
    // Only a move of the focus within this window is a control losing it;
    // the window losing the focus to a dialog or a menu is not.
    if (destroying_ || !old || !now || old->window() != window_.get() ||
        now->window() != window_.get())
        return;
    std::vector<std::string> left; // innermost first
    for (QWidget* w = old; w && w != window_.get(); w = w->parentWidget()) {
        if (w == now || w->isAncestorOf(now))
            break;
        auto it = byObject_.find(w);
        if (it != byObject_.end())
            left.push_back(it->second->name);
    }
    if (left.empty())
        return;
    const std::string formName = form_.name();
    act(
        [formName, left](ActionSink& s) {
            for (const std::string& name : left)
                s.focusLost(formName, name);
        },
        true);
}

} // namespace vargis::qt
