#include "filters/Evaluation.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/FilterFamily.h"
#include "context/MarkTables.h"
#include "filters/ChartModel.h"
#include "filters/RemainingViews.h"
#include "filters/RowOutcome.h"
#include "ui/MainFormControls.h"

#include <algorithm>

namespace vargis::filters {

Condition parseCondition(const std::string& text) {
    const Condition condition = catalogue::conditionOf(text);
    if (condition == Condition::None)
        throw ConversionError("'" + text + "' - неизвестное условие фильтра");
    return condition;
}

bool isValueRow(int row) {
    return catalogue::familyOfRow(row).comparesValue(row);
}

void selectFilter(context::AppContext& app, int row) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    resetChartAxis(ws, form);
    resetAfterFilterArea(app);
    const auto& filterRow = ws.filters.row(row);
    // The previously selected button loses its maroon colour.
    if (ws.currentFilterRow != row) {
        if (ui::Control* old = form.find(ws.filters.row(ws.currentFilterRow).buttonName())) {
            old->fontColor = ui::colors::Default;
            old->bold = false;
        }
    }
    const catalogue::ButtonLook look = catalogue::familyOfRow(row).look(row);
    const bool conditionFirst = look.conditionFirst;
    if (!filterRow.labelName().empty() && !conditionFirst)
        if (ui::Control* label = form.find(filterRow.labelName()))
            ws.settings.showCaption(*label, filterRow.parameter());
    ui::Control* button = form.find(filterRow.buttonName());
    if (button) {
        button->caption = conditionFirst ? filterRow.condition() + filterRow.stem()
                                         : filterRow.stem() + filterRow.condition();
        button->bold = true;
        button->fontColor = ui::colors::Maroon;
    }
    if (!look.headerPrefix.empty())
        form.at(ui::kFilterHeader).caption =
            std::string(look.headerPrefix) + (button ? button->caption : std::string()) +
            (look.withParameter ? filterRow.parameter() : std::string());
    if (look.clearsRemaining)
        form.at(ui::kCombinationsLeft).caption = "-";
}

std::string ordinalsLine(int drawCount) {
    std::string line;
    for (int j = 1; j <= std::min(drawCount, context::kMarkColumns); ++j)
        line += (j > 1 ? " " : "") + std::to_string(j);
    return line;
}

namespace {

void colourOrdinal(ui::Control& edit, const std::string& line, int ordinal, ui::Color color) {
    const auto at = line.find(std::to_string(ordinal));
    if (at == std::string::npos)
        return;
    edit.colorRanges.push_back({static_cast<int>(at), ordinal <= 8 ? 1 : 2, color});
}

} // namespace

void repaintOrdinalsYellow(ui::Form& form) {
    ui::Control& edit = form.at(ui::kOrdinalsLine);
    edit.colorRanges.clear();
    edit.textColor = ui::colors::Yellow;
    if (edit.caption.empty())
        edit.caption = ordinalsLine(context::kMarkColumns);
}

void showOrdinals(ui::Form& form, int drawCount) {
    ui::Control& edit = form.at(ui::kOrdinalsLine);
    const std::string line = ordinalsLine(drawCount);
    if (edit.caption == line)
        return;
    // The colours marked draws of another table.
    edit.caption = line;
    edit.colorRanges.clear();
    edit.textColor = ui::colors::Yellow;
}

void markDraws(context::AppContext& app, int row, const std::string& condition, int parameter) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    form.at(ui::kOrdinalsCaption).caption = "Фильтр: ";
    ws.failMarks.clearRow(row);
    const std::size_t draws =
        std::min<std::size_t>(static_cast<std::size_t>(ws.drawCount()), ws.filterValues.size());
    const std::vector<int> values(ws.filterValues.begin(),
                                  ws.filterValues.begin() + static_cast<std::ptrdiff_t>(draws));
    for (int i : failedDraws(row, values, condition, parameter))
        ws.failMarks.at(row, i) = "0";
    ui::Control& edit = form.at(ui::kOrdinalsLine);
    const std::string line = ordinalsLine(ws.drawCount());
    edit.caption = line;
    edit.textColor = ui::colors::Yellow;
    edit.colorRanges.clear();
    for (int j = 1; j <= 50; ++j)
        colourOrdinal(edit, line, j, ui::colors::Yellow);
    for (int j = 1; j <= 50; ++j)
        if (ws.failMarks.at(row, j) == "0")
            colourOrdinal(edit, line, j, ui::colors::Red);
    if (ws.previousDrawOffset > 0)
        edit.colorRanges.push_back({0, 2 * ws.previousDrawOffset, ui::colors::Navy});
    ws.previousDrawOffset = 0;
}

void takeFamilyValues(ValueFilter& filter, const context::Workspace& ws) {
    const catalogue::FilterFamily& family = catalogue::familyOfRow(filter.row);
    filter.firstEvaluated = family.firstDraw(filter.row);
    filter.value = [&ws, &family, row = filter.row](int f) {
        return family.drawValue(row, {ws.history, ws.highestNumber}, f);
    };
}

void evaluateValueFilter(context::AppContext& app, const ValueFilter& filter) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    const int row = filter.row;
    auto& filterRow = ws.filters.row(row);
    ui::Control& label = form.at(filterRow.labelName());
    const int parameter = filterParameter(row, label.caption);
    ws.currentFilterRow = row;
    const std::string condition = filterRow.condition();
    const Condition c = parseCondition(condition);
    filterRow.field(3) = label.caption;
    selectFilter(app, row);
    if (filter.afterSelect)
        filter.afterSelect();

    const int draws = ws.drawCount();
    ws.filterValues.assign(static_cast<std::size_t>(draws), 0);
    for (int i = filter.firstEvaluated; i <= draws; ++i) {
        ws.filterValues[static_cast<std::size_t>(i - 1)] = filter.value(i);
        if (filter.progress)
            filter.progress(i);
    }
    ws.firstCountedDraw = filter.firstEvaluated;
    ws.matchCount = valueMatches(ws.filterValues, filter.firstEvaluated, c, parameter);
    form.at(ui::kMatchedDraws).caption = " " + std::to_string(ws.matchCount);

    clearChart(ws, form);
    setChartFooter(form, filter.footer);
    ui::Chart& chart = form.at(kChart).chart;
    for (int i = std::max(1, filter.firstPlotted); i <= draws; ++i) {
        chart.series1.points.push_back(
            {static_cast<double>(i),
             static_cast<double>(ws.filterValues[static_cast<std::size_t>(i - 1)])});
        chart.series2.points.push_back({static_cast<double>(i), static_cast<double>(parameter)});
    }
    double largest = 0;
    for (const auto& p : chart.series1.points)
        largest = std::max(largest, p.y);
    chart.band.y0 = largest;
    if (filter.previousDrawOffset > 0)
        ws.previousDrawOffset = static_cast<std::uint8_t>(std::min(filter.previousDrawOffset, 255));
    markDraws(app, row, condition, parameter);
}

} // namespace vargis::filters
