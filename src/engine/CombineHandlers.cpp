#include "engine/CombineHandlers.h"

#include "context/Application.h"
#include "engine/CombineCommand.h"
#include "engine/CombineState.h"
#include "engine/ForecastTarget.h"
#include "engine/ResultTable.h"
#include "ui/MainFormControls.h"

namespace vargis::engine {

void registerCombineHandlers(context::Application& app) {
    ui::Dispatcher& d = app.dispatcher();
    std::shared_ptr<CombineState> state = attachCombineState(app);
    d.on(ui::kMainForm, ui::kCombineButton, ui::Event::Click,
         [&app, state](const std::string&) { combineFilters(app); });
    d.on(ui::kMainForm, ui::kForecastCalendar, ui::Event::Click,
         [&app, state](const std::string&) { chooseForecastDate(app); });
    d.on(ui::kMainForm, ui::kPrintResultImage, ui::Event::Click,
         [&app, state](const std::string&) { printResultTable(app); });
    d.on(ui::kMainForm, ui::kTooManyMemo, ui::Event::Exit, [&app, state](const std::string&) {
        app.mainForm().at(ui::kTooManyMemo).visible = false;
    });
}

} // namespace vargis::engine
