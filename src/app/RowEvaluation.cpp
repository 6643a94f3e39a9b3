#include "RowEvaluation.h"

#include "catalogue/Catalogue.h"
#include "filters/RowOutcome.h"

namespace vargis::app {

std::optional<RowEvaluation> evaluateRow(Application& app, int row) {
    std::optional<RowEvaluation> evaluation;
    app.guarded([&] {
        const context::Workspace& ws = app.workspace();
        // A value row's parameter is what its label shows, as for its button,
        // which reads it and the condition before it says anything. The label
        // is the one the filter base names; one that shows no row (a damaged
        // base) is read as it stands.
        std::string parameter;
        if (filters::isValueRow(row)) {
            const std::string& label = ws.filters.row(row).labelName();
            const int shown = ws.settings.rowOfLabel(label);
            parameter =
                shown != 0 ? ws.settings.parameter(shown) : app.mainForm().at(label).caption;
            filters::filterParameter(row, parameter);
            filters::parseCondition(ws.filters.row(row).condition());
        }
        if (const auto notice = filters::shortHistoryNotice(ws, row))
            app.platform().showMessage(*notice);
        filters::RowOutcome outcome = filters::rowOutcome(ws, row, parameter);
        evaluation = RowEvaluation{outcome.row, {}, outcome.matchCount, std::move(outcome.failed)};
        evaluation->values.assign(outcome.values.begin(), outcome.values.end());
    });
    return evaluation;
}

} // namespace vargis::app
