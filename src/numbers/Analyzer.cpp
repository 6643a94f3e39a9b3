#include "numbers/Analyzer.h"

#include "base/Combinatorics.h"
#include "base/Convert.h"
#include "filters/ChartModel.h"
#include "numbers/NumberLayout.h"
#include "numbers/NumberPage.h"
#include "numbers/Selection.h"
#include "ui/MainFormControls.h"

#include <algorithm>

namespace vargis::numbers {

namespace {

constexpr int kAnalyzerRow = 30;

int settingValue(const ui::Form& form, const char* label) {
    return toInt(form.at(label).caption);
}

} // namespace

AnalyzerSettings correctedSettings(AnalyzerSettings settings, int drawCount) {
    settings.reference = std::clamp(settings.reference, 2, std::max(2, drawCount + 1));
    settings.draws = std::clamp(settings.draws, 1, settings.reference - 1);
    return settings;
}

AnalyzerSettings readSettings(const ui::Form& mainForm) {
    return {settingValue(mainForm, kDrawsLabel), settingValue(mainForm, kReferenceLabel),
            settingValue(mainForm, kThresholdLabel)};
}

void setSetting(ui::Form& mainForm, const char* label, int value) {
    mainForm.at(label).caption = std::to_string(value);
    for (const auto& name : mainForm.order()) {
        ui::Control& c = mainForm.at(name);
        if (c.kind == ui::ControlKind::UpDown && c.associate == label)
            c.position = std::clamp(value, c.min, c.max);
    }
}

void showThresholdSign(ui::Form& mainForm) {
    mainForm.at(kThresholdSign).caption = settingValue(mainForm, kThresholdLabel) > 0 ? "<=" : "=";
}

void excludeByRepeats(context::AppContext& app, const AnalyzerSettings& settings) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    const auto counts =
        numberCounts(ws.history, settings.reference - settings.draws, settings.reference - 1);
    for (int b = 1; b <= ws.highestNumber; ++b) {
        auto& row = ws.digits.row(b);
        const std::string box = ui::numberedName(ui::kCheckBoxPrefix, row.fields[1]);
        const bool plays = counts[static_cast<std::size_t>(b)] > settings.threshold;
        app.setChecked(form, box, plays);
        // The click refuses to exclude a number while only five play.
        if (!plays && form.at(box).checked)
            continue;
        row.fields[2] = plays ? "1" : "0";
        form.at(box).color = plays ? ui::colors::Yellow : ui::colors::Red;
    }
}

void analyzeRepeats(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    // Settings restored from the file may break h < F <= DrawCount + 1; the
    // count never reads a draw outside the history.
    const AnalyzerSettings s = correctedSettings(readSettings(form), ws.drawCount());
    setSetting(form, kDrawsLabel, s.draws);
    setSetting(form, kReferenceLabel, s.reference);
    auto& settingsRow = ws.filters.row(kAnalyzerRow);
    settingsRow.field(2) = form.at(kDrawsLabel).caption;
    settingsRow.field(3) = form.at(kReferenceLabel).caption;
    settingsRow.field(4) = form.at(kThresholdLabel).caption;

    excludeByRepeats(app, s);

    filters::clearChart(ws, form);
    ui::Chart& chart = form.at(filters::kChart).chart;
    chart.axisMin = 1;
    chart.axisMax = 50;
    form.at(ui::kFilterHeader).caption = "Фильтр: -";
    const int first = s.reference - s.draws;
    const int last = s.reference - 1;
    const auto counts = numberCounts(ws.history, first, last);
    chart.title = {"Красная линия: горизонталь - тиражи; вертикаль: попадание выбранных чисел в "
                   "тиражи"};
    filters::setChartFooter(
        form, "Зелёная линия: горизонталь - ВСЕ числа лотереи: 1 -:- " +
                  std::to_string(ws.highestNumber) +
                  ",  вертикаль - количество выпадений каждого числа в тиражах с Nп/п= " +
                  std::to_string(first) + " -:- " + std::to_string(last));
    // The footer speaks of the green line.
    chart.series1.color = ui::colors::Green;
    int largest = 0;
    for (int b = 1; b <= ws.highestNumber; ++b) {
        const int count = counts[static_cast<std::size_t>(b)];
        chart.series1.points.push_back({static_cast<double>(b), static_cast<double>(count)});
        largest = std::max(largest, count);
    }
    chart.band.y0 = largest;
    chart.band.x0 = s.reference;
    for (int i = s.reference; i <= ws.drawCount(); ++i)
        chart.series2.points.push_back(
            {static_cast<double>(i), static_cast<double>(drawHits(ws, i))});

    const int playing = playingCount(ws.digits, ws.highestNumber);
    form.at(ui::kCombinationsLeft).caption =
        std::to_string(countCombinations(static_cast<std::uint8_t>(playing), std::uint8_t{5}));
    listSelection(app);
}

void drawsArrowClick(context::AppContext& app) {
    ui::Form& form = app.mainForm();
    const int reference = settingValue(form, kReferenceLabel);
    if (settingValue(form, kDrawsLabel) == reference)
        setSetting(form, kDrawsLabel, reference - 1);
}

void referenceArrowClick(context::AppContext& app) {
    ui::Form& form = app.mainForm();
    const int drawCount = app.workspace().drawCount();
    if (settingValue(form, kReferenceLabel) > drawCount)
        setSetting(form, kReferenceLabel, drawCount + 1);
    const int reference = settingValue(form, kReferenceLabel);
    if (settingValue(form, kDrawsLabel) == reference)
        setSetting(form, kDrawsLabel, reference - 1);
}

void thresholdArrowClick(context::AppContext& app) {
    showThresholdSign(app.mainForm());
}

} // namespace vargis::numbers
