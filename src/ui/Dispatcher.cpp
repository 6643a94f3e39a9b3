#include "ui/Dispatcher.h"

namespace vargis::ui {

void Dispatcher::on(const std::string& form, const std::string& control, Event event,
                    Handler handler) {
    handlers_[{form, control, event}] = std::move(handler);
}

bool Dispatcher::has(const std::string& form, const std::string& control, Event event) const {
    return handlers_.count({form, control, event}) != 0;
}

void Dispatcher::run(const std::string& form, const std::string& control, Event event) const {
    auto it = handlers_.find({form, control, event});
    if (it != handlers_.end())
        it->second(control);
}

} // namespace vargis::ui
