#include "numbers/NumberHandlers.h"

#include "filters/MarkBases.h"
#include "filters/SharedAreas.h"
#include "guidance/Walkthrough.h"
#include "numbers/Analyzer.h"
#include "numbers/NumberLayout.h"
#include "numbers/NumberPage.h"
#include "numbers/PanelReports.h"
#include "numbers/SelectedSide.h"

#include <string>

namespace vargis::numbers {

using ui::Event;

namespace {

using Action = void (*)(context::Application&);

void on(context::Application& app, const std::string& form, const std::string& control, Event event,
        Action action) {
    app.dispatcher().on(form, control, event, [&app, action](const std::string&) { action(app); });
}

void registerNumberPage(context::Application& app) {
    ui::Dispatcher& d = app.dispatcher();
    for (int n = 1; n <= filters::kNumbers; ++n) {
        d.on("Form1", "CheckBox" + filters::numberCheckBoxSuffix(n), Event::Click,
             [&app](const std::string& sender) { numberBoxClick(app, sender); });
        d.on("Form1", filters::numberLabelName(n), Event::Click,
             [&app](const std::string& sender) { numberFrequency(app, sender); });
    }
    on(app, "Form1", "BitBtn199", Event::Click, markAllNumbers);
    on(app, "Form1", "BitBtn26", Event::Click, drawSelectedHits);
    on(app, "Form1", "BitBtn225", Event::Click, analyzeRepeats);
    on(app, "Form1", "Image24", Event::Click, analyzerSwitchOn);
    on(app, "Form1", "Image37", Event::Click, analyzerSwitchOff);
    on(app, "Form1", kDrawsArrows, Event::Click, drawsArrowClick);
    on(app, "Form1", kReferenceArrows, Event::Click, referenceArrowClick);
    on(app, "Form1", kThresholdArrows, Event::Click, thresholdArrowClick);
    for (const char* arrows : {kDrawsArrows, kReferenceArrows, kThresholdArrows})
        on(app, "Form1", arrows, Event::MouseDown, analyzeRepeats);
    on(app, "Form1", kNumberPage, Event::Show, numberPageShow);
    on(app, "Form1", kNumberPage, Event::Hide, numberPageHide);
    on(app, "Form1", kNumberPage, Event::Exit, numberPageExit);
}

void registerNumbersPanel(context::Application& app) {
    const std::string panel = filters::kNumbersPanel;
    on(app, panel, panel, Event::Show, numbersPanelShow);
    on(app, panel, "Image58", Event::Click, clearSelectedGrid);
    on(app, panel, "Image2", Event::Click, filters::resetAfterFilterArea);
    on(app, panel, "Image4", Event::Click,
       [](context::Application& a) { printPanelReport(a, PanelSide::Selected); });
    on(app, panel, "Image1", Event::Click,
       [](context::Application& a) { printPanelReport(a, PanelSide::AfterFilter); });
    // The help images open the walkthrough box of the main window.
    on(app, panel, "Image55", Event::Click,
       [](context::Application& a) { guidance::openWalkthrough(a, 3); });
    on(app, panel, "Image3", Event::Click,
       [](context::Application& a) { guidance::openWalkthrough(a, 4); });
}

} // namespace

void registerNumberHandlers(context::Application& app) {
    registerNumberPage(app);
    registerNumbersPanel(app);
}

} // namespace vargis::numbers
