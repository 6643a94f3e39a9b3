#include "AnalysisCommands.h"

#include "Analysis.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "history/DrawImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportOpening.h"

namespace vargis::app {

namespace {

// An archive no longer than the draw table adds nothing to ask about.
constexpr std::size_t kArchiveWorthAsking = context::kMaxDraws;

std::string archiveSpan(const std::vector<history::ImportedDraw>& archive) {
    return std::to_string(archive.size()) + " (с " + history::drawDateText(archive.front().date) +
           " по " + history::drawDateText(archive.back().date) + ")";
}

} // namespace

void strategyCheckCommand(Application& app) {
    ui::Platform& platform = app.platform();
    const auto archive = commands::loadArchive(app);
    const bool overArchive =
        archive && archive->size() > kArchiveWorthAsking &&
        platform.askYesNo("В архиве тиражей " + archiveSpan(*archive) +
                          ".\r\nПроверить стратегию по всем тиражам архива ?\r\n"
                          "(Нет - по таблице тиражей, как обычно)");
    BacktestRequest request;
    if (overArchive)
        request.archive = &*archive;
    const auto result = backtest(app, request);
    if (!result)
        return;
    if (result->stopped) {
        platform.showInformation(commands::kBacktestStopped);
        return;
    }
    const commands::StrategyFacts facts = commands::strategyFacts(app);
    const reports::HtmlReport report =
        overArchive ? commands::archiveBacktestReport(
                          facts, *result, app.workspace().combinationCount, platform.now())
                    : commands::backtestReport(facts, *result, app.workspace().combinationCount,
                                               platform.now());
    reports::writeHtmlReport(commands::kBacktestReport, report);
    reports::openReport(platform, commands::kBacktestReport);
}

void randomnessCommand(Application& app) {
    const RandomnessRun run = randomness(app);
    if (!run.result)
        return;
    const auto caption = [&app](int row) { return app.workspace().filters.row(row).field(7); };
    reports::writeHtmlReport(
        commands::kRandomnessReport,
        commands::randomnessReport(*run.result, run.source, caption, app.platform().now()));
    reports::openReport(app.platform(), commands::kRandomnessReport);
}

void filterWorthCommand(Application& app) {
    const auto result = filterWorth(app);
    if (!result)
        return;
    const commands::StrategyFacts facts = commands::strategyFacts(app);
    reports::writeHtmlReport(commands::kWorthReport,
                             commands::worthReport(facts, *result, app.platform().now()));
    reports::openReport(app.platform(), commands::kWorthReport);
}

} // namespace vargis::app
