#pragma once
// The strategy search over the archive: the filter rows and bounds that keep
// the most of the older draws within a budget of remaining combinations,
// chosen on the older targets only and then judged, beside chance, on the
// newer targets the search never saw.

#include "engine/Backtest.h"
#include "engine/Chance.h"
#include "history/DrawImport.h"
#include "reports/HtmlReport.h"
#include "ui/Platform.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

inline constexpr const char* kSearchMenuItem = "NStrategySearch";
inline constexpr const char* kSearchReport = "search.html";
inline constexpr int kDefaultSearchBudget = 10'000;
inline constexpr int kDefaultTrainPercent = 70;
inline constexpr int kFewestTrainPercent = 10;
inline constexpr int kMostTrainPercent = 90;
inline constexpr int kFewestSearchTargets = 30;
// The shares of the training draws each candidate bound keeps.
inline constexpr std::array<int, 6> kSearchKeepPercents{80, 85, 90, 95, 98, 100};
// A test p-value below this is "better than chance".
inline constexpr double kVerdictLevel = 0.05;

struct SearchRequest {
    int budget = kDefaultSearchBudget; // 1..C
    int trainPercent = kDefaultTrainPercent;
};

// The oldest `percent`% of `targets` (rounded down, at least one).
int trainingTargetCount(int targets, int percent);

// Why the search cannot run on an archive of `archiveSize` draws with
// `combinations` of the kind; none when it can.
std::optional<std::string> searchRefusal(int archiveSize, std::int32_t combinations,
                                         const SearchRequest& request);

// The rows a search may enable: each row with a filter of its own whose
// stored condition is "<=" or ">=" and that the passes apply only when it
// is enabled, ascending.
std::vector<int> searchCandidateRows(context::AppContext& app);

struct StrategyRow {
    int row = 0;
    std::string parameter; // field 3 as stored
    int bound = 0;
};

struct StrategySearchResult {
    enum class Status { Found, Unreachable, Stopped } status = Status::Stopped;
    std::vector<StrategyRow> rows; // in row order
    std::vector<int> candidates;   // every row --apply switches
    int budget = 0;
    std::int32_t combinationCount = 0;
    engine::BacktestResult train; // the chosen settings, target by target
    engine::BacktestResult test;
    double smallestMedian = 0; // Unreachable: the smallest median reached
};

// The search with ProgressBar1 moving and "Стоп" offered; the request must
// have passed searchRefusal. Errors of the passes propagate.
StrategySearchResult runStrategySearch(context::AppContext& app,
                                       const std::vector<history::ImportedDraw>& archive,
                                       const SearchRequest& request);

// The chance baseline of a back-test's targets.
engine::ChanceBaseline targetsBaseline(const engine::BacktestResult& result,
                                       std::int32_t combinationCount);

// Whether the settings did better than chance on the test targets.
bool betterThanChance(const StrategySearchResult& result);

// A median as printed: whole, or with ".5".
std::string medianText(double median);

// Enables exactly the chosen rows at their bounds and disables the other
// candidate rows, in the filter base and on the window, and empties the
// result table; returns the number of rows enabled. Nothing is saved.
int applyStrategy(context::AppContext& app, const StrategySearchResult& result);

reports::HtmlReport strategySearchReport(const StrategySearchResult& result,
                                         const std::vector<std::string>& captions,
                                         const ui::DateTime& now);

} // namespace vargis::commands
