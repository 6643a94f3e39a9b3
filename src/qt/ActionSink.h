#pragma once
// The user actions the widgets report, by form and control name. The desktop
// program forwards them to the application model (ApplicationSink); tests
// record them.

#include <cstdint>
#include <string>

namespace vargis::qt {

class ActionSink {
public:
    virtual ~ActionSink() = default;

    virtual bool click(const std::string& form, const std::string& control) = 0;
    virtual bool toggleCheckBox(const std::string& form, const std::string& control,
                                bool checked) = 0;
    virtual bool upDownClick(const std::string& form, const std::string& control, bool up) = 0;
    virtual bool selectPage(const std::string& form, const std::string& pageControl,
                            const std::string& tabSheet) = 0;
    virtual bool openPopup(const std::string& form, const std::string& menu,
                           const std::string& component) = 0;
    virtual bool chooseMenuItem(const std::string& form, const std::string& item) = 0;
    // Grid coordinates are the model's: row 0 is the header row.
    virtual bool editCell(const std::string& form, const std::string& grid, int col, int row,
                          const std::string& text) = 0;
    virtual bool selectCell(const std::string& form, const std::string& grid, int col, int row) = 0;
    // date as dd.mm.yyyy
    virtual bool calendarClick(const std::string& form, const std::string& calendar,
                               const std::string& date) = 0;
    virtual bool timerTick(const std::string& form, const std::string& timer) = 0;
    virtual bool focusLost(const std::string& form, const std::string& control) = 0;
    virtual bool mouseDown(const std::string& form, const std::string& control) = 0;
    virtual bool systemCommand(int command) = 0;
    virtual bool activate() = 0;
    virtual bool closeMainWindow() = 0;
    // Whether the main window has closed for good.
    virtual bool closed() const { return false; }
    // The user closed a window other than the main one with its close button.
    virtual void formClosed(const std::string& form) = 0;

    // Changes whenever the model may have changed; the widgets resynchronise.
    virtual std::uint64_t revision() const = 0;
};

} // namespace vargis::qt
