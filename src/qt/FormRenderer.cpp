
#include "qt/FormRenderer.h"

#include "app/Application.h"
#include "qt/ActionSink.h"
#include "qt/ChartView.h"
#include "qt/Fitting.h"
#include "qt/FrontEnd.h"
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
#include <QGridLayout>
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

// ============================================================================

FormRenderer::FormRenderer(FrontEnd& front, ui::Form& form, bool mainWindow)
    : front_(front), form_(form), mainWindow_(mainWindow) {
    // A form that stays above the program's other windows is a tool window:
    // only such windows (and dialogs) tell the window system which window
    // they belong to, and so stay above it.
    const Qt::WindowType type = !mainWindow && form.self().stayOnTop ? Qt::Tool : Qt::Window;
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (mainWindow || form.self().closeBox)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (mainWindow || form.self().minimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    // The main window may grow (window managers offer maximising whatever a
    // window says); its controls keep their places on a canvas of the form's
    // size, centred in the larger window.
    if (mainWindow)
        flags |= Qt::WindowMaximizeButtonHint;
    window_ = std::make_unique<QWidget>(nullptr, flags);
    window_->setFont(QFont(QString::fromLatin1(kFontFamily), kFontPointSize));
    window_->setObjectName(toQ(form.name()));
    window_->installEventFilter(this);

    auto self = std::make_unique<Bound>();
    self->name = form.name();
    self->kind = ControlKind::Form;
    self->widget = window_.get();
    self->container = window_.get();
    if (mainWindow) {
        canvas_ = new QWidget(window_.get());
        auto* layout = new QGridLayout(window_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(canvas_, 0, 0, Qt::AlignCenter);
        self->container = canvas_;
    }
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
        return canvas_ ? canvas_ : window_.get();
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
        connect(table, &QTableWidget::pressed, this, [this, formName, name](const QModelIndex&) {
            act([=](ActionSink& s) { s.mouseDown(formName, name); });
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

    // Controls on the chart's top edge may have appeared or gone.
    for (const auto& owned : bound_)
        if (owned->kind == ControlKind::Chart && owned->widget)
            keepChartTitleClear(static_cast<ChartView*>(owned->widget));

    // The control the program gave the focus to takes it.
    if (form_.focus() != focusShown_ || form_.focusRequests() != focusRequestsShown_) {
        focusShown_ = form_.focus();
        focusRequestsShown_ = form_.focusRequests();
        auto it = byName_.find(focusShown_);
        if (it != byName_.end() && it->second->widget && it->second->widget->isVisible())
            it->second->widget->setFocus(Qt::OtherFocusReason);
    }

    // The window is shown or hidden last, with its controls already in place.
    if (formVisibilityChanged) {
        const ui::Control& self = form_.self();
        if (self.visible && !window_->isVisible()) {
            // A window the window system minimised along with the main
            // window before it was hidden comes back as a normal one; shown
            // minimised, it would take the main window down with it.
            window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
            placeBesideMainWindow();
            window_->show();
            window_->raise();
        } else if (!self.visible && window_->isVisible()) {
            window_->hide();
        }
    }
}

// A window without a place of its own that accompanies the main window
// appears beside it the first time, off the main window's controls; later it
// comes back where it was left.
void FormRenderer::placeBesideMainWindow() {
    const ui::Control& self = form_.self();
    if (mainWindow_ || placedBesideMain_ || self.left != 0 || self.top != 0 || !self.stayOnTop)
        return;
    QWidget* main = front_.mainWindow();
    if (!main || !main->isVisible())
        return;
    placedBesideMain_ = true;
    // On a screen too narrow for the panel on either side of the main
    // window but wide enough for both, the main window makes room.
    if (main->screen() && !main->isMaximized()) {
        const QRect frame = main->frameGeometry();
        const int decorations = std::max(0, frame.width() - main->width());
        const QPoint at =
            roomBeside(frame, window_->width() + decorations, main->screen()->availableGeometry());
        if (at != frame.topLeft())
            main->move(at);
    }
    window_->move(placeBesideWindow(main, window_.get()));
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
    case QEvent::Enter:
    case QEvent::Leave:
        // A control with a hover colour shows it while the mouse is over it.
        if (b.widget && !isDefaultColor(b.shown.hoverFontColor)) {
            const ui::Color color =
                event->type() == QEvent::Enter ? b.shown.hoverFontColor : b.shown.fontColor;
            QPalette palette = b.widget->palette();
            palette.setColor(QPalette::WindowText,
                             isDefaultColor(color) ? QApplication::palette().windowText().color()
                                                   : toQColor(color));
            b.widget->setPalette(palette);
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
        if (mainWindow_) {
            // The program decides: it may ask to save first and stay open.
            // Once it closed, its record says the window is hidden.
            if (!front_.sink().closed()) {
                event->ignore();
                act([](ActionSink& s) { s.closeMainWindow(); });
                return true;
            }
            return false;
        }
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
