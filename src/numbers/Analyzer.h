#pragma once
// The analyzer of the number page: it counts how often each number fell in
// the h draws before draw F, lets play the numbers that fell more than t
// times and excludes the others, and charts the counts and the hits of the
// new selection. Its settings live in fields 2..4 of filter row 30.

#include "context/AppContext.h"

namespace vargis::numbers {

struct AnalyzerSettings {
    int draws = 15;     // h: draws counted before the reference draw
    int reference = 30; // F: the reference draw
    int threshold = 0;  // t: a number plays when it fell more often than t
};

// The settings brought into 1 <= h < F <= drawCount + 1, F first (at least
// 2, so that one draw can be counted), then h; t is kept.
AnalyzerSettings correctedSettings(AnalyzerSettings settings, int drawCount);

// The settings as their labels show them.
AnalyzerSettings readSettings(const ui::Form& mainForm);

// A setting's label shows the value and its arrows start from it.
void setSetting(ui::Form& mainForm, const char* label, int value);

// StaticText190: "<=" when t > 0, "=" when t = 0.
void showThresholdSign(ui::Form& mainForm);

// AnalyzeRepeats ("учесть", the analyzer switched on, every arrow press).
void analyzeRepeats(context::AppContext& app);

// ExcludeByRepeats: marks the numbers that fell more than t times in draws
// F-h .. F-1 and unmarks the others, each through its check box's click;
// a number the click refuses to exclude keeps playing.
void excludeByRepeats(context::AppContext& app, const AnalyzerSettings& settings);

// UpDown102Click, UpDown125Click, UpDown124Click: keep h < F, F at most the
// draw after the last one, and the threshold's sign.
void drawsArrowClick(context::AppContext& app);
void referenceArrowClick(context::AppContext& app);
void thresholdArrowClick(context::AppContext& app);

} // namespace vargis::numbers
