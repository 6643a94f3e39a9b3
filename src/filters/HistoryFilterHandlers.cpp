#include "filters/HistoryFilterHandlers.h"

#include "catalogue/Catalogue.h"
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

// The press of a row's button, or an empty function for rows of other
// families and for the placeholders, which compute nothing.
std::function<void(const std::string&)> pressOf(context::Application& app,
                                                const catalogue::FilterControls& rc) {
    using catalogue::Family;
    const int row = rc.row;
    switch (rc.family) {
    case Family::RankedLink: {
        const catalogue::LinkCode code = catalogue::decodeLinkCode(rc.linkCode);
        return [&app, code](const std::string& sender) { pressRankedLink(app, sender, code); };
    }
    case Family::RankedDate:
        return [&app](const std::string& sender) { pressRankedDate(app, sender, 1); };
    case Family::RankedPosition: {
        const int position = pagePosition(rc.page);
        return
            [&app, row, position](const std::string&) { pressPositionValue(app, row, position); };
    }
    case Family::Repeat:
        return [&app, row](const std::string&) { pressRepeatFilter(app, row); };
    case Family::CountInRange:
        if (rc.hidden)
            return {};
        return [&app, row](const std::string&) { pressRangeFilter(app, row); };
    case Family::Difference:
        if (rc.hidden)
            return {};
        return [&app, row](const std::string&) { pressDifferenceFilter(app, row); };
    default:
        return {};
    }
}

} // namespace

void registerHistoryFilterHandlers(context::Application& app) {
    ui::Dispatcher& d = app.dispatcher();
    for (const auto& rc : catalogue::allRows()) {
        if (rc.button.empty())
            continue;
        if (auto press = pressOf(app, rc))
            d.on(ui::kMainForm, std::string(rc.button), ui::Event::Click, std::move(press));
    }
}

} // namespace vargis::filters
