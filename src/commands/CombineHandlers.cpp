#include "commands/CombineHandlers.h"

#include "commands/CombineState.h"
#include "commands/ForecastTarget.h"
#include "commands/ResultTable.h"
#include "context/AppContext.h"
#include "ui/MainFormControls.h"

namespace vargis::commands {

using namespace engine;

void registerCombineHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    std::shared_ptr<CombineState> state = attachCombineState(app);
    d.on(ui::kMainForm, ui::kForecastCalendar, ui::Event::Click,
         [&app, state](const std::string&) { chooseForecastDate(app); });
    d.on(ui::kMainForm, ui::kPrintResultImage, ui::Event::Click,
         [&app, state](const std::string&) { printResultTable(app); });
    d.on(ui::kMainForm, ui::kTooManyMemo, ui::Event::Exit, [&app, state](const std::string&) {
        app.mainForm().at(ui::kTooManyMemo).visible = false;
    });
}

} // namespace vargis::commands
