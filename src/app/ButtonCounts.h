#pragma once
// MatchCount of a filter row's own button, found by pressing the button in a
// silent copy of the application: the user's window keeps its chart, its
// marks, its selected filter and everything else it shows.

#include "Application.h"
#include "ui/SilentPlatform.h"

#include <memory>
#include <optional>

namespace vargis::app {

class ButtonCounts {
public:
    // Copies the workspace and the forms of `app` as they are now.
    explicit ButtonCounts(context::Application& app);

    // The count of the row's button over the history; none for a row without
    // a button of its own or whose press reports an error.
    std::optional<int> operator()(int row);

private:
    ui::SilentPlatform platform_;
    std::unique_ptr<Application> copy_;
};

} // namespace vargis::app
