#pragma once
// Forwards the widgets' actions to the application model.

#include "qt/ActionSink.h"

namespace vargis::app {
class Application;
}

namespace vargis::qt {

class ApplicationSink final : public ActionSink {
public:
    explicit ApplicationSink(app::Application& app) : app_(app) {}

    bool click(const std::string& form, const std::string& control) override;
    bool toggleCheckBox(const std::string& form, const std::string& control, bool checked) override;
    bool upDownClick(const std::string& form, const std::string& control, bool up) override;
    bool selectPage(const std::string& form, const std::string& pageControl,
                    const std::string& tabSheet) override;
    bool openPopup(const std::string& form, const std::string& menu,
                   const std::string& component) override;
    bool chooseMenuItem(const std::string& form, const std::string& item) override;
    bool editCell(const std::string& form, const std::string& grid, int col, int row,
                  const std::string& text) override;
    bool selectCell(const std::string& form, const std::string& grid, int col, int row) override;
    bool calendarClick(const std::string& form, const std::string& calendar,
                       const std::string& date) override;
    bool timerTick(const std::string& form, const std::string& timer) override;
    bool focusLost(const std::string& form, const std::string& control) override;
    bool mouseDown(const std::string& form, const std::string& control) override;
    bool systemCommand(int command) override;
    bool activate() override;
    bool closeMainWindow() override;
    void formClosed(const std::string& form) override;
    std::uint64_t revision() const override;
    bool closed() const override;

private:
    app::Application& app_;
};

} // namespace vargis::qt
