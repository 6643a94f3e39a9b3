#include "guidance/GuidanceHandlers.h"

#include "base/ProductInfo.h"
#include "guidance/GuidanceLayout.h"
#include "guidance/ProgramInfo.h"
#include "guidance/Walkthrough.h"
#include "reports/ReportOpening.h"
#include "ui/MainFormControls.h"

#include <string>

namespace vargis::guidance {

using ui::Event;

namespace {

void registerWalkthrough(context::AppContext& app, ui::Dispatcher& d) {
    d.on(ui::kMainForm, kForwardButton, Event::Click,
         [&app](const std::string&) { walkthroughForward(app); });
    d.on(ui::kMainForm, kBackButton, Event::Click,
         [&app](const std::string&) { walkthroughBack(app); });
    d.on(ui::kMainForm, kCloseButton, Event::Click,
         [&app](const std::string&) { closeWalkthrough(app); });
    for (const HelpImage& image : mainWindowHelpImages()) {
        const int page = image.page;
        d.on(ui::kMainForm, std::string(image.name), Event::Click,
             [&app, page](const std::string&) { openWalkthrough(app, page); });
    }
    d.on(ui::kMainForm, kHintsItem, Event::Click, [&app](const std::string&) { switchHints(app); });
}

// A help document the desktop cannot open is named with its path, the web
// address with the address itself.
void registerShellItems(context::AppContext& app, ui::Dispatcher& d) {
    ui::Platform& platform = app.platform();
    d.on(ui::kMainForm, ui::kHelpItem, Event::Click, [&platform](const std::string&) {
        reports::openDocument(platform, std::string(kHelpDocument) + kHelpAnchor, kHelpDocument);
    });
    d.on(ui::kMainForm, ui::kFiltersHelpItem, Event::Click, [&platform](const std::string&) {
        reports::openDocument(platform, std::string(kFiltersDocument) + kFiltersAnchor,
                              kFiltersDocument);
    });
    d.on(ui::kMainForm, ui::kSiteItem, Event::Click, [&platform](const std::string&) {
        reports::openAddress(platform, base::kProductAddress);
    });
}

void registerAboutBox(context::AppContext& app, ui::Dispatcher& d) {
    d.on(ui::kMainForm, ui::kAboutLabel, Event::Click, [&app](const std::string&) {
        ui::Control& about = app.form(ui::kAboutForm).self();
        about.visible = true;
        ++about.raiseCount;
    });
    d.on(ui::kAboutForm, kAboutCloseLabel, Event::Click,
         [&app](const std::string&) { app.form(ui::kAboutForm).self().visible = false; });
    d.on(ui::kMainForm, kProgramInfoPanel, Event::Click,
         [&app](const std::string&) { app.platform().showMessage(programInfoMessage()); });
}

} // namespace

void registerGuidanceHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    registerWalkthrough(app, d);
    registerShellItems(app, d);
    registerAboutBox(app, d);
}

} // namespace vargis::guidance
