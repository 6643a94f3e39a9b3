#include "commands/StrategyCheck.h"

#include "commands/CombineCommand.h"
#include "commands/CombineSweep.h"
#include "commands/CommandProgress.h"
#include "commands/StrategyReports.h"
#include "context/AppContext.h"
#include "history/DrawArchive.h"
#include "reports/HtmlReport.h"
#include "reports/ReportOpening.h"

#include <ostream>

namespace vargis::commands {

using namespace engine;

namespace {

// "Стоп" offered while the object lives.
class StopOffered {
public:
    StopOffered(ui::Platform& platform, int targets) : platform_(platform) {
        platform_.beginStoppable("Проверка стратегии, тиражей: " + std::to_string(targets));
    }
    ~StopOffered() { platform_.endStoppable(); }
    StopOffered(const StopOffered&) = delete;
    StopOffered& operator=(const StopOffered&) = delete;

private:
    ui::Platform& platform_;
};

constexpr int kFewestDraws = 15;
} // namespace

std::optional<BacktestResult> runStrategyCheck(context::AppContext& app) {
    const int draws = app.workspace().drawCount();
    if (draws < kFewestDraws) {
        app.platform().showInformation("  Тиражей в статистике\r\n  ДОЛЖНО БЫТЬ НЕ МЕНЬШЕ 15-ти,"
                                       "\r\n\r\n  ДОПОЛНИТЕ СТАТИСТИКУ ТИРАЖЕЙ");
        return std::nullopt;
    }
    const StopOffered stop(app.platform(), draws - kFirstBacktestTarget + 1);
    CommandProgress progress(app, draws - kFirstBacktestTarget + 2);
    progress.step(1);
    return runBacktest(firstPassInput(app), secondPassInput(app), [&](int target) {
        return progress.stepOrStop(target - kFirstBacktestTarget + 2);
    });
}

std::optional<std::vector<history::ImportedDraw>> loadArchive(context::AppContext& app) {
    const context::Workspace& ws = app.workspace();
    if (!history::archiveExists(ws.kindFolder))
        return std::nullopt;
    return history::loadDrawArchive(history::archivePath(ws.kindFolder), ws.highestNumber);
}

std::optional<BacktestResult>
runArchiveStrategyCheck(context::AppContext& app, const std::vector<history::ImportedDraw>& archive,
                        int lastTargets) {
    const int size = static_cast<int>(archive.size());
    if (size < kFewestDraws) {
        app.platform().showInformation("В архиве тиражей " + std::to_string(size) +
                                       " - для проверки стратегии нужно не меньше 15.");
        return std::nullopt;
    }
    const auto range = archiveTargetRange(size, lastTargets);
    const int first = range.first;
    const int last = range.second;
    const StopOffered stop(app.platform(), last - first + 1);
    CommandProgress progress(app, last - first + 2);
    progress.step(1);
    return runArchiveBacktest(firstPassInput(app), secondPassInput(app), archive, lastTargets,
                              [&](int target) { return progress.stepOrStop(target - first + 2); });
}

std::optional<WorthResult> runFilterWorth(context::AppContext& app,
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

} // namespace vargis::commands
