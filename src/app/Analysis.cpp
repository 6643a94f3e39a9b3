#include "Analysis.h"

#include "ImportCommand.h"
#include "KindSwitch.h"
#include "LotteryKind.h"
#include "RowValues.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "commands/CombineState.h"
#include "commands/CommandProgress.h"
#include "commands/ResultTable.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "filters/FilterTable.h"
#include "history/DrawArchive.h"
#include "ui/MainFormControls.h"

#include <functional>
#include <memory>

namespace vargis::app {

namespace {

// A row's values and counted draws as its button finds them, for the
// suggestions and the filter worth.
commands::ButtonValues buttonValues(Application& app) {
    return [rows = RowValues(app)](int row) { return rows.values(row); };
}

SearchHalf searchHalf(const BacktestResult& run, std::int32_t combinations) {
    return {run.keptCount(), run.targets.size(), commands::medianRemaining(run),
            commands::targetsBaseline(run, combinations)};
}

} // namespace

StatusFacts Analysis::status() const {
    const context::Workspace& ws = app_.workspace();
    return {ws.kindCaption, ws.combinationCount, ws.drawCount(), ws.forecastDate,
            static_cast<int>(ws.forecastOrdinal)};
}

std::string Analysis::kind() const {
    return kindLabel(app_.workspace().highestNumber);
}

void Analysis::switchKind(int highestNumber) {
    app::switchKind(app_, highestNumber);
    archive_.reset();
}

EvaluateRun Analysis::evaluate(int row) {
    EvaluateRun run;
    const std::string r = std::to_string(row);
    if (row < catalogue::kFirstRow || row > catalogue::kLastRow) {
        run.refusal = "Строка " + r + " вне базы фильтров (1..287)";
        return run;
    }
    const auto& rc = catalogue::rowControls(row);
    if (!catalogue::hasOwnFilter(rc)) {
        run.refusal = "Строка " + r + " не является фильтром";
        return run;
    }
    // A row the family does not evaluate for the kind is refused.
    if (const auto refusal =
            catalogue::familyOfRow(row).evaluateRefusal(row, app_.workspace().highestNumber)) {
        run.refusal = "Ошибка: " + *refusal;
        return run;
    }
    run.evaluation = evaluateRow(app_, row);
    return run;
}

CombineRun Analysis::combine(ExclusionQuestion question) {
    return app::combine(app_, question);
}

bool Analysis::hasArchive() const {
    return history::archiveExists(app_.workspace().kindFolder);
}

std::string Analysis::archivePath() const {
    return history::archivePath(app_.workspace().kindFolder);
}

const std::vector<history::ImportedDraw>* Analysis::archive() {
    if (!archive_)
        archive_ = commands::loadArchive(app_);
    return archive_ ? &*archive_ : nullptr;
}

BacktestRun Analysis::backtest(bool overArchive, int lastTargets) {
    BacktestRun run;
    run.overArchive = overArchive;
    BacktestRequest request;
    if (overArchive) {
        request.archive = archive();
        if (request.archive == nullptr)
            throw VargisError("Архива тиражей " + archivePath() + " нет");
        request.lastTargets = lastTargets;
    }
    run.result = app::backtest(app_, request);
    if (run.result)
        run.chance = engine::backtestChance(*run.result, app_.workspace().combinationCount);
    return run;
}

std::optional<WorthResult> Analysis::efficiency() {
    return filterWorth(app_);
}

std::optional<SuggestionResult> Analysis::suggest(int keepPercent) {
    return commands::runBoundSuggestions(app_, keepPercent, buttonValues(app_));
}

int Analysis::applySuggestions(const SuggestionResult& result) {
    return commands::applySuggestions(app_, result);
}

TicketsRun Analysis::tickets(int count, int match, ExclusionQuestion question) {
    TicketsRun run;
    run.combine = combine(question);
    if (run.combine.outcome != CombineOutcome::Completed)
        return run;
    const engine::CombinationList& remaining = *run.combine.remaining;
    run.refusal = commands::tooManyForTickets(remaining.size());
    if (run.refusal)
        return run;
    {
        commands::CommandProgress progress(app_, count);
        run.choice =
            engine::chooseTickets(remaining, count, match, [&](int k) { progress.step(k); });
    }
    run.chances = commands::ticketChances(run.choice, app_.workspace().highestNumber, match);
    return run;
}

RandomnessRun Analysis::randomness() {
    return app::randomness(app_);
}

ImportRun Analysis::importFile(const std::string& path, DateOrder order) {
    const history::DrawFile file =
        history::readDrawFile(path, app_.workspace().highestNumber, order);
    return importDraws(file);
}

ImportRun Analysis::importDraws(const history::DrawFile& file) {
    archive_.reset();
    return app::importDraws(app_, file);
}

SearchRun Analysis::search(const SearchRequest& request) {
    SearchRun run;
    const auto* draws = archive();
    if (draws == nullptr)
        throw VargisError("Архива тиражей " + archivePath() + " нет");
    const std::int32_t combinations = app_.workspace().combinationCount;
    run.refusal = commands::searchRefusal(static_cast<int>(draws->size()), combinations, request);
    if (run.refusal)
        return run;
    run.result = commands::runStrategySearch(app_, *draws, request);
    if (run.result.status == StrategySearchResult::Status::Found) {
        run.train = searchHalf(run.result.train, combinations);
        run.test = searchHalf(run.result.test, combinations);
        run.betterThanChance = commands::betterThanChance(run.result);
    }
    return run;
}

int Analysis::applyStrategy(const StrategySearchResult& result) {
    return commands::applyStrategy(app_, result);
}

void Analysis::saveFilters() {
    // A writer like every other: no second program changes the folder
    // meanwhile.
    const FolderLock lock;
    const context::Workspace& ws = app_.workspace();
    filters::saveFilterTable(ws.filters, filters::filterFileSavePath(ws.dataFolder));
}

CombineRun combine(Application& app, commands::ExclusionQuestion question) {
    CombineRun run;
    run.outcome = commands::combineFilters(app, question);
    const commands::CombineState& state = commands::combineState(app);
    run.stopRow = state.stopRow;
    if (run.outcome != commands::CombineOutcome::Completed)
        return run;
    run.survivors = state.survivorCount;
    run.numbersInPlay = state.numbersInPlay;
    for (std::size_t k = 0; k < run.counters.size(); ++k)
        run.counters[k] =
            state.winningCounts ? std::to_string((*state.winningCounts)[k]) : std::string("-");
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
    run.tableFirst = history::drawDateText(run.table.front().date);
    run.tableLast = history::drawDateText(run.table.back().date);
    run.archived = file.draws.size();
    run.archiveFirst = history::drawDateText(file.draws.front().date);
    run.archiveLast = history::drawDateText(file.draws.back().date);
    run.skippedBefore = file.skippedBefore;
    run.skippedAfter = file.skippedAfter;
    return run;
}

} // namespace vargis::app
