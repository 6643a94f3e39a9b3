#pragma once
// The reports of the strategy check and of the filters' worth: data in, the
// lines of backtest.html and efficiency.html out, in the common report shape.

#include "base/ProductInfo.h"
#include "engine/Backtest.h"
#include "engine/FilterWorth.h"
#include "reports/HtmlReport.h"
#include "ui/Platform.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

inline constexpr const char* kReportProduct = base::kReportProduct;

// An SVG text element at (x, y), anchored "start", "middle" or "end".
std::string svgText(int x, int y, const std::string& anchor, const std::string& body);
// The opening lines of a report chart: the svg element, the horizontal and
// vertical axes from (left, bottom), and the labels of the vertical axis's
// top and bottom.
std::vector<std::string> chartAxes(int width, int height, int left, int top, int bottom,
                                   const std::string& topLabel, const std::string& bottomLabel);

// The opening lines of the framed table and the product and time footer of
// the analysis reports.
std::vector<std::string> reportFrameLines();
std::vector<std::string> reportFooterLines(const ui::DateTime& now);

// What the reports say about the stored settings.
struct StrategyFacts {
    std::map<int, std::string> captions; // row -> caption with condition and parameter
    std::vector<int> enabledRows;        // the rows the passes apply, in sweep order
    std::string playingNumbers;          // "1, 2, ... 36"
    std::vector<std::string> dates;      // date of draw 1..DrawCount
    int drawCount = 0;
};

StrategyFacts strategyFacts(context::AppContext& app);

// The back-test over the draw table; the kept count stands beside what a
// random choice of as many combinations would keep of `combinationCount`.
reports::HtmlReport backtestReport(const StrategyFacts& facts, const engine::BacktestResult& result,
                                   std::int32_t combinationCount, const ui::DateTime& now);
// The back-test over the archive: a summary first (kept X of Y, what chance
// would keep, the median remaining count and its share of all
// `combinationCount` combinations),
// the settings, the chart over the targets' dates, then every target.
reports::HtmlReport archiveBacktestReport(const StrategyFacts& facts,
                                          const engine::BacktestResult& result,
                                          std::int32_t combinationCount, const ui::DateTime& now);

// The median remaining count of the targets (a stopped target counts 0);
// the mean of the two middle ones for an even count; 0 without targets.
double medianRemaining(const engine::BacktestResult& result);

reports::HtmlReport worthReport(const StrategyFacts& facts, const engine::WorthResult& result,
                                const ui::DateTime& now);

// The chart of the remaining count per target as inline SVG lines; kept
// targets are marked green, the others red. The axis names every fifth
// ordinal, or with `byDate` about ten targets by their dates.
std::vector<std::string> remainingChartSvg(const engine::BacktestResult& result,
                                           bool byDate = false);

// The summary of the kept count against chance, in words: the expected
// count, the lift and the chance of keeping as many or more at random.
std::vector<std::string> chanceSummaryLines(const engine::BacktestResult& result,
                                            std::int32_t combinationCount);

// The running count of kept targets beside the running count chance
// expects, as inline SVG lines.
std::vector<std::string> runningKeptChartSvg(const engine::BacktestResult& result,
                                             std::int32_t combinationCount, bool byDate = false);

} // namespace vargis::commands
