#pragma once
// The application context every subsystem works on: the workspace, the three
// forms, the handler dispatcher and the platform. Front ends report user
// actions here by control name and render the forms. What the program does on
// start, on a system command, on activation and on close is supplied by the
// program's wiring (app::Application) through the lifecycle hooks.

#include "context/Workspace.h"
#include "ui/Dispatcher.h"
#include "ui/Form.h"
#include "ui/Platform.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vargis::context {

inline constexpr int kSysCommandMinimize = 0xF020;
inline constexpr int kSysCommandClose = 0xF060;
inline constexpr int kSysCommandRestore = 0xF120;

class AppContext {
public:
    explicit AppContext(ui::Platform& platform);
    virtual ~AppContext() = default;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Program entry (see onStart of the program's wiring).
    void start() { onStart(); }

    ui::Form& form(const std::string& name);
    ui::Form& mainForm() { return form1_; }
    Workspace& workspace() { return workspace_; }
    ui::Platform& platform() { return platform_; }
    const ui::Dispatcher& dispatcher() const { return dispatcher_; }
    ui::Dispatcher& dispatcher() { return dispatcher_; }

    // ---- User actions. Each runs its handlers to the end; an error is shown
    // in the error box and leaves the state as far as it got. Each returns
    // false when an error was reported.
    bool click(const std::string& form, const std::string& control);
    bool toggleCheckBox(const std::string& form, const std::string& control, bool checked);
    // An up-down arrow: position moves by one within min..max, the associate
    // label shows it, then Changing and Click run.
    bool upDownClick(const std::string& form, const std::string& control, bool up);
    bool selectPage(const std::string& form, const std::string& pageControl,
                    const std::string& tabSheet);
    // A right click on a control with a pop-up menu (the menu's Popup runs).
    bool openPopup(const std::string& form, const std::string& menu, const std::string& component);
    bool chooseMenuItem(const std::string& form, const std::string& item);
    bool editCell(const std::string& form, const std::string& grid, int col, int row,
                  const std::string& text);
    bool selectCell(const std::string& form, const std::string& grid, int col, int row);
    bool calendarClick(const std::string& form, const std::string& calendar,
                       const std::string& date);
    bool timerTick(const std::string& form, const std::string& timer);
    bool focusLost(const std::string& form, const std::string& control);
    bool mouseDown(const std::string& form, const std::string& control);
    bool systemCommand(int command);
    bool activate();
    // Closes the main window unless the close query keeps it open (the user
    // cancelled, or saving what was unsaved failed).
    bool closeMainWindow();

    // Bumped after every action; front ends resynchronise when it changes.
    std::uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

    // ---- Used by handlers.
    // Sets a check box; when the state changes its click behaviour runs.
    void setChecked(ui::Form& form, const std::string& name, bool checked);
    // Shows a caption or a check box state; on the main window a control
    // that shows a filter row's setting changes the row's setting with it.
    void showCaption(ui::Form& form, ui::Control& control, std::string text);
    void showChecked(ui::Form& form, ui::Control& control, bool checked);
    // Runs a control's click handler (no error catching: nested call).
    void pressControl(ui::Form& form, const std::string& name);
    // Runs fn and reports an error it throws; false when one was reported.
    bool guarded(const std::function<void()>& fn);

    bool closed() const { return closed_; }

protected:
    // The program's lifecycle, supplied by the wiring above every subsystem.
    virtual void onStart() = 0;
    virtual void onSystemCommand(int command) = 0;
    virtual void onActivate() = 0;
    // Asked before the main window closes; false keeps it open.
    virtual bool onCloseQuery() { return true; }
    virtual void onClose() = 0;

    ui::Form& aboutForm() { return form2_; }
    ui::Form& numbersForm() { return form7_; }

private:
    ui::Platform& platform_;
    Workspace workspace_;
    ui::Form form2_;
    ui::Form form7_;
    ui::Form form1_;
    ui::Dispatcher dispatcher_;
    std::uint64_t revision_ = 0;
    bool closed_ = false;
};

} // namespace vargis::context
