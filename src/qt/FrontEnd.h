#pragma once
// The desktop front end of the control model: one window per form, the user
// actions forwarded one at a time, and the widgets brought up to date after
// every action and whenever the model's revision moves.

#include "qt/ActionSink.h"
#include "ui/Form.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vargis::qt {

class FormRenderer;

class FrontEnd : public QObject {
    Q_OBJECT

public:
    explicit FrontEnd(ActionSink& sink, QObject* parent = nullptr);
    ~FrontEnd() override;

    // Builds the window of a form. The main window has the main frame and
    // reports system commands, activation and closing.
    FormRenderer& addForm(ui::Form& form, bool mainWindow = false);
    FormRenderer* renderer(const std::string& formName) const;
    // The main window; none before it is built.
    QWidget* mainWindow() const;

    ActionSink& sink() { return sink_; }

    // What to do with an action that arrives while another one still runs
    // (a timer tick or a focus change during a dialog of that action).
    enum class WhenBusy { Queue, Drop };
    // Runs one user action, then brings every window up to date. Actions are
    // never nested: one arriving during another runs after it or is dropped.
    void perform(const std::function<void()>& action, WhenBusy whenBusy = WhenBusy::Queue);
    bool busy() const { return busy_; }

    // Applies every model change to the widgets.
    void syncAll();

    // Shows the pop-up menu of a form at a screen position.
    void showMenu(const std::string& form, const std::string& menu, QPoint globalPos);

    // Size of the chart as shown (for saving it as a picture).
    QSize chartSize() const;

private:
    void runNextQueued();
    // Windows of forms that stay on top of the program's windows become
    // transient windows of the main window, which the window system keeps
    // above it.
    void keepAboveMainWindow();

    ActionSink& sink_;
    std::vector<std::unique_ptr<FormRenderer>> renderers_;
    FormRenderer* mainRenderer_ = nullptr;
    std::deque<std::function<void()>> queued_;
    bool busy_ = false;
    bool syncing_ = false;
    QTimer revisionPoll_;
    std::uint64_t syncedRevision_ = 0;
};

} // namespace vargis::qt
