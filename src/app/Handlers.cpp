#include "Handlers.h"

#include "Analysis.h"
#include "AnalysisCommands.h"
#include "FormLayout.h"
#include "ImportCommand.h"
#include "KindSwitch.h"
#include "LotteryKind.h"
#include "RowValues.h"
#include "Startup.h"
#include "catalogue/Catalogue.h"
#include "commands/CombineHandlers.h"
#include "commands/RandomnessCheck.h"
#include "commands/ResultTable.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategySearchCommand.h"
#include "commands/TicketCommands.h"
#include "filters/FilterBase.h"
#include "filters/FilterHandlers.h"
#include "filters/MarkBases.h"
#include "filters/Overlay.h"
#include "guidance/GuidanceHandlers.h"
#include "history/DrawEditing.h"
#include "history/DrawGrid.h"
#include "numbers/NumberHandlers.h"
#include "ui/MainFormControls.h"

namespace vargis::app {

using ui::Event;

namespace {

void registerMainMenu(Application& app, ui::Dispatcher& d) {
    ui::Platform& platform = app.platform();
    d.on(ui::kMainForm, ui::kMainMenuCaption, Event::Click,
         [&platform](const std::string&) { platform.popupMenu(ui::kMainForm, ui::kMainMenu, 10); });
    d.on(ui::kMainForm, ui::kKindMenuCaption, Event::Click,
         [&platform](const std::string&) { platform.popupMenu(ui::kMainForm, ui::kKindMenu, 10); });
    auto saveStatistics = [&app](const std::string&) { saveDrawTable(app); };
    for (const char* name : {ui::kSaveDrawsItem, ui::kSaveDrawsLabel, ui::kSaveDrawsImage})
        d.on(ui::kMainForm, name, Event::Click, saveStatistics);
    d.on(ui::kMainForm, kImportMenuItem, Event::Click,
         [&app](const std::string&) { importDrawsCommand(app); });
    d.on(ui::kMainForm, ui::kSaveFiltersItem, Event::Click,
         [&app](const std::string&) { filters::saveFilterBases(app, false); });
    d.on(ui::kMainForm, commands::kBacktestMenuItem, Event::Click,
         [&app](const std::string&) { strategyCheckCommand(app); });
    d.on(ui::kMainForm, commands::kWorthMenuItem, Event::Click,
         [&app](const std::string&) { filterWorthCommand(app); });
    d.on(ui::kMainForm, commands::kRandomnessMenuItem, Event::Click,
         [&app](const std::string&) { randomnessCommand(app); });
    d.on(ui::kMainForm, ui::kCombineButton, Event::Click,
         [&app](const std::string&) { combine(app, commands::ExclusionQuestion::Ask); });
    d.on(ui::kMainForm, commands::kSuggestMenuItem, Event::Click, [&app](const std::string&) {
        const RowValues pressed(app);
        commands::boundSuggestionCommand(app, [&](int row) { return pressed.values(row); });
    });
    d.on(ui::kMainForm, commands::kSearchMenuItem, Event::Click,
         [&app](const std::string&) { commands::strategySearchCommand(app); });
    d.on(ui::kMainForm, commands::kTicketsMenuItem, Event::Click,
         [&app](const std::string&) { commands::coveringTicketsCommand(app); });
    d.on(ui::kMainForm, commands::kSaveRemainingMenuItem, Event::Click,
         [&app](const std::string&) { commands::saveRemainingCommand(app); });
    for (const char* name : kSaveControls)
        d.on(ui::kMainForm, name, Event::Click,
             [&app](const std::string&) { filters::saveFilterBases(app, true); });
    d.on(ui::kMainForm, kPositionPagesMenuItem, Event::Click,
         [&app](const std::string&) { switchPositionPages(app); });
    d.on(ui::kMainForm, ui::kExitItem, Event::Click,
         [&app](const std::string&) { app.closeMainWindow(); });
    d.on(ui::kMainForm, ui::kGoodLuckTimer, Event::Timer,
         [&app](const std::string&) { app.mainForm().at(ui::kGoodLuck).visible = false; });
}

// A choice of the kind menu switches to that kind.
void registerKindMenu(Application& app, ui::Dispatcher& d) {
    for (const auto& kind : kKindItems) {
        const int n = parseKindFolder(kind.folder).highestNumber;
        d.on(ui::kMainForm, kind.item, Event::Click,
             [&app, n](const std::string&) { kindMenuChoice(app, n); });
    }
}

void registerFilterControls(Application& app, ui::Dispatcher& d) {
    for (const auto& rc : catalogue::allRows()) {
        if (!rc.checkBox.empty() && rc.row > 2)
            d.on(ui::kMainForm, std::string(rc.checkBox), Event::Click,
                 [&app](const std::string& sender) { filters::filterCheckBoxClick(app, sender); });
    }
}

} // namespace

void registerHandlers(Application& app) {
    ui::Dispatcher& d = app.dispatcher();
    registerMainMenu(app, d);
    registerKindMenu(app, d);
    registerFilterControls(app, d);
    filters::registerFilterHandlers(app);
    commands::registerCombineHandlers(app);
    filters::registerOverlayHandlers(app);
    history::registerDrawEditingHandlers(app);
    guidance::registerGuidanceHandlers(app);
    numbers::registerNumberHandlers(app);
}

} // namespace vargis::app
