#include "ButtonCounts.h"

#include "catalogue/Catalogue.h"

namespace vargis::app {

ButtonCounts::ButtonCounts(context::Application& app)
    : copy_(std::make_unique<Application>(platform_)) {
    copy_->start();
    copy_->workspace() = app.workspace();
    for (const char* name : {"Form1", "Form2", "Form7"})
        copy_->form(name) = app.form(name);
}

bool ButtonCounts::press(int row) {
    if (!catalogue::hasOwnFilter(catalogue::rowControls(row)))
        return false;
    const std::string button = copy_->workspace().filters.row(row).field(6);
    if (!copy_->mainForm().has(button))
        return false;
    copy_->workspace().matchCount = 0;
    copy_->workspace().firstCountedDraw = 0;
    return copy_->click("Form1", button);
}

std::optional<int> ButtonCounts::operator()(int row) {
    if (!press(row))
        return std::nullopt;
    return copy_->workspace().matchCount;
}

std::optional<commands::PressedValues> ButtonCounts::values(int row) {
    if (!press(row))
        return std::nullopt;
    const context::Workspace& ws = copy_->workspace();
    if (ws.firstCountedDraw < 1)
        return std::nullopt;
    commands::PressedValues pressed;
    pressed.matchCount = ws.matchCount;
    const auto first = static_cast<std::size_t>(ws.firstCountedDraw - 1);
    if (first < ws.filterValues.size())
        pressed.values.assign(ws.filterValues.begin() + static_cast<std::ptrdiff_t>(first),
                              ws.filterValues.end());
    return pressed;
}

} // namespace vargis::app
