#include "filters/CountPresses.h"

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DifferenceFilters.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/RepeatFilters.h"
#include "filters/ChartModel.h"
#include "filters/Evaluation.h"
#include "filters/RowOutcome.h"

#include <memory>
#include <vector>

namespace vargis::filters {

namespace {

std::string footerOf(int row) {
    return std::string(catalogue::rowControls(row).footer);
}

// A value filter whose values were computed beforehand.
ValueFilter precomputed(int row, std::string footer, std::shared_ptr<std::vector<int>> values) {
    ValueFilter filter;
    filter.row = row;
    filter.footer = std::move(footer);
    filter.value = [values](int f) { return values->at(static_cast<std::size_t>(f - 1)); };
    return filter;
}

} // namespace

void pressRepeatFilter(context::AppContext& app, int row) {
    context::Workspace& ws = app.workspace();
    const auto offsets = catalogue::repeatOffsets(row);
    if (!offsets)
        throw RangeError("Строка " + std::to_string(row) + " не является фильтром повторов");
    ValueFilter filter;
    filter.row = row;
    filter.footer = footerOf(row);
    takeFamilyValues(filter, ws);
    filter.firstPlotted = offsets->firstDraw();
    filter.previousDrawOffset = catalogue::hiddenLeadingDraws(row);
    if (auto notice = shortHistoryNotice(ws, row))
        filter.afterSelect = [&app, text = std::move(*notice)] {
            app.platform().showMessage(text);
        };
    evaluateValueFilter(app, filter);
}

void pressValueFilter(context::AppContext& app, int row) {
    context::Workspace& ws = app.workspace();
    ValueFilter filter;
    filter.row = row;
    filter.footer = catalogue::familyOfRow(row).footer(row, ws.highestNumber);
    takeFamilyValues(filter, ws);
    evaluateValueFilter(app, filter);
}

void pressRunningAverage(context::AppContext& app, int row) {
    context::Workspace& ws = app.workspace();
    const int position = catalogue::averagePosition(row);
    if (position == 0)
        throw RangeError("Строка " + std::to_string(row) + " не является фильтром разностей");
    auto values = std::make_shared<std::vector<int>>(
        catalogue::runningAverageDistances(ws.history, position));
    evaluateValueFilter(app, precomputed(row, footerOf(row), values));
}

} // namespace vargis::filters
