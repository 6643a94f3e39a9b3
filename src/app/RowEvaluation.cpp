#include "RowEvaluation.h"

#include "catalogue/Catalogue.h"
#include "filters/RowOutcome.h"

namespace vargis::app {

std::optional<RowEvaluation> evaluateRow(Application& app, int row) {
    std::optional<RowEvaluation> evaluation;
    app.guarded([&] {
        const context::Workspace& ws = app.workspace();
        // A value row's parameter is what its label shows, as for its button,
        // which reads it and the condition before it says anything.
        std::string parameter;
        if (filters::isValueRow(row)) {
            parameter = app.mainForm().at(ws.filters.row(row).labelName()).caption;
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
