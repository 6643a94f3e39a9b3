#include "engine/StrategyCheck.h"

#include "context/Application.h"
#include "engine/CombineCommand.h"
#include "engine/CommandProgress.h"
#include "engine/StrategyReports.h"
#include "reports/HtmlReport.h"
#include "reports/ReportOpening.h"

#include <ostream>

namespace vargis::engine {

namespace {

constexpr int kFewestDraws = 15;

} // namespace

std::optional<BacktestResult> runStrategyCheck(context::Application& app) {
    const int draws = app.workspace().drawCount();
    if (draws < kFewestDraws) {
        app.platform().showInformation("  Тиражей в статистике\r\n  ДОЛЖНО БЫТЬ БОЛЬШЕ 15-ти,"
                                       "\r\n\r\n  ДОПОЛНИТЕ СТАТИСТИКУ ТИРАЖЕЙ");
        return std::nullopt;
    }
    CommandProgress progress(app, draws - kFirstBacktestTarget + 2);
    progress.step(1);
    return runBacktest(firstPassInput(app), secondPassInput(app),
                       [&](int target) { progress.step(target - kFirstBacktestTarget + 2); });
}

std::optional<WorthResult> runFilterWorth(context::Application& app,
                                          const ButtonCount& buttonCount) {
    if (!combineTargetAccepted(app))
        return std::nullopt;
    CommandProgress progress(app, 2);
    auto counted = [&](int row) {
        progress.step(1);
        return buttonCount ? buttonCount(row) : std::nullopt;
    };
    WorthResult result = filterWorth(firstPassInput(app), secondPassInput(app), counted);
    progress.step(2);
    return result;
}

void strategyCheckCommand(context::Application& app) {
    const auto result = runStrategyCheck(app);
    if (!result)
        return;
    const StrategyFacts facts = strategyFacts(app);
    reports::writeHtmlReport(kBacktestReport, backtestReport(facts, *result, app.platform().now()));
    reports::openReport(app.platform(), kBacktestReport);
}

void filterWorthCommand(context::Application& app, const ButtonCount& buttonCount) {
    const auto result = runFilterWorth(app, buttonCount);
    if (!result)
        return;
    const StrategyFacts facts = strategyFacts(app);
    reports::writeHtmlReport(kWorthReport, worthReport(facts, *result, app.platform().now()));
    reports::openReport(app.platform(), kWorthReport);
}

void printBacktest(const BacktestResult& result, std::ostream& out) {
    for (const BacktestTarget& t : result.targets) {
        out << "target " << t.ordinal << ": ";
        if (t.stopRow != 0)
            out << "stopped at row " << t.stopRow << '\n';
        else
            out << "remaining " << t.remaining << "; counters " << t.counters[0] << ' '
                << t.counters[1] << ' ' << t.counters[2] << ' ' << t.counters[3] << '\n';
    }
    out << "kept: " << result.keptCount() << " of " << result.targets.size() << '\n';
}

void printFilterWorth(const WorthResult& result, int drawCount, std::ostream& out) {
    for (const WorthRow& r : result.rows) {
        out << "row " << r.row << ": met ";
        if (r.met)
            out << *r.met;
        else
            out << '-';
        out << " of " << drawCount << "; passes " << r.passes << " of " << result.combinationCount
            << "; unique " << r.unique << '\n';
    }
    if (result.stopRow != 0)
        out << "stopped at row " << result.stopRow << '\n';
    else
        out << "remaining: " << result.remaining << '\n';
}

} // namespace vargis::engine
