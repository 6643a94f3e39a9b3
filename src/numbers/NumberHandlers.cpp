#include "numbers/NumberHandlers.h"

#include "filters/MarkBases.h"
#include "filters/RemainingViews.h"
#include "guidance/Walkthrough.h"
#include "numbers/Analyzer.h"
#include "numbers/NumberLayout.h"
#include "numbers/NumberPage.h"
#include "numbers/PanelReports.h"
#include "numbers/SelectedSide.h"
#include "ui/MainFormControls.h"

#include <string>

namespace vargis::numbers {

using ui::Event;

namespace {

using Action = void (*)(context::AppContext&);

void on(context::AppContext& app, const std::string& form, const std::string& control, Event event,
        Action action) {
    app.dispatcher().on(form, control, event, [&app, action](const std::string&) { action(app); });
}

void registerNumberPage(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    for (int n = 1; n <= filters::kNumbers; ++n) {
        d.on(ui::kMainForm, ui::numberedName(ui::kCheckBoxPrefix, filters::numberCheckBoxSuffix(n)),
             Event::Click, [&app](const std::string& sender) { numberBoxClick(app, sender); });
        d.on(ui::kMainForm, filters::numberLabelName(n), Event::Click,
             [&app](const std::string& sender) { numberFrequency(app, sender); });
    }
    on(app, ui::kMainForm, kAllNumbersButton, Event::Click, markAllNumbers);
    on(app, ui::kMainForm, kHitsChartButton, Event::Click, drawSelectedHits);
    on(app, ui::kMainForm, kApplyButton, Event::Click, analyzeRepeats);
    on(app, ui::kMainForm, kAnalyzerOnImage, Event::Click, analyzerSwitchOn);
    on(app, ui::kMainForm, kAnalyzerOffImage, Event::Click, analyzerSwitchOff);
    on(app, ui::kMainForm, kDrawsArrows, Event::Click, drawsArrowClick);
    on(app, ui::kMainForm, kReferenceArrows, Event::Click, referenceArrowClick);
    on(app, ui::kMainForm, kThresholdArrows, Event::Click, thresholdArrowClick);
    for (const char* arrows : {kDrawsArrows, kReferenceArrows, kThresholdArrows})
        on(app, ui::kMainForm, arrows, Event::MouseDown, analyzeRepeats);
    on(app, ui::kMainForm, kNumberPage, Event::Show, numberPageShow);
    on(app, ui::kMainForm, kNumberPage, Event::Hide, numberPageHide);
    on(app, ui::kMainForm, kNumberPage, Event::Exit, numberPageExit);
}

void registerNumbersPanel(context::AppContext& app) {
    const std::string panel = ui::kNumbersPanelForm;
    on(app, panel, panel, Event::Show, numbersPanelShow);
    on(app, panel, ui::kClearSelectedImage, Event::Click, clearSelectedGrid);
    on(app, panel, ui::kClearAfterFilterImage, Event::Click, filters::resetAfterFilterArea);
    on(app, panel, ui::kPrintSelectedImage, Event::Click,
       [](context::AppContext& a) { printPanelReport(a, PanelSide::Selected); });
    on(app, panel, ui::kPrintAfterFilterImage, Event::Click,
       [](context::AppContext& a) { printPanelReport(a, PanelSide::AfterFilter); });
    // The help images open the walkthrough box of the main window.
    on(app, panel, ui::kSelectedHelpImage, Event::Click,
       [](context::AppContext& a) { guidance::openWalkthrough(a, 3); });
    on(app, panel, ui::kAfterFilterHelpImage, Event::Click,
       [](context::AppContext& a) { guidance::openWalkthrough(a, 4); });
}

} // namespace

void registerNumberHandlers(context::AppContext& app) {
    registerNumberPage(app);
    registerNumbersPanel(app);
}

} // namespace vargis::numbers
