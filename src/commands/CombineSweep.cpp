// The two passes of a combine run as the main window shows them: the
// progress bar, the live count after every step, the pauses and the sound.

#include "commands/CombineSweep.h"

#include "catalogue/Catalogue.h"
#include "commands/CombineState.h"
#include "context/AppContext.h"
#include "context/ProgressBar.h"
#include "engine/FirstPass.h"
#include "engine/FirstPassSteps.h"
#include "engine/Generation.h"
#include "engine/SecondPass.h"
#include "numbers/NumbersPanel.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

namespace vargis::commands {

using namespace engine;

namespace {

constexpr const char* kTickSound = "bd/tik-tak.wav";

// Shows each step that ran: its progress position, the live count after it
// and its pause.
void replaySteps(context::AppContext& app, const FirstPassResult& result) {
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    ui::Control& progress = form.at(ui::kProgressBar);
    ui::Control& live = form.at(ui::kCombinationsLeft);
    for (const StepTrace& step : result.steps) {
        if (step.progress >= 0)
            progress.position = step.progress;
        live.caption = std::to_string(step.live);
        if (step.pauseMs > 0)
            platform.sleepMs(step.pauseMs);
        else
            platform.repaint();
    }
}

// Replays a pass on the window and ends the run where it stopped; false when
// it stopped. An error of the pass propagates after the steps before it.
bool showPassEnd(context::AppContext& app, CombineState& state, const FirstPassResult& result) {
    replaySteps(app, result);
    if (result.stopRow != 0) {
        stopSweep(app, state, result.stopRow);
        return false;
    }
    if (result.error)
        std::rethrow_exception(result.error);
    return true;
}

} // namespace

FirstPassInput firstPassInput(context::AppContext& app) {
    const context::Workspace& ws = app.workspace();
    FirstPassInput input;
    input.highestNumber = ws.highestNumber;
    input.filters = &ws.filters;
    input.settings = &ws.settings;
    for (int x = 1; x <= ws.highestNumber; ++x)
        input.excluded[static_cast<std::size_t>(x)] = ws.digits.row(x).fields[2] == "0";
    return input;
}

SecondPassInput secondPassInput(context::AppContext& app) {
    const context::Workspace& ws = app.workspace();
    return {ws.highestNumber, &ws.filters, &ws.history, ws.forecastDate, ws.forecastOrdinal};
}

void showPage(context::AppContext& app, const std::string& tabSheet) {
    ui::Form& form = app.mainForm();
    ui::Control& pages = form.at(ui::kPages);
    if (pages.activePage == tabSheet)
        return;
    const std::string old = pages.activePage;
    pages.activePage = tabSheet;
    if (!old.empty())
        app.dispatcher().run(form.name(), old, ui::Event::Hide);
    app.dispatcher().run(form.name(), tabSheet, ui::Event::Show);
}

void generateCombinationsOnForm(context::AppContext& app, CombineState& state,
                                const CandidateSource& source) {
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    form.at(ui::kProgressBar).max = app.workspace().highestNumber;
    const std::function<void(int)> afterFirst = context::progressShown(app);
    const int highest = app.workspace().highestNumber;
    CombinationList all =
        source ? source(highest, afterFirst) : generateCombinations(highest, afterFirst);
    const std::string count = std::to_string(all.size());
    form.at(ui::kNumbersInPlay).caption = " N = " + count + " ";
    form.at(ui::kCombinationsLeft).caption = count;
    platform.beep(ui::Beep::Default);
    // The candidate list takes the generated entries over, so that the
    // generated list is released as it is copied.
    state.candidates = std::move(all);
}

void sweepWithoutDateOnForm(context::AppContext& app, CombineState& state,
                            const CandidateSource& source) {
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    ui::Control& progress = form.at(ui::kProgressBar);
    ui::Control& live = form.at(ui::kCombinationsLeft);

    platform.playSoundLoop(kTickSound);
    generateCombinationsOnForm(app, state, source);
    progress.max = kFirstPassProgressMax;
    progress.position = kFirstPassStartPosition;

    const FirstPassResult result = sweepWithoutDate(state.candidates, firstPassInput(app));
    if (!showPassEnd(app, state, result))
        return;
    state.survivorCount = result.live;
    live.caption = std::to_string(result.live);
}

void sweepAllSelectedOnForm(context::AppContext& app, CombineState& state) {
    ui::Form& form = app.mainForm();
    ui::Control& progress = form.at(ui::kProgressBar);
    ui::Control& live = form.at(ui::kCombinationsLeft);

    form.at(ui::kFilterHeader).caption = "Фильтр: ВСЕ ВЫБРАННЫЕ";
    form.at(ui::kMatchedDraws).caption = " - ";
    live.caption = std::to_string(state.survivorCount);
    progress.position = 37;
    state.survivors = compactLive(std::move(state.candidates));
    live.caption = std::to_string(state.survivors.size());
    progress.position = 38;
    progress.max = kFirstPassProgressMax;
    progress.position = 39;
    app.platform().repaint();

    const FirstPassResult result = sweepAllSelected(state.survivors, secondPassInput(app));
    if (!showPassEnd(app, state, result))
        return;

    // End of the pass: the remaining combinations and the numbers in play.
    state.numbersInPlay = numbersInPlay(state.survivors);
    state.remaining = compactLive(std::move(state.survivors));
    form.at(ui::kNumbersLeft).caption = std::to_string(state.numbersInPlay.size());
    numbers::showNumbersInPlay(app, state.numbersInPlay);
}

void stopSweep(context::AppContext& app, CombineState& state, int row) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    state.stopRow = row;

    // The filter base names the button; a base that names none leaves the
    // highlight and the press out.
    const std::string buttonName = ws.filters.row(row).field(6);
    ui::Control* button = form.find(buttonName);
    std::string message = "Обработка остановлена.\r\nПерестановок НЕ осталось !!!\r\n"
                          "Измените параметры ВЫДЕЛЕННОГО фильтра\r\n"
                          "или исключите ВЫДЕЛЕННЫЙ фильтр из обработки.";
    // A row enabled in the base but hidden for the kind has no check box to
    // untick; the user is told so and how to switch it off.
    if (button && !button->visible)
        message += "\r\n\r\nФильтр \"" + ws.filters.row(row).stem() + "\" скрыт для лотереи 5 из " +
                   std::to_string(ws.highestNumber) +
                   " и ничего не считает.\r\nВыключите его: выберите дату прогноза и ответьте "
                   "\"Да\"\r\nна вопрос \"ВЫКЛЮЧИТЬ ВСЕ ВЫБРАННЫЕ ФИЛЬТРЫ ?\"";
    platform.showMessage(message);
    form.at(ui::kProgressBar).position = 1;
    auto highlight = [&] {
        if (button) {
            button->fontColor = ui::colors::Red;
            button->bold = true;
        }
    };
    highlight();
    showPage(app, std::string(catalogue::pageOfRow(row).tabSheet));
    if (button)
        form.setFocus(buttonName);
    highlight();
    platform.sleepMs(1500);
    if (button)
        app.pressControl(form, buttonName);
    ws.stopFlag = 1;
    state.releaseWorkingLists();
    form.at(ui::kBusyLabel).visible = false;
    platform.playSoundOnce(kTickSound);
}

} // namespace vargis::commands
