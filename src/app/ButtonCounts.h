#pragma once
// MatchCount of a filter row's own button, found by pressing the button in a
// silent copy of the application: the user's window keeps its chart, its
// marks, its selected filter and everything else it shows.

#include "Application.h"
#include "commands/BoundSuggestions.h"
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

    // The values of the draws the row's button counts in its MatchCount, and
    // that count; none as above, and for a row that is not a value filter.
    std::optional<commands::PressedValues> values(int row);

private:
    // Presses the row's button; false when it has none or the press failed.
    bool press(int row);

    ui::SilentPlatform platform_;
    std::unique_ptr<Application> copy_;
};

} // namespace vargis::app
