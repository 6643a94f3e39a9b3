#include "engine/CombineHandlers.h"

#include "context/Application.h"
#include "engine/CombineCommand.h"
#include "engine/CombineState.h"
#include "engine/ForecastTarget.h"
#include "engine/ResultTable.h"

namespace vargis::engine {

void registerCombineHandlers(context::Application& app) {
    ui::Dispatcher& d = app.dispatcher();
    std::shared_ptr<CombineState> state = attachCombineState(app);
    d.on("Form1", "BitBtn17", ui::Event::Click,
         [&app, state](const std::string&) { combineFilters(app); });
    d.on("Form1", "MonthCalendar2", ui::Event::Click,
         [&app, state](const std::string&) { chooseForecastDate(app); });
    d.on("Form1", "Image32", ui::Event::Click,
         [&app, state](const std::string&) { printResultTable(app); });
    d.on("Form1", "Memo1", ui::Event::Exit,
         [&app, state](const std::string&) { app.mainForm().at("Memo1").visible = false; });
}

} // namespace vargis::engine
