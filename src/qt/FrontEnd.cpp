#include "qt/FrontEnd.h"

#include "qt/FormRenderer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <QWindow>

namespace vargis::qt {

namespace {

constexpr int kRevisionPollMs = 100;

// A cell being typed in holds the user's latest edit; it reaches the model
// before a click that follows it (a click on a label takes no focus, so the
// editor would otherwise stay open with the text the save never saw).
void commitOpenCellEditor() {
    QWidget* editor = QApplication::focusWidget();
    if (!editor)
        return;
    for (QWidget* w = editor->parentWidget(); w; w = w->parentWidget()) {
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            if (view->viewport()->isAncestorOf(editor))
                QMetaObject::invokeMethod(view, "commitData", Qt::DirectConnection,
                                          Q_ARG(QWidget*, editor));
            return;
        }
    }
}

} // namespace

FrontEnd::FrontEnd(ActionSink& sink, QObject* parent) : QObject(parent), sink_(sink) {
    // The model may change outside a forwarded action (a handler run by the
    // core itself); the revision tells.
    revisionPoll_.setInterval(kRevisionPollMs);
    connect(&revisionPoll_, &QTimer::timeout, this, [this] {
        if (!busy_ && sink_.revision() != syncedRevision_)
            syncAll();
    });
    revisionPoll_.start();
}

FrontEnd::~FrontEnd() = default;

FormRenderer& FrontEnd::addForm(ui::Form& form, bool mainWindow) {
    renderers_.push_back(std::make_unique<FormRenderer>(*this, form, mainWindow));
    FormRenderer& renderer = *renderers_.back();
    if (mainWindow)
        mainRenderer_ = &renderer;
    if (!mainRenderer_ && form.self().stayOnTop)
        return renderer; // shown once it can be bound to the main window
    keepAboveMainWindow();
    renderer.sync();
    // The windows kept above the main window appear after it, bound to it.
    if (mainWindow)
        syncAll();
    return renderer;
}

void FrontEnd::keepAboveMainWindow() {
    if (!mainRenderer_)
        return;
    QWidget* main = mainRenderer_->window();
    main->winId(); // the native window the others are bound to
    for (const auto& renderer : renderers_) {
        if (renderer.get() == mainRenderer_ || !renderer->form().self().stayOnTop)
            continue;
        QWidget* window = renderer->window();
        window->winId();
        if (window->windowHandle()->transientParent() == main->windowHandle())
            continue;
        // The window system learns the bond when the window is shown.
        const bool shown = window->isVisible();
        if (shown)
            window->hide();
        window->windowHandle()->setTransientParent(main->windowHandle());
        if (shown)
            window->show();
    }
}

QWidget* FrontEnd::mainWindow() const {
    return mainRenderer_ ? mainRenderer_->window() : nullptr;
}

FormRenderer* FrontEnd::renderer(const std::string& formName) const {
    for (const auto& renderer : renderers_)
        if (renderer->form().name() == formName)
            return renderer.get();
    return nullptr;
}

void FrontEnd::perform(const std::function<void()>& action, WhenBusy whenBusy) {
    // An action that a sync itself sets off (a focused widget hidden by the
    // model loses the focus) counts as arriving during an action.
    if (busy_ || syncing_) {
        if (whenBusy == WhenBusy::Queue)
            queued_.push_back(action);
        return;
    }
    if (whenBusy == WhenBusy::Queue)
        commitOpenCellEditor();
    struct BusyScope {
        bool& flag;
        explicit BusyScope(bool& f) : flag(f) { flag = true; }
        ~BusyScope() { flag = false; }
    } scope(busy_);
    action();
    syncAll();
    if (!queued_.empty())
        QTimer::singleShot(0, this, &FrontEnd::runNextQueued);
}

void FrontEnd::runNextQueued() {
    if (busy_ || syncing_ || queued_.empty())
        return;
    std::function<void()> next = std::move(queued_.front());
    queued_.pop_front();
    perform(next);
}

void FrontEnd::syncAll() {
    if (syncing_)
        return;
    syncing_ = true;
    syncedRevision_ = sink_.revision();
    for (const auto& renderer : renderers_)
        renderer->sync();
    syncing_ = false;
    if (!busy_ && !queued_.empty())
        QTimer::singleShot(0, this, &FrontEnd::runNextQueued);
}

void FrontEnd::showMenu(const std::string& form, const std::string& menu, QPoint globalPos) {
    if (FormRenderer* renderer = this->renderer(form))
        if (QMenu* qmenu = renderer->menu(menu))
            qmenu->popup(globalPos);
}

QSize FrontEnd::chartSize() const {
    for (const auto& renderer : renderers_) {
        const QSize size = renderer->chartSize();
        if (size.isValid())
            return size;
    }
    return {};
}

} // namespace vargis::qt
