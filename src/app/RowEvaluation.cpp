#include "RowEvaluation.h"

#include "catalogue/Catalogue.h"
#include "ui/MainFormControls.h"

namespace vargis::app {

namespace {

// The row a press reports on: the link and date buttons of the ranked pages
// find theirs through the filter base, as the desktop does.
int reportedRow(const context::Workspace& ws, const catalogue::FilterControls& rc) {
    using catalogue::Family;
    if (rc.family != Family::RankedLink && rc.family != Family::RankedDate)
        return rc.row;
    const int row = ws.filters.findRowByButton(std::string(rc.button));
    return row == 0 ? rc.row : row;
}

} // namespace

std::optional<RowEvaluation> evaluateRow(Application& app, int row) {
    const auto& rc = catalogue::rowControls(row);
    if (!app.click(ui::kMainForm, std::string(rc.button)))
        return std::nullopt;
    const context::Workspace& ws = app.workspace();
    RowEvaluation evaluation;
    evaluation.row = reportedRow(ws, rc);
    evaluation.values = ws.filterValues;
    evaluation.match = ws.matchCount;
    for (int j = 1; j <= ws.drawCount(); ++j)
        if (ws.failMarks.at(evaluation.row, j) == "0")
            evaluation.failed.push_back(j);
    return evaluation;
}

std::string evaluationText(const RowEvaluation& evaluation) {
    std::string text = "row: " + std::to_string(evaluation.row) + "\nvalues:";
    for (int v : evaluation.values)
        text += ' ' + std::to_string(v);
    text += "\nmatch: " + std::to_string(evaluation.match) + "\nfailed:";
    for (int j : evaluation.failed)
        text += ' ' + std::to_string(j);
    return text + '\n';
}

} // namespace vargis::app
