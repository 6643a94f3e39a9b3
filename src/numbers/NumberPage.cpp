#include "numbers/NumberPage.h"

#include "base/Combinatorics.h"
#include "base/Convert.h"
#include "filters/ChartModel.h"
#include "filters/MarkBases.h"
#include "filters/RemainingViews.h"
#include "numbers/Analyzer.h"
#include "numbers/NumberLayout.h"
#include "numbers/SelectedSide.h"
#include "numbers/Selection.h"
#include "ui/MainFormControls.h"

#include <algorithm>

namespace vargis::numbers {

namespace {

constexpr const char* kAnalyzerQuestion =
    "Если вы УЖЕ составили РАБОЧИЙ ряд, то\r\nСОХРАНИТЕ его !\r\nРяд, полученный на панели "
    "\"Анализатор\"\r\nАВТОМАТИЧЕСКИ СТАНЕТ РАБОЧИМ РЯДОМ!\r\n---\r\nПРОДОЛЖИТЬ ?";

std::string boxName(int number) {
    return ui::numberedName(ui::kCheckBoxPrefix, filters::numberCheckBoxSuffix(number));
}

void setNumberBoxesEnabled(ui::Form& form, bool enabled) {
    for (int n = 1; n <= filters::kNumbers; ++n)
        form.at(boxName(n)).enabled = enabled;
}

} // namespace

bool analyzerOn(const ui::Form& mainForm) {
    return !mainForm.at(kSwitchPanel).visible;
}

void showSelection(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    const int playing = playingCount(ws.digits, ws.highestNumber);
    const std::int32_t combinations =
        countCombinations(static_cast<std::uint8_t>(playing), std::uint8_t{5});
    form.at(ui::kNumbersLeft).caption = std::to_string(playing);
    panel.at(ui::kPlayingCount).caption = std::to_string(playing);
    form.at(ui::kCombinationsLeft).caption = std::to_string(combinations);
    panel.at(ui::kSelectedCombinations).caption = std::to_string(combinations);

    clearSelectedGrid(app);
    if (!analyzerOn(form))
        drawSelectedHits(app);
    if (combinations <= kSelectedGridLimit)
        fillSelectedGrid(app);
    filters::resetAfterFilterArea(app);
}

void numberBoxClick(context::AppContext& app, const std::string& sender) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    filters::resetAfterFilterArea(app);
    filters::clearResultTable(form);

    const int number = rowOfCheckBox(ws.digits, sender);
    const int playingBefore = playingCount(ws.digits, ws.highestNumber);
    ui::Control& box = form.at(sender);
    std::string& state = ws.digits.row(number).fields[2];
    if (box.checked) {
        state = "1";
        box.color = ui::colors::Yellow;
    } else if (playingBefore == 5) {
        // At least five numbers must play: the box is marked again.
        app.platform().showInformation(kTooFewNumbers);
        state = "1";
        box.checked = true;
        box.color = ui::colors::Yellow;
        return;
    } else {
        state = "0";
        box.color = ui::colors::Red;
    }
    showSelection(app);
}

void markAllNumbers(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    filters::resetAfterFilterArea(app);
    filters::clearResultTable(form);
    for (int b = 1; b <= ws.highestNumber; ++b) {
        ui::Control& box =
            form.at(ui::numberedName(ui::kCheckBoxPrefix, ws.digits.row(b).fields[1]));
        box.checked = true;
        box.color = ui::colors::Yellow;
        ws.digits.row(b).fields[2] = "1";
    }
    showSelection(app);
}

void numberFrequency(context::AppContext& app, const std::string& sender) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    filters::clearChart(ws, form);
    filters::resetChartAxis(ws, form);
    const std::string number = form.at(sender).caption;
    ui::Series& series = form.at(filters::kChart).chart.series1;
    for (int i = 1; i <= context::kMaxDraws; ++i) {
        const context::DrawRecord& draw = ws.history.record(i);
        int count = 0;
        for (int k = 3; k <= 7; ++k)
            count += draw.field(k) == number ? 1 : 0;
        series.points.push_back({static_cast<double>(i), static_cast<double>(count)});
    }
    filters::setChartFooter(form, "Выпадение числа " + number + " в тиражах");
}

void listSelection(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    panel.at(ui::kPlayingMemo).lines = {joinNumbers(playingNumbers(ws.digits, ws.highestNumber))};
    panel.at(ui::kExcludedMemo).lines = {joinNumbers(excludedNumbers(ws.digits, ws.highestNumber))};
}

void drawSelectedHits(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    filters::clearChart(ws, form);
    form.at(ui::kFilterHeader).caption = "Фильтр: -";
    std::vector<int> hits;
    for (int i = 1; i <= ws.drawCount(); ++i)
        hits.push_back(drawHits(ws, i));
    const std::string count = std::to_string(ws.drawCount());
    ui::Chart& chart = form.at(filters::kChart).chart;
    chart.title = {"Выбранные числа играют от тиража с N п/п= 1 до тиража с N п/п= " + count};
    filters::setChartFooter(form, "Горизонталь - N п/п тиражей ( 1 -:- " + count +
                                      "),  вертикаль - количество попаданий выбранных чисел в "
                                      "тиражах");
    listSelection(app);
    const int playing = playingCount(ws.digits, ws.highestNumber);
    form.at(ui::kCombinationsLeft).caption =
        std::to_string(countCombinations(static_cast<std::uint8_t>(playing), std::uint8_t{5}));
    int largest = 1;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        chart.series2.points.push_back({static_cast<double>(i + 1), static_cast<double>(hits[i])});
        largest = std::max(largest, hits[i]);
    }
    chart.band.y0 = largest;
}

void analyzerSwitchOn(context::AppContext& app) {
    if (!app.platform().askYesNo(kAnalyzerQuestion))
        return;
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    form.at(kSwitchPanel).visible = false;
    analyzeRepeats(app);
    setNumberBoxesEnabled(form, false);
    ui::Control& reference = form.at(kReferenceLabel);
    if (toInt(reference.caption) > ws.forecastOrdinal)
        setSetting(form, kReferenceLabel, ws.forecastOrdinal);
}

void analyzerSwitchOff(context::AppContext& app) {
    ui::Form& form = app.mainForm();
    form.at(kSwitchPanel).visible = true;
    drawSelectedHits(app);
    setNumberBoxesEnabled(form, true);
}

void numberPageShow(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    filters::clearChart(ws, form);
    form.at(filters::kChart).chart.series2.lineWidth = 2;
    showThresholdSign(form);
    form.at(kSwitchPanel).visible = true;
    drawSelectedHits(app);
    showAnalyzerSpan(app);
    showNumbersPanel(app);
    ui::Control& analysis = form.at(kAnalysisPanel);
    const ui::Control& switchPanel = form.at(kSwitchPanel);
    analysis.left = switchPanel.left;
    analysis.top = switchPanel.top;
}

void showAnalyzerSpan(context::AppContext& app) {
    app.mainForm().at(kAnalyzerNote).caption =
        "начиная с N п/п= 1 до N п/п= " + std::to_string(app.workspace().drawCount());
}

// The title names the page's charts; the filter charts drawn after the page
// is left have none, so it goes with the page.
void numberPageHide(context::AppContext& app) {
    ui::Chart& chart = app.mainForm().at(filters::kChart).chart;
    chart.series2.lineWidth = 1;
    chart.title.clear();
    hideNumbersPanel(app);
}

void numberPageExit(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    filters::clearChart(ws, form);
    filters::resetChartAxis(ws, form);
    form.at(filters::kChart).chart.title.clear();
}

} // namespace vargis::numbers
