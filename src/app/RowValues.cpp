#include "RowValues.h"

#include "filters/RowOutcome.h"

namespace vargis::app {

std::optional<int> RowValues::operator()(int row) const {
    const auto finding = filters::buttonFinding(app_, row);
    if (!finding)
        return std::nullopt;
    return finding->matchCount;
}

std::optional<commands::CountedValues> RowValues::values(int row) const {
    auto finding = filters::buttonFinding(app_, row);
    if (!finding || !finding->counted)
        return std::nullopt;
    return commands::CountedValues{std::move(*finding->counted), finding->matchCount};
}

} // namespace vargis::app
