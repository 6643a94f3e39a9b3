#include "guidance/Walkthrough.h"

#include "base/Errors.h"
#include "guidance/WalkthroughPages.h"

#include <string>

namespace vargis::guidance {

namespace {} // namespace

void showWalkthroughPage(const context::Workspace& ws, ui::Form& main) {
    const int page = ws.walkthroughPage;
    if (page < 0 || page >= kWalkthroughPageCount)
        return;
    main.at(kWalkthroughTitle).caption = std::string(walkthroughTitle(page));
    ui::Control& memo = main.at(kWalkthroughMemo);
    memo.lines = walkthroughLines(page);
    // The caret at the first character, so the text shows from its top.
    memo.position = 0;
}

void openWalkthrough(context::AppContext& app, int page) {
    if (page < 0 || page >= kWalkthroughPageCount)
        throw RangeError("Страницы помощи " + std::to_string(page) + " нет");
    ui::Form& main = app.mainForm();
    main.at(kWalkthroughBox).visible = true;
    app.workspace().walkthroughPage = static_cast<std::uint8_t>(page);
    showWalkthroughPage(app.workspace(), main);
}

void walkthroughForward(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    if (ws.walkthroughPage >= kWalkthroughPageCount - 1)
        ws.walkthroughPage = 0;
    else
        ++ws.walkthroughPage;
    showWalkthroughPage(ws, app.mainForm());
}

void walkthroughBack(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    if (ws.walkthroughPage == 0)
        return;
    --ws.walkthroughPage;
    showWalkthroughPage(ws, app.mainForm());
}

void closeWalkthrough(context::AppContext& app) {
    app.mainForm().at(kWalkthroughBox).visible = false;
}

bool hintsOn(const ui::Form& main) {
    return main.at(kHintsItem).caption != kHintsOffCaption;
}

void switchHints(context::AppContext& app) {
    ui::Form& main = app.mainForm();
    const bool turnOff = hintsOn(main);
    if (turnOff) {
        for (const HelpImage& image : mainWindowHelpImages())
            main.at(std::string(image.name)).visible = false;
        main.at(kWalkthroughBox).visible = false;
        main.at(kHintsItem).caption = kHintsOffCaption;
        return;
    }
    openWalkthrough(app, 0);
    for (const HelpImage& image : mainWindowHelpImages())
        main.at(std::string(image.name)).visible = true;
    main.at(kHintsItem).caption = kHintsOnCaption;
}

} // namespace vargis::guidance
