#include "filters/DigitPageHandlers.h"

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DigitFilters.h"
#include "catalogue/FilterFamily.h"
#include "context/AppContext.h"
#include "filters/ChartModel.h"
#include "filters/DrawInputs.h"
#include "filters/Evaluation.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <vector>

namespace vargis::filters {

namespace {

constexpr const char* kPlusFooter = "Количество чисел тиража, = цифрам даты. ";

// BitBtn305Click, BitBtn306Click, BitBtn290Click (ten digit buttons) and
// BitBtn285Click (eight modulus buttons) share this road; the row, and with
// it the digit or the modulus, follows from the button's name.
void evaluateDigitRow(context::AppContext& app, int row) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    clearChart(ws, form);
    ValueFilter filter;
    filter.row = row;
    filter.footer = std::string(catalogue::rowControls(row).footer);
    takeFamilyValues(filter, ws);
    evaluateValueFilter(app, filter);
    form.at(ui::kCombinationsLeft).caption = " - - -";
}

} // namespace

namespace {

bool isDigitRow(const catalogue::FilterControls& rc) {
    return catalogue::familyOfRow(rc.row).press(rc.row) == catalogue::Press::Digit;
}

} // namespace

int digitPageRow(const std::string& button) {
    for (const catalogue::FilterControls& rc : catalogue::allRows())
        if (rc.button == button && isDigitRow(rc))
            return rc.row;
    return 0;
}

void pressDigitFilter(context::AppContext& app, const std::string& button) {
    const int row = digitPageRow(button);
    if (row == 0)
        throw ControlError("Кнопка " + button + " не относится к фильтрам цифр");
    evaluateDigitRow(app, row);
}

void drawDatePlusChart(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    clearChart(ws, form);
    std::vector<catalogue::DatePlusCounts> counts;
    for (int i = 1; i <= ws.drawCount(); ++i)
        counts.push_back(catalogue::datePlusCounts(drawNumbers(ws, i)));
    setChartFooter(form, kPlusFooter);
    ui::Chart& chart = form.at(kChart).chart;
    int largest = 0;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const double x = static_cast<double>(k + 1);
        chart.series1.points.push_back({x, static_cast<double>(counts[k].digits)});
        chart.series2.points.push_back({x, static_cast<double>(counts[k].complements)});
        largest = std::max(largest, counts[k].digits);
    }
    chart.band.y0 = largest;
}

void registerDigitPageHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    for (const catalogue::FilterControls& rc : catalogue::allRows())
        if (isDigitRow(rc))
            d.on(ui::kMainForm, std::string(rc.button), ui::Event::Click,
                 [&app](const std::string& sender) { pressDigitFilter(app, sender); });
    d.on(ui::kMainForm, ui::kDigitPlusButton, ui::Event::Click,
         [&app](const std::string&) { drawDatePlusChart(app); });
}

} // namespace vargis::filters
