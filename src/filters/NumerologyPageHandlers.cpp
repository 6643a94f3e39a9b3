#include "filters/NumerologyPageHandlers.h"

#include "base/DateText.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/LunarDay.h"
#include "catalogue/NumerologyFilters.h"
#include "context/AppContext.h"
#include "context/ProgressBar.h"
#include "filters/ChartModel.h"
#include "filters/DrawInputs.h"
#include "filters/Evaluation.h"
#include "ui/MainFormControls.h"

namespace vargis::filters {

namespace {

void markLunarItem(ui::Form& form, const std::string& item) {
    for (const auto& name : form.at(ui::kLunarMenu).items)
        form.at(name).checked = name == item;
}

} // namespace

std::string numerologyDash(int row) {
    switch (row) {
    case 152:
    case 156:
    case 158:
    case 164:
    case 168:
    case 170:
        return " - ";
    case 154:
    case 162:
    case 166:
        return " --- ";
    default:
        return " -";
    }
}

void pressNumerologyFilter(context::AppContext& app, int row) {
    const catalogue::NumerologyKind kind = catalogue::numerologyKind(row);
    if (kind.family == catalogue::NumerologyFamily::Reserved)
        throw RangeError("Строка " + std::to_string(row) + " зарезервирована и не вычисляется");
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ValueFilter filter;
    filter.row = row;
    filter.footer = std::string(catalogue::rowControls(row).footer);
    takeFamilyValues(filter, ws);
    form.at(ui::kProgressBar).max = ws.drawCount();
    filter.progress = context::progressShown(app);
    evaluateValueFilter(app, filter);
    form.at(ui::kCombinationsLeft).caption = numerologyDash(row);
}

void showLunarDays(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    markLunarItem(form, ui::kLunarOnItem);
    ui::Series& overlay = form.at(kChart).chart.series4;
    overlay.points.clear();
    for (int i = 1; i <= ws.drawCount(); ++i) {
        Date date;
        try {
            date = parseDate(ws.history.record(i).date());
        } catch (const ConversionError&) {
            continue; // no calendar date, no lunar day
        }
        overlay.points.push_back({static_cast<double>(i), static_cast<double>(catalogue::lunarDay(
                                                              date.year, date.month, date.day))});
    }
}

void hideLunarDays(context::AppContext& app) {
    ui::Form& form = app.mainForm();
    markLunarItem(form, ui::kLunarOffItem);
    form.at(kChart).chart.series4.points.clear();
}

void registerNumerologyPageHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    for (const auto& rc : catalogue::allRows()) {
        if (rc.hidden ||
            catalogue::familyOfRow(rc.row).press(rc.row) != catalogue::Press::Numerology)
            continue;
        const int row = rc.row;
        d.on(ui::kMainForm, std::string(rc.button), ui::Event::Click,
             [&app, row](const std::string&) { pressNumerologyFilter(app, row); });
    }
    d.on(ui::kMainForm, ui::kLunarOnItem, ui::Event::Click,
         [&app](const std::string&) { showLunarDays(app); });
    d.on(ui::kMainForm, ui::kLunarOffItem, ui::Event::Click,
         [&app](const std::string&) { hideLunarDays(app); });
}

} // namespace vargis::filters
