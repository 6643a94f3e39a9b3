#include "filters/HistoryFilterHandlers.h"

#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/RankedPositionValues.h"
#include "filters/CountPresses.h"
#include "filters/RankedPresses.h"
#include "ui/MainFormControls.h"

#include <functional>

namespace vargis::filters {

namespace {

// Ranked position examined by the rows of a ranked page.
int pagePosition(catalogue::Page page) {
    switch (page) {
    case catalogue::Page::Ranked1:
        return 1;
    case catalogue::Page::Ranked2:
        return 2;
    case catalogue::Page::Ranked3:
        return 3;
    case catalogue::Page::Ranked4:
        return 4;
    default:
        return 5;
    }
}

// The press of a row's button, or an empty function for the rows whose
// page registers its own handler and for those that compute nothing.
std::function<void(const std::string&)> pressOf(context::AppContext& app,
                                                const catalogue::FilterControls& rc) {
    using catalogue::Press;
    const int row = rc.row;
    switch (catalogue::familyOfRow(row).press(row)) {
    case Press::RankedLink: {
        const catalogue::LinkCode code = catalogue::decodeLinkCode(rc.linkCode);
        return [&app, code](const std::string& sender) { pressRankedLink(app, sender, code); };
    }
    case Press::RankedDate:
        return [&app](const std::string& sender) { pressRankedDate(app, sender, 1); };
    case Press::RankedPosition: {
        const int position = pagePosition(rc.page);
        return
            [&app, row, position](const std::string&) { pressPositionValue(app, row, position); };
    }
    case Press::Repeat:
        return [&app, row](const std::string&) { pressRepeatFilter(app, row); };
    case Press::Value:
        return [&app, row](const std::string&) { pressValueFilter(app, row); };
    case Press::RunningAverage:
        return [&app, row](const std::string&) { pressRunningAverage(app, row); };
    default:
        return {};
    }
}

} // namespace

void registerHistoryFilterHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    for (const auto& rc : catalogue::allRows()) {
        if (rc.button.empty())
            continue;
        if (auto press = pressOf(app, rc))
            d.on(ui::kMainForm, std::string(rc.button), ui::Event::Click, std::move(press));
    }
}

} // namespace vargis::filters
