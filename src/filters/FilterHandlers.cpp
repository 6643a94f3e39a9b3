#include "filters/FilterHandlers.h"

#include "base/Convert.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/StaticFilters.h"
#include "context/AppContext.h"
#include "context/ProgressBar.h"
#include "filters/ChartModel.h"
#include "filters/DigitPageHandlers.h"
#include "filters/DrawInputs.h"
#include "filters/Evaluation.h"
#include "filters/FilterBase.h"
#include "filters/HistoryFilterHandlers.h"
#include "filters/ImageBase.h"
#include "filters/NumerologyPageHandlers.h"
#include "filters/RemainingViews.h"
#include "ui/MainFormControls.h"

#include <set>

namespace vargis::filters {

using ui::Event;

namespace {

void pressStaticFilter(context::AppContext& app, int row) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    const auto& rc = catalogue::rowControls(row);
    ValueFilter filter;
    filter.row = row;
    filter.footer = std::string(rc.footer);
    const bool previous = catalogue::staticNeedsPrevious(row);
    takeFamilyValues(filter, ws);
    if (row == 11) {
        form.at(ui::kProgressBar).max = ws.drawCount();
        filter.progress = context::progressShown(app);
    }
    evaluateValueFilter(app, filter);
    if (previous)
        form.at(ui::kCombinationsLeft).caption = " - ";
    if (row == 5)
        form.at(ui::kCombinationsLeft).caption = " - - -";
}

// The up-downs whose button takes the focus before it is pressed.
bool focusesButtonFirst(const std::string& upDown) {
    static const std::set<std::string> kNames = [] {
        std::set<std::string> names;
        for (int n : {28, 29, 30, 32})
            names.insert(ui::numberedName(ui::kUpDownPrefix, n));
        for (int n = 34; n <= 50; ++n)
            names.insert(ui::numberedName(ui::kUpDownPrefix, n));
        for (int n = 56; n <= 60; ++n)
            names.insert(ui::numberedName(ui::kUpDownPrefix, n));
        return names;
    }();
    return kNames.count(upDown) != 0;
}

void registerRowControls(context::AppContext& app, ui::Dispatcher& d) {
    for (const auto& rc : catalogue::allRows()) {
        if (rc.button.empty())
            continue;
        const std::string button(rc.button);
        d.on(ui::kMainForm, button, Event::Exit,
             [&app](const std::string& sender) { app.mainForm().at(sender).bold = false; });
        if (catalogue::familyOfRow(rc.row).press(rc.row) == catalogue::Press::Static) {
            const int row = rc.row;
            d.on(ui::kMainForm, button, Event::Click,
                 [&app, row](const std::string&) { pressStaticFilter(app, row); });
        }
        if (!rc.upDown.empty()) {
            d.on(ui::kMainForm, std::string(rc.upDown), Event::Changing,
                 [&app](const std::string&) { clearResultTable(app.mainForm()); });
            d.on(ui::kMainForm, std::string(rc.upDown), Event::Click,
                 [&app, button](const std::string& sender) {
                     ui::Form& form = app.mainForm();
                     if (focusesButtonFirst(sender))
                         form.setFocus(button);
                     app.pressControl(form, button);
                 });
        }
    }
}

void registerConditionMenus(context::AppContext& app, ui::Dispatcher& d) {
    for (const char* menu : {ui::kConditionMenu, ui::kTwoWayConditionMenu}) {
        const std::string name = menu;
        d.on(ui::kMainForm, name, Event::Popup, [&app, name](const std::string&) {
            ui::Form& form = app.mainForm();
            clearResultTable(form);
            ui::Control& m = form.at(name);
            const int row = app.workspace().filters.findRowByButton(m.popupComponent);
            if (row == 0)
                return;
            const std::string& condition = app.workspace().filters.row(row).condition();
            for (const auto& item : m.items) {
                if (form.at(item).caption == condition) {
                    for (const auto& other : m.items)
                        form.at(other).checked = other == item;
                    break;
                }
            }
        });
        const bool twoWay = name == ui::kTwoWayConditionMenu;
        for (const auto& item : app.mainForm().at(name).items) {
            d.on(ui::kMainForm, item, Event::Click,
                 [&app, name, twoWay](const std::string& sender) {
                     ui::Form& form = app.mainForm();
                     ui::Control& m = form.at(name);
                     for (const auto& other : m.items)
                         form.at(other).checked = other == sender;
                     const int row = app.workspace().filters.findRowByButton(m.popupComponent);
                     if (row == 0)
                         return;
                     auto& filterRow = app.workspace().filters.row(row);
                     const std::string condition = form.at(sender).caption;
                     filterRow.field(5) = condition;
                     ui::Control& button = form.at(m.popupComponent);
                     button.caption =
                         twoWay ? condition + filterRow.stem() : filterRow.stem() + condition;
                     app.pressControl(form, button.name);
                     form.setFocus(button.name);
                 });
        }
    }
}

void registerPages(context::AppContext& app, ui::Dispatcher& d) {
    d.on(ui::kMainForm, ui::kPages, Event::Change, [&app](const std::string&) {
        ui::Form& form = app.mainForm();
        form.at(ui::kFilterHeader).caption = "Фильтр: ";
        repaintOrdinalsYellow(form);
        if (ui::Control* walkthrough = form.find(ui::kWalkthroughBox))
            walkthrough->visible = false;
    });
    for (const auto& page : catalogue::filterPages()) {
        const catalogue::PageInfo* info = &page;
        d.on(ui::kMainForm, std::string(page.tabSheet), Event::Show,
             [&app, info](const std::string&) {
                 context::Workspace& ws = app.workspace();
                 ui::Form& form = app.mainForm();
                 clearChart(ws, form);
                 filters::restoreFilterControls(ws, form, info->firstRow, info->lastRow);
                 // A page without a title of its own shows none, never the
                 // title of the page shown before it.
                 ui::Chart& chart = form.at(kChart).chart;
                 chart.title.clear();
                 if (!info->chartTitle.empty())
                     chart.title = {std::string(info->chartTitle)};
                 setChartFooter(form, std::string(info->showFooter));
             });
    }
}

void registerChartButtons(context::AppContext& app, ui::Dispatcher& d) {
    d.on(ui::kMainForm, ui::kAddChartImageButton, Event::Click,
         [&app](const std::string&) { addChartImage(app); });
    d.on(ui::kMainForm, ui::kPrintChartImagesButton, Event::Click,
         [&app](const std::string&) { printChartImages(app); });
    d.on(ui::kMainForm, ui::kClearChartImagesButton, Event::Click,
         [&app](const std::string&) { clearChartImages(app); });
}

} // namespace

void registerFilterHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    registerRowControls(app, d);
    registerConditionMenus(app, d);
    registerPages(app, d);
    registerChartButtons(app, d);
    registerDigitPageHandlers(app);
    registerNumerologyPageHandlers(app);
    registerHistoryFilterHandlers(app);
}

} // namespace vargis::filters
