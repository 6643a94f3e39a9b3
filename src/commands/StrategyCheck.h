#pragma once
// The two questions a player asks before paying for tickets, as commands of
// the main menu and of the command-line tool: how the enabled filters would
// have done on every past draw (the back-test), and what each applied filter
// row is worth for the stored forecast target. Neither changes the stored
// target, the result table, the chart or any file but its report.

#include "engine/Backtest.h"
#include "engine/FilterWorth.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

inline constexpr const char* kBacktestMenuItem = "NStrategyCheck";
inline constexpr const char* kWorthMenuItem = "NFilterWorth";
inline constexpr const char* kBacktestReport = "backtest.html";
inline constexpr const char* kWorthReport = "efficiency.html";
inline constexpr const char* kBacktestStopped = "Проверка стратегии остановлена: отчёт не записан.";

// MatchCount of a row's own button over the history, worked out without
// pressing it; none for a row without a button of its own.
using ButtonCount = std::function<std::optional<int>(int row)>;

// The back-test with ProgressBar1 moving per target and "Стоп" offered; none
// when the draws are too few (the combine's message is shown).
std::optional<engine::BacktestResult> runStrategyCheck(context::AppContext& app);

// The archive of the kind's folder, none when there is none. A damaged
// archive is an error naming the file and the line.
std::optional<std::vector<history::ImportedDraw>> loadArchive(context::AppContext& app);

// The back-test over the archive (the `lastTargets` newest targets when
// above 0) in the same way; none when the archive holds fewer than 15 draws
// (a message says so).
std::optional<engine::BacktestResult>
runArchiveStrategyCheck(context::AppContext& app, const std::vector<history::ImportedDraw>& archive,
                        int lastTargets = 0);

// The worth of the applied rows with ProgressBar1 moving; none when the
// combine's checks refuse the stored target (their message is shown).
std::optional<engine::WorthResult> runFilterWorth(context::AppContext& app,
                                                  const ButtonCount& buttonCount);

} // namespace vargis::commands
