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

std::optional<int> ButtonCounts::operator()(int row) {
    if (!catalogue::hasOwnFilter(catalogue::rowControls(row)))
        return std::nullopt;
    const std::string button = copy_->workspace().filters.row(row).field(6);
    if (!copy_->mainForm().has(button))
        return std::nullopt;
    copy_->workspace().matchCount = 0;
    if (!copy_->click("Form1", button))
        return std::nullopt;
    return copy_->workspace().matchCount;
}

} // namespace vargis::app
