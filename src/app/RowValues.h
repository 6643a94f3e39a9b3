#pragma once
// A filter row's button count and the values it counts, worked out from the
// workspace and the main form as they are now, without pressing the button:
// the user's window keeps its chart, its marks, its selected filter and
// everything else it shows.

#include "commands/BoundSuggestions.h"
#include "context/AppContext.h"

#include <optional>

namespace vargis::app {

class RowValues {
public:
    explicit RowValues(context::AppContext& app) : app_(app) {}

    // The count of the row's button over the history; none for a row without
    // a button of its own or whose press would report an error.
    std::optional<int> operator()(int row) const;

    // The values of the draws the row's button counts, and that count; none
    // as above, and for a row that is not a value filter.
    std::optional<commands::CountedValues> values(int row) const;

private:
    context::AppContext& app_;
};

} // namespace vargis::app
