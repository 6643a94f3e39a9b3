#pragma once
// The application model shared by the desktop program, the command-line tool
// and the tests: the workspace, the three forms and their handlers. Front
// ends report user actions here by control name and render the forms.

#include "app/Workspace.h"
#include "ui/Dispatcher.h"
#include "ui/Form.h"
#include "ui/Platform.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vargis::app {

inline constexpr int kSysCommandMinimize = 0xF020;
inline constexpr int kSysCommandClose = 0xF060;
inline constexpr int kSysCommandRestore = 0xF120;

class Application {
public:
    explicit Application(ui::Platform& platform);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Program entry: creates Form2, Form7 and Form1 in this order; creating
    // Form1 loads the working folder in the current directory. A load error
    // is reported in the error box and the window is still shown with what
    // was loaded. Then runs FormShow.
    void start();

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
    bool closeMainWindow();

    // Bumped after every action; front ends resynchronise when it changes.
    std::uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

    // ---- Used by handlers.
    // Sets a check box; when the state changes its click behaviour runs.
    void setChecked(ui::Form& form, const std::string& name, bool checked);
    // Runs a control's click handler (no error catching: nested call).
    void pressControl(ui::Form& form, const std::string& name);
    // Runs fn and reports an error it throws; false when one was reported.
    bool guarded(const std::function<void()>& fn);

    bool closed() const { return closed_; }

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

} // namespace vargis::app
