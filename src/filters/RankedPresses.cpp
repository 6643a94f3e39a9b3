#include "filters/RankedPresses.h"

#include "base/Errors.h"
#include "filters/ChartModel.h"
#include "filters/Evaluation.h"
#include "filters/RowOutcome.h"
#include "ui/MainFormControls.h"

#include <algorithm>

namespace vargis::filters {

namespace {

// Draws a linked filter: values from draw `first` on, the line of the
// required outcome, the band (1 when nothing is equal) and the marks.
void showLinked(context::AppContext& app, int row, const std::string& condition, int first) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Chart& chart = form.at(kChart).chart;
    const int required = condition == "=" ? 1 : 0;
    double largest = 0;
    for (int f = first; f <= static_cast<int>(ws.filterValues.size()); ++f) {
        const double value = ws.filterValues[static_cast<std::size_t>(f - 1)];
        chart.series1.points.push_back({static_cast<double>(f), value});
        chart.series2.points.push_back({static_cast<double>(f), static_cast<double>(required)});
        largest = std::max(largest, value);
    }
    chart.band.y0 = largest == 0 ? 1 : largest;
    markDraws(app, row, condition, required);
}

void showMatchCount(context::Workspace& ws, ui::Form& form, int count) {
    ws.matchCount = count;
    form.at(ui::kMatchedDraws).caption = " " + std::to_string(count);
}

} // namespace

int rowOfButton(const context::Workspace& ws, const std::string& button) {
    const int row = ws.filters.findRowByButton(button);
    if (row == 0)
        throw RangeError("В базе фильтров bd_filters.txt нет строки для кнопки " + button);
    return row;
}

void pressRankedLink(context::AppContext& app, const std::string& button,
                     const catalogue::LinkCode& code) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    form.at(button).bold = true;
    const int row = rowOfButton(ws, button);
    const std::string condition = ws.filters.row(row).condition();
    ws.currentFilterRow = row;
    selectFilter(app, row);

    const int draws = ws.drawCount();
    ui::Control& progress = form.at(ui::kProgressBar);
    progress.visible = true;
    progress.max = draws;
    ws.filterValues = catalogue::rankedLinkValues(ws.history, code);
    progress.position = draws + 1;
    progress.position = 1;
    showMatchCount(ws, form, linkedLinkMatches(ws.filterValues, condition, code.offset, draws));
    form.at(ui::kNumbersLeft).caption = "-";
    form.at(ui::kCombinationsLeft).caption = " --- ";

    clearChart(ws, form);
    setChartFooter(form, catalogue::rankedLinkFooter(code));
    ws.previousDrawOffset = static_cast<std::uint8_t>(code.offset);
    showLinked(app, row, condition, code.offset + 1);
}

void pressRankedDate(context::AppContext& app, const std::string& button, int position) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    clearChart(ws, form);
    form.at(button).bold = true;
    const int row = rowOfButton(ws, button);
    const std::string condition = ws.filters.row(row).condition();
    ws.currentFilterRow = row;
    selectFilter(app, row);

    ws.filterValues = catalogue::rankedDateValues(ws.history, position);
    setChartFooter(form, std::to_string(position) +
                             "-я поз. тиража по |9| и сумма цифр даты по |9|): (=)=>1. (<>)=>0");
    form.at(ui::kNumbersLeft).caption = "-";
    form.at(ui::kCombinationsLeft).caption = " - ";
    showMatchCount(ws, form, linkedMatches(ws.filterValues, condition));
    showLinked(app, row, condition, 1);
}

void pressPositionValue(context::AppContext& app, int row, int position) {
    context::Workspace& ws = app.workspace();
    static const char* const kFooters[] = {
        "2-я позиция для каждого тиража. ",
        "3-я позиция для каждого тиража. ",
        "4-я позиция для каждого тиража. ",
        "5-я позиция для каждого тиража, взятая по mod=9 ",
    };
    if (position < 2 || position > 5)
        throw RangeError("Позиция " + std::to_string(position) + " не имеет фильтра значения");
    ValueFilter filter;
    filter.row = row;
    filter.footer = kFooters[position - 2];
    takeFamilyValues(filter, ws);
    evaluateValueFilter(app, filter);
}

} // namespace vargis::filters
