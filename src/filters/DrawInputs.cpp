#include "filters/DrawInputs.h"

#include "catalogue/FilterFamily.h"

namespace vargis::filters {

catalogue::DrawNumbers drawNumbers(const context::Workspace& ws, int ordinal) {
    return catalogue::drawNumbersOf(ws.history, ordinal);
}

} // namespace vargis::filters
