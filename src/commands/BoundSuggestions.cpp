#include "commands/BoundSuggestions.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "commands/CombineCommand.h"
#include "commands/CombineSweep.h"
#include "commands/CommandProgress.h"
#include "commands/StrategyReports.h"
#include "context/AppContext.h"
#include "engine/FilterWorth.h"
#include "filters/FilterBase.h"
#include "filters/RemainingViews.h"
#include "reports/ReportOpening.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>

namespace vargis::commands {

using namespace engine;

int neededDraws(int keepPercent, int evaluated) {
    return (keepPercent * evaluated + 99) / 100;
}

Bound suggestBound(std::vector<int> values, bool atMost, int keepPercent) {
    if (values.empty() || keepPercent < 1 || keepPercent > 100)
        throw RangeError("Подбор границы без значений или с долей " + std::to_string(keepPercent));
    const int needed = neededDraws(keepPercent, static_cast<int>(values.size()));
    // The needed-th smallest value for "<=", the needed-th largest for ">=".
    if (atMost)
        std::sort(values.begin(), values.end());
    else
        std::sort(values.begin(), values.end(), std::greater<>());
    Bound bound;
    bound.value = values[static_cast<std::size_t>(needed - 1)];
    bound.met = static_cast<int>(std::count_if(values.begin(), values.end(), [&](int v) {
        return atMost ? v <= bound.value : v >= bound.value;
    }));
    return bound;
}

namespace {

// The row as the sweep applies it: its check box when it has one, else
// its enabled flag.
bool rowEnabled(const context::Workspace& ws, int row) {
    if (!catalogue::rowControls(row).checkBox.empty())
        return ws.settings.enabled(row);
    return ws.filters.row(row).field(4) == "True";
}

// Combinations meeting each suggested row alone, counted as the filter
// worth counts them: both passes on a copy of the filter base in which
// exactly the suggested rows are enabled, at their suggestions.
void countPasses(context::AppContext& app, SuggestionResult& result) {
    filters::FilterTable table = app.workspace().filters;
    context::RowSettings settings = app.workspace().settings;
    for (int row = catalogue::kFirstRow; row <= catalogue::kLastRow; ++row) {
        if (catalogue::hasOwnFilter(catalogue::rowControls(row)))
            table.row(row).field(4) = "False";
        settings.setEnabled(row, false);
    }
    for (const SuggestedRow& r : result.rows) {
        table.row(r.row).field(3) = std::to_string(r.suggestion);
        table.row(r.row).field(4) = "True";
        settings.setParameter(r.row, std::to_string(r.suggestion));
        settings.setEnabled(r.row, true);
    }
    FirstPassInput first = firstPassInput(app);
    first.filters = &table;
    first.settings = &settings;
    SecondPassInput second = secondPassInput(app);
    second.filters = &table;
    const PassesResult worth = filterPasses(first, second);
    result.combinationCount = worth.combinationCount;
    std::map<int, std::int32_t> passes;
    for (const RowPasses& w : worth.rows)
        if (passes.count(w.row) == 0)
            passes[w.row] = w.passes;
    // A row the passes do not apply for this target strikes nothing.
    for (SuggestedRow& r : result.rows) {
        const auto found = passes.find(r.row);
        r.passes = found == passes.end() ? worth.combinationCount : found->second;
    }
}

// What the combine leaves once the enabled rows among `rows` take their
// suggestions as applying them would (field 3 and the parameter label), the
// other rows and every check box as stored; the stored settings are not
// touched.
std::int32_t countTogether(context::AppContext& app, const std::vector<SuggestedRow>& rows) {
    filters::FilterTable table = app.workspace().filters;
    context::RowSettings settings = app.workspace().settings;
    for (const SuggestedRow& r : rows) {
        if (!r.enabled)
            continue;
        table.row(r.row).field(3) = std::to_string(r.suggestion);
        if (!catalogue::rowControls(r.row).paramLabel.empty())
            settings.setParameter(r.row, std::to_string(r.suggestion));
    }
    FirstPassInput first = firstPassInput(app);
    first.filters = &table;
    first.settings = &settings;
    SecondPassInput second = secondPassInput(app);
    second.filters = &table;
    return countCombineRemaining(first, second).remaining;
}

} // namespace

std::optional<SuggestionResult> runBoundSuggestions(context::AppContext& app, int keepPercent,
                                                    const ButtonValues& pressed) {
    if (!combineTargetAccepted(app))
        return std::nullopt;
    const context::Workspace& ws = app.workspace();
    std::vector<int> candidates;
    for (int row = catalogue::kFirstRow; row <= catalogue::kLastRow; ++row) {
        const std::string& condition = ws.filters.row(row).field(5);
        // A row the kind hides has no bound of the user's to suggest.
        if (catalogue::hasOwnFilter(catalogue::rowControls(row)) &&
            catalogue::rowShownForKind(row, ws.highestNumber) &&
            (condition == "<=" || condition == ">="))
            candidates.push_back(row);
    }
    CommandProgress progress(app, static_cast<int>(candidates.size()) + 1);
    SuggestionResult result;
    result.keepPercent = keepPercent;
    int done = 0;
    for (int row : candidates) {
        progress.step(++done);
        const auto values = pressed ? pressed(row) : std::nullopt;
        if (!values || values->values.empty())
            continue;
        SuggestedRow r;
        r.row = row;
        r.condition = ws.filters.row(row).field(5);
        r.parameter = ws.filters.row(row).field(3);
        const Bound bound = suggestBound(values->values, r.condition == "<=", keepPercent);
        r.suggestion = bound.value;
        r.met = bound.met;
        r.metNow = values->matchCount;
        r.evaluated = static_cast<int>(values->values.size());
        r.enabled = rowEnabled(ws, row);
        result.rows.push_back(r);
    }
    // Every suggested row counts here, whichever rows the lines list.
    result.together = countTogether(app, result.rows);
    countPasses(app, result);
    progress.step(done + 1);
    return result;
}

int applySuggestions(context::AppContext& app, const SuggestionResult& result) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    int applied = 0;
    for (const SuggestedRow& r : result.rows) {
        if (!r.enabled)
            continue;
        ws.filters.row(r.row).field(3) = std::to_string(r.suggestion);
        filters::restoreFilterControls(ws, form, r.row, r.row);
        ++applied;
    }
    if (applied > 0)
        filters::clearResultTable(form);
    return applied;
}

namespace {

// R / C as a fraction with four decimals and as a percentage.
std::string togetherChance(const SuggestionResult& result) {
    const double chance = result.combinationCount > 0
                              ? static_cast<double>(result.together) / result.combinationCount
                              : 0;
    char text[64];
    std::snprintf(text, sizeof text, "%d / %d = %.4f", result.together, result.combinationCount,
                  chance);
    return text;
}

} // namespace

reports::HtmlReport suggestionReport(const SuggestionResult& result,
                                     const std::function<std::string(int row)>& caption,
                                     const ui::DateTime& now) {
    reports::HtmlReport report;
    const std::string product = kReportProduct;
    report.title = product + " Подбор границ. " + base::kProductAddress;
    const std::vector<std::string> further{
        "<p>Для каждого фильтра с условием &lt;= или &gt;=: самая узкая граница, при которой "
        "фильтр выполнялся бы не меньше чем в " +
            std::to_string(result.keepPercent) +
            "% тиражей, по которым считает его кнопка, и сколько из " +
            std::to_string(result.combinationCount) +
            " перестановок проходят этот фильтр один для даты прогноза. Строки - по возрастанию "
            "числа пропускаемых перестановок.</p>",
        "<p><strong>Все включённые фильтры с предложенными границами вместе оставляют " +
            std::to_string(result.together) + " из " + std::to_string(result.combinationCount) +
            " перестановок: ближайший тираж останется среди них с вероятностью " +
            togetherChance(result) + ".</strong> Доля прошлых тиражей, которые фильтр " +
            "пропускал, этой вероятности не меняет: для честных тиражей каждая перестановка "
            "выпадает одинаково часто.</p>"};
    report.heading = reports::standardHeading("<strong>" + product + "</strong><br>",
                                              {"<strong>Подбор границ фильтров.</strong><br>"},
                                              base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows,
                            {"Строка", "Фильтр", "Включён", "Параметр сейчас", "Выполнялся сейчас",
                             "Предложено", "Выполнялся бы", "Пропускает перестановок"});
    std::vector<SuggestedRow> rows = result.rows;
    std::stable_sort(rows.begin(), rows.end(), [](const SuggestedRow& a, const SuggestedRow& b) {
        return a.passes < b.passes;
    });
    for (const SuggestedRow& r : rows) {
        const std::string of = " из " + std::to_string(r.evaluated);
        const bool changed = r.parameter != std::to_string(r.suggestion);
        reports::appendTableRow(
            report.rows,
            {std::to_string(r.row), reports::escapeHtml(caption ? caption(r.row) : ""),
             r.enabled ? "да" : "нет", reports::escapeHtml(r.parameter),
             std::to_string(r.metNow) + of,
             changed ? "<strong>" + std::to_string(r.suggestion) + "</strong>"
                     : std::to_string(r.suggestion),
             std::to_string(r.met) + of,
             std::to_string(r.passes) + " из " + std::to_string(result.combinationCount)});
    }
    report.footer = reportFooterLines(now);
    return report;
}

} // namespace vargis::commands
