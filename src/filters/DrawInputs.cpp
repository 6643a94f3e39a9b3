#include "filters/DrawInputs.h"

#include "base/Convert.h"

namespace vargis::filters {

catalogue::DrawNumbers drawNumbers(const context::Workspace& ws, int ordinal) {
    catalogue::DrawNumbers draw;
    const auto& record = ws.history.record(ordinal);
    for (std::size_t k = 0; k < 5; ++k) {
        draw.texts[k] = record.field(static_cast<int>(k) + 3);
        draw.drawn[k] = toInt(draw.texts[k]);
        draw.ranked[k] = ws.history.rankedRow(ordinal)[k];
    }
    draw.date = record.date();
    return draw;
}

} // namespace vargis::filters
