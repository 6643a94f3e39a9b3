#include "qt/ApplicationSink.h"

#include "app/Application.h"

namespace vargis::qt {

bool ApplicationSink::click(const std::string& form, const std::string& control) {
    return app_.click(form, control);
}

bool ApplicationSink::toggleCheckBox(const std::string& form, const std::string& control,
                                     bool checked) {
    return app_.toggleCheckBox(form, control, checked);
}

bool ApplicationSink::upDownClick(const std::string& form, const std::string& control, bool up) {
    return app_.upDownClick(form, control, up);
}

bool ApplicationSink::selectPage(const std::string& form, const std::string& pageControl,
                                 const std::string& tabSheet) {
    return app_.selectPage(form, pageControl, tabSheet);
}

bool ApplicationSink::openPopup(const std::string& form, const std::string& menu,
                                const std::string& component) {
    return app_.openPopup(form, menu, component);
}

bool ApplicationSink::chooseMenuItem(const std::string& form, const std::string& item) {
    return app_.chooseMenuItem(form, item);
}

bool ApplicationSink::editCell(const std::string& form, const std::string& grid, int col, int row,
                               const std::string& text) {
    return app_.editCell(form, grid, col, row, text);
}

bool ApplicationSink::selectCell(const std::string& form, const std::string& grid, int col,
                                 int row) {
    return app_.selectCell(form, grid, col, row);
}

bool ApplicationSink::calendarClick(const std::string& form, const std::string& calendar,
                                    const std::string& date) {
    return app_.calendarClick(form, calendar, date);
}

bool ApplicationSink::timerTick(const std::string& form, const std::string& timer) {
    return app_.timerTick(form, timer);
}

bool ApplicationSink::focusLost(const std::string& form, const std::string& control) {
    return app_.focusLost(form, control);
}

bool ApplicationSink::mouseDown(const std::string& form, const std::string& control) {
    return app_.mouseDown(form, control);
}

bool ApplicationSink::systemCommand(int command) {
    return app_.systemCommand(command);
}

bool ApplicationSink::activate() {
    return app_.activate();
}

bool ApplicationSink::closeMainWindow() {
    return app_.closeMainWindow();
}

void ApplicationSink::formClosed(const std::string& form) {
    // A secondary window closed by its frame is simply hidden, as the form
    // record must say so that showing it again takes effect.
    app_.form(form).self().visible = false;
    app_.touch();
}

bool ApplicationSink::closed() const {
    return app_.closed();
}

std::uint64_t ApplicationSink::revision() const {
    return app_.revision();
}

} // namespace vargis::qt
