#pragma once
// Renders one form of the control model as a top-level Qt window with one
// widget per control, and reports the widgets' events by control name.
//
// Every control keeps a copy of the record as it was last applied; a sync
// compares the model with that copy and touches only what changed, with the
// widgets' signals blocked so that a change from the model is never reported
// back as a user action. When the user changes a widget's state (ticks a
// box, switches a page), the copy is updated to what the widget now shows,
// so that the model's answer is applied even when it restores the old state.

#include "ui/Form.h"

#include <QObject>
#include <QSize>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QEvent;
class QMenu;
class QTimer;
class QWidget;

namespace vargis::qt {

class ActionSink;
class FrontEnd;

class FormRenderer : public QObject {
    Q_OBJECT

public:
    FormRenderer(FrontEnd& front, ui::Form& form, bool mainWindow);
    ~FormRenderer() override;

    const ui::Form& form() const { return form_; }
    QWidget* window() const { return window_.get(); }

    // The widget of a control (the page widget of a tab sheet); null for
    // controls without one (timers, menus, items) and unknown names.
    QWidget* widget(const std::string& control) const;
    QMenu* menu(const std::string& name) const;
    QAction* menuAction(const std::string& item) const;
    QTimer* timer(const std::string& name) const;
    // Size of the first chart of the form; invalid when it has none.
    QSize chartSize() const;

    // Creates widgets for controls added since the last sync and applies
    // every change of the model.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound;

    void create(const ui::Control& control);
    QWidget* containerFor(const std::string& parent) const;
    void act(const std::function<void(ActionSink&)>& action, bool dropWhenBusy = false);

    void apply(Bound& bound, const ui::Control* was, const ui::Control& now);
    void applyForm(const ui::Control* was, const ui::Control& now);
    void placeBesideMainWindow();
    void applyCommon(Bound& bound, const ui::Control* was, const ui::Control& now);
    void applyGrid(Bound& bound, const ui::Control* was, const ui::Control& now);
    void applyMenu(Bound& bound, const ui::Control* was, const ui::Control& now);
    void applyMenuItem(Bound& bound, const ui::Control* was, const ui::Control& now);
    void applyTabSheet(Bound& bound, const ui::Control* was, const ui::Control& now);
    void applyTimer(Bound& bound, const ui::Control& now);

    bool handleWindowEvent(QEvent* event);
    void openPopup(const Bound& bound, QPoint globalPos);
    void onFocusChanged(QWidget* old, QWidget* now);
    void noteMenuChecks(const std::string& menu);
    QActionGroup* radioGroup(const std::string& menu, int groupIndex);

    FrontEnd& front_;
    ui::Form& form_;
    bool mainWindow_;
    bool destroying_ = false;
    bool placedBesideMain_ = false;
    // The main window's controls lie on this, centred in the window.
    QWidget* canvas_ = nullptr;
    bool menusDirty_ = false;
    std::string focusShown_;
    std::uint64_t focusRequestsShown_ = 0;
    std::unique_ptr<QWidget> window_;
    std::vector<std::unique_ptr<Bound>> bound_;
    std::unordered_map<std::string, Bound*> byName_;
    std::unordered_map<const QObject*, Bound*> byObject_;
    std::map<std::pair<std::string, int>, QActionGroup*> radioGroups_;
};

} // namespace vargis::qt
