#pragma once
// Handlers registered per form, control name and event, named as the
// program names them (BitBtn17Click, TabSheet11Show, ...).

#include <functional>
#include <map>
#include <string>
#include <tuple>

namespace vargis::ui {

enum class Event {
    Click,
    Changing, // an up-down is about to change its position
    Show,
    Hide,
    Exit, // a control lost the focus
    Popup,
    Timer,
    Change, // a page control changed its page
    MouseDown,
};

using Handler = std::function<void(const std::string& sender)>;

class Dispatcher {
public:
    void on(const std::string& form, const std::string& control, Event event, Handler handler);
    bool has(const std::string& form, const std::string& control, Event event) const;
    // Runs the handler when one is registered; errors propagate.
    void run(const std::string& form, const std::string& control, Event event) const;

private:
    std::map<std::tuple<std::string, std::string, Event>, Handler> handlers_;
};

} // namespace vargis::ui
