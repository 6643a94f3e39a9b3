#include "Analysis.h"

#include "ImportCommand.h"
#include "RowValues.h"
#include "commands/CombineState.h"
#include "commands/ResultTable.h"
#include "commands/StrategyCheck.h"
#include "history/DrawArchive.h"

#include <functional>

namespace vargis::app {

CombineRun combine(Application& app, commands::ExclusionQuestion question) {
    CombineRun run;
    run.outcome = commands::combineFilters(app, question);
    const commands::CombineState& state = commands::combineState(app);
    run.stopRow = state.stopRow;
    if (run.outcome != commands::CombineOutcome::Completed)
        return run;
    run.survivors = state.survivorCount;
    run.numbersInPlay = state.numbersInPlay;
    const ui::Form& form = app.mainForm();
    for (std::size_t k = 0; k < run.counters.size(); ++k)
        run.counters[k] = form.at(commands::kCounterLabels[k]).caption;
    run.drawScores = state.drawScores;
    run.remaining = &state.remaining;
    return run;
}

std::optional<engine::BacktestResult> backtest(Application& app, const BacktestRequest& request) {
    if (request.archive != nullptr)
        return commands::runArchiveStrategyCheck(app, *request.archive, request.lastTargets);
    return commands::runStrategyCheck(app);
}

std::optional<engine::WorthResult> filterWorth(Application& app) {
    const RowValues counts(app);
    return commands::runFilterWorth(app, std::ref(counts));
}

RandomnessRun randomness(Application& app) {
    RandomnessRun run;
    run.source = commands::randomnessDraws(app);
    run.result = commands::runRandomness(app, run.source);
    return run;
}

ImportRun importDraws(Application& app, const history::DrawFile& file) {
    applyImportedDraws(app, file.draws);
    ImportRun run;
    run.table = history::newestDraws(file.draws);
    run.archived = file.draws.size();
    run.archiveFirst = history::drawDateText(file.draws.front().date);
    run.archiveLast = history::drawDateText(file.draws.back().date);
    return run;
}

} // namespace vargis::app
