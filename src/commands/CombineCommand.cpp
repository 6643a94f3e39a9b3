#include "commands/CombineCommand.h"

#include "base/DateText.h"
#include "commands/CombineState.h"
#include "commands/CombineSweep.h"
#include "commands/ResultTable.h"
#include "context/AppContext.h"
#include "filters/ChartModel.h"
#include "filters/Evaluation.h"
#include "filters/RemainingViews.h"
#include "history/DrawGrid.h"
#include "numbers/NumbersPanel.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <ostream>
#include <tuple>

namespace vargis::commands {

using namespace engine;

namespace {

constexpr int kMinimumDraws = 15;

bool earlier(const Date& a, const Date& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

} // namespace

bool combineTargetAccepted(context::AppContext& app) {
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    if (app.workspace().drawCount() < kMinimumDraws) {
        platform.showInformation("  Тиражей в статистике\r\n  ДОЛЖНО БЫТЬ НЕ МЕНЬШЕ 15-ти,\r\n\r\n"
                                 "  ДОПОЛНИТЕ СТАТИСТИКУ ТИРАЖЕЙ");
        return false;
    }
    const Date first = parseDate(ui::gridText(form.at(history::kDrawGrid), 2, kMinimumDraws));
    const Date chosen = parseDate(form.at(ui::kForecastCalendar).date);
    if (earlier(chosen, first)) {
        platform.showInformation(" В режиме ПРОГНОЗ\r\n статистика обрабатывается, начиная с ном. "
                                 "15.\r\n Измените дату прогноза");
        return false;
    }
    return true;
}

CombineOutcome combineFilters(context::AppContext& app, ExclusionQuestion question,
                              const CandidateSource& source) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    CombineState& state = combineState(app);

    filters::repaintOrdinalsYellow(form);
    filters::resetAfterFilterArea(app);
    filters::clearResultTable(form);

    if (!combineTargetAccepted(app))
        return CombineOutcome::Refused;

    std::string excluded;
    for (int x = 1; x <= ws.highestNumber; ++x)
        if (ws.digits.row(x).fields[2] == "0")
            excluded += " - " + std::to_string(x);
    if (!excluded.empty()) {
        if (question == ExclusionQuestion::Ask &&
            !platform.askYesNo("Не играют числа: \n" + excluded + "\n" + "Это правильно ?"))
            return CombineOutcome::Declined;
        platform.repaint();
    }
    return runCombine(app, state, source);
}

CombineOutcome runCombine(context::AppContext& app, CombineState& state,
                          const CandidateSource& source) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    ui::Control& busy = form.at(ui::kBusyLabel);
    ui::Control& button = form.at(ui::kCombineButton);
    ui::Control& progress = form.at(ui::kProgressBar);

    busy.caption = "Обрабатывается статистика";
    busy.visible = true;
    button.enabled = false;
    ws.stopFlag = 0;
    // The last run's results go now, so that a run never holds more than two
    // full-size lists.
    state = CombineState{};
    auto finish = [&] {
        button.enabled = true;
        busy.visible = false;
    };
    try {
        filters::clearResultTable(form);
        form.at(ui::kFilterHeader).caption = " Фильтр: все выбранные без даты";
        for (const char* label : {ui::kNumbersLeft, ui::kCombinationsLeft, ui::kMatchedDraws})
            form.at(label).caption = " -";
        filters::setChartFooter(form, "Фильтр не выбран.");
        filters::clearChart(ws, form);
        form.at(filters::kChart).chart.title = {""};
        platform.repaint();

        sweepWithoutDateOnForm(app, state, source);
        platform.beep(ui::Beep::Exclamation);
        if (ws.stopFlag == 1) {
            platform.sleepMs(1000);
            finish();
            return CombineOutcome::Stopped;
        }
        form.at(ui::kFilterHeader).caption = " Фильтр: ВСЕ ВЫБРАННЫЕ";
        sweepAllSelectedOnForm(app, state);
        if (ws.stopFlag == 1) {
            platform.sleepMs(1000);
            finish();
            return CombineOutcome::Stopped;
        }
        platform.sleepMs(2000);
        platform.beep(ui::Beep::Exclamation);
        buildResultTable(app, state);
        progress.position = progress.min;
        finish();
        return CombineOutcome::Completed;
    } catch (...) {
        state.releaseWorkingLists();
        finish();
        platform.stopSound();
        throw;
    }
}

} // namespace vargis::commands
