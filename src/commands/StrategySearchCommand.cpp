#include "commands/StrategySearchCommand.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "commands/BoundSuggestions.h"
#include "commands/CombineSweep.h"
#include "commands/CommandProgress.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "context/AppContext.h"
#include "engine/FirstPassSteps.h"
#include "engine/StrategySearch.h"
#include "filters/FilterBase.h"
#include "filters/RemainingViews.h"
#include "history/DrawArchive.h"
#include "reports/ReportOpening.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <ostream>
#include <set>

namespace vargis::commands {

using namespace engine;

namespace {

// Exact back-tests tried, at most, while the estimate misses the budget.
constexpr int kExactRounds = 4;

// "Стоп" offered while the object lives.
class SearchStopOffered {
public:
    SearchStopOffered(ui::Platform& platform, int targets) : platform_(platform) {
        platform_.beginStoppable("Подбор стратегии, тиражей: " + std::to_string(targets));
    }
    ~SearchStopOffered() { platform_.endStoppable(); }
    SearchStopOffered(const SearchStopOffered&) = delete;
    SearchStopOffered& operator=(const SearchStopOffered&) = delete;

private:
    ui::Platform& platform_;
};

// The stored settings with some candidate rows enabled at a bound and the
// other candidates disabled, as the passes read them after an apply: the
// filter base's fields 3 and 4 and the rows' settings.
class TrialSettings {
public:
    TrialSettings(context::AppContext& app, const std::vector<int>& candidates)
        : table_(app.workspace().filters), settings_(app.workspace().settings),
          first_(firstPassInput(app)), second_(secondPassInput(app)) {
        for (int row : candidates)
            set(row, std::nullopt);
    }
    TrialSettings(const TrialSettings&) = delete;
    TrialSettings& operator=(const TrialSettings&) = delete;

    void set(int row, std::optional<int> bound) {
        if (bound) {
            table_.row(row).field(3) = std::to_string(*bound);
            settings_.setParameter(row, std::to_string(*bound));
        }
        table_.row(row).field(4) = bound ? "True" : "False";
        settings_.setEnabled(row, bound.has_value());
    }

    FirstPassInput first() const {
        FirstPassInput input = first_;
        input.filters = &table_;
        input.settings = &settings_;
        return input;
    }
    SecondPassInput second() const {
        SecondPassInput input = second_;
        input.filters = &table_;
        return input;
    }

private:
    filters::FilterTable table_;
    context::RowSettings settings_;
    FirstPassInput first_;
    SecondPassInput second_;
};

// Rows the first pass applies whatever their check box or field 4 say.
std::set<int> alwaysApplied(int highestNumber) {
    std::set<int> rows;
    for (const SweepStep& step : firstPassSteps(highestNumber))
        if (step.enabledBy == EnabledBy::Always)
            for (const StepRow& r : step.rows)
                rows.insert(r.row);
    return rows;
}

std::vector<std::int32_t> remainingCounts(const BacktestResult& result) {
    std::vector<std::int32_t> counts;
    for (const BacktestTarget& t : result.targets)
        counts.push_back(t.stopRow != 0 ? 0 : t.remaining);
    return counts;
}

} // namespace

int trainingTargetCount(int targets, int percent) {
    return std::max(1, static_cast<int>(static_cast<std::int64_t>(targets) * percent / 100));
}

std::optional<std::string> searchRefusal(int archiveSize, std::int32_t combinations,
                                         const SearchRequest& request) {
    if (request.budget < 1 || request.budget > combinations)
        return "--budget: " + std::to_string(request.budget) + " вне допустимых значений 1.." +
               std::to_string(combinations);
    if (request.trainPercent < kFewestTrainPercent || request.trainPercent > kMostTrainPercent)
        return "--train: " + std::to_string(request.trainPercent) + " вне допустимых значений " +
               std::to_string(kFewestTrainPercent) + ".." + std::to_string(kMostTrainPercent);
    const int targets = std::max(0, archiveSize - kFirstBacktestTarget + 1);
    if (targets < kFewestSearchTargets)
        return "В архиве тиражей " + std::to_string(archiveSize) + ", проверяемых с 15-го - " +
               std::to_string(targets) + ": для подбора стратегии нужно не меньше " +
               std::to_string(kFewestSearchTargets) + ".";
    return std::nullopt;
}

std::vector<int> searchCandidateRows(context::AppContext& app) {
    const context::Workspace& ws = app.workspace();
    const std::set<int> always = alwaysApplied(ws.highestNumber);
    std::vector<int> rows;
    for (int row = catalogue::kFirstRow; row <= catalogue::kLastRow; ++row) {
        const std::string& condition = ws.filters.row(row).field(5);
        if (catalogue::hasOwnFilter(catalogue::rowControls(row)) && always.count(row) == 0 &&
            (condition == "<=" || condition == ">="))
            rows.push_back(row);
    }
    return rows;
}

StrategySearchResult runStrategySearch(context::AppContext& app,
                                       const std::vector<history::ImportedDraw>& archive,
                                       const SearchRequest& request) {
    const context::Workspace& ws = app.workspace();
    StrategySearchResult result;
    result.budget = request.budget;
    result.combinationCount = ws.combinationCount;
    result.candidates = searchCandidateRows(app);
    const int last = static_cast<int>(archive.size());
    const int targets = last - kFirstBacktestTarget + 1;
    const int trainCount = trainingTargetCount(targets, request.trainPercent);
    const int trainLast = kFirstBacktestTarget + trainCount - 1;

    const SearchStopOffered stop(app.platform(), targets);
    // The gathering, then about two exact runs over the training targets
    // and one over the test targets.
    const int gathering = trainCount + std::min(trainCount, 64);
    const int steps = gathering + 2 * trainCount + (targets - trainCount) + 1;
    CommandProgress progress(app, steps);
    int passed = 0; // progress steps behind the current run
    auto at = [&](int position) { return progress.stepOrStop(std::min(steps, passed + position)); };

    TrialSettings every(app, {});
    for (int row : result.candidates)
        every.set(row, 0);
    SearchInput input;
    input.first = every.first();
    input.second = every.second();
    input.archive = &archive;
    input.firstTarget = kFirstBacktestTarget;
    input.lastTarget = trainLast;
    input.rows = result.candidates;
    const CandidateBounds bounds = [](const std::vector<int>& values, bool atMost) {
        std::vector<int> b;
        for (int keep : kSearchKeepPercents)
            b.push_back(suggestBound(values, atMost, keep).value);
        return b;
    };
    const StrategySearch search(input, bounds, [&](int done, int) { return at(done); });
    if (search.stopped())
        return result;
    passed = gathering;

    // The estimate guides; the exact back-test of the training targets
    // decides. When it misses the budget the search aims lower.
    double aim = request.budget;
    double smallest = std::numeric_limits<double>::infinity();
    std::optional<SearchOutcome> chosen;
    for (int round = 0; round < kExactRounds && !chosen; ++round) {
        const SearchOutcome outcome = search.search(aim);
        TrialSettings trial(app, result.candidates);
        for (const SearchChoice& c : outcome.rows)
            trial.set(c.row, c.bound);
        result.train =
            runArchiveTargets(trial.first(), trial.second(), archive, kFirstBacktestTarget,
                              trainLast, [&](int t) { return at(t - kFirstBacktestTarget + 1); });
        if (result.train.stopped)
            return result;
        passed = std::min(steps, passed + trainCount);
        const double median = medianRemaining(result.train);
        smallest = std::min(smallest, median);
        if (median <= request.budget)
            chosen = outcome;
        else if (!outcome.reached)
            break; // the tightest settings the search knows
        else
            aim = std::max(1.0, aim * request.budget / median * 0.9);
    }
    if (!chosen) {
        result.status = StrategySearchResult::Status::Unreachable;
        result.smallestMedian = smallest;
        return result;
    }
    for (const SearchChoice& c : chosen->rows)
        result.rows.push_back({c.row, ws.filters.row(c.row).field(3), c.bound});
    TrialSettings trial(app, result.candidates);
    for (const SearchChoice& c : chosen->rows)
        trial.set(c.row, c.bound);
    passed = std::max(passed, steps - (targets - trainCount) - 1);
    result.test = runArchiveTargets(trial.first(), trial.second(), archive, trainLast + 1, last,
                                    [&](int t) { return at(t - trainLast); });
    if (result.test.stopped)
        return result;
    result.status = StrategySearchResult::Status::Found;
    return result;
}

ChanceBaseline targetsBaseline(const BacktestResult& result, std::int32_t combinationCount) {
    return chanceBaseline(remainingCounts(result), combinationCount, result.keptCount());
}

bool betterThanChance(const StrategySearchResult& result) {
    return targetsBaseline(result.test, result.combinationCount).pValue < kVerdictLevel;
}

std::string medianText(double median) {
    const auto twice = static_cast<std::int64_t>(median * 2);
    return std::to_string(twice / 2) + (twice % 2 != 0 ? ".5" : "");
}

int applyStrategy(context::AppContext& app, const StrategySearchResult& result) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    std::map<int, int> chosen;
    for (const StrategyRow& r : result.rows)
        chosen[r.row] = r.bound;
    for (int row : result.candidates) {
        const auto found = chosen.find(row);
        auto& fields = ws.filters.row(row);
        if (found != chosen.end())
            fields.field(3) = std::to_string(found->second);
        fields.field(4) = found != chosen.end() ? "True" : "False";
        filters::restoreFilterControls(ws, form, row, row);
        const std::string box(catalogue::rowControls(row).checkBox);
        const ui::Control* control = form.find(box);
        if (control && control->kind == ui::ControlKind::CheckBox)
            app.setChecked(form, box, found != chosen.end());
    }
    filters::clearResultTable(form);
    return static_cast<int>(chosen.size());
}

} // namespace vargis::commands
