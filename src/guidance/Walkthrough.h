#pragma once
// The walkthrough box of the main window, its help images and the hints
// switch of the main menu.

#include "context/AppContext.h"
#include "context/Workspace.h"
#include "guidance/GuidanceLayout.h"
#include "ui/Form.h"

#include <span>
#include <string_view>

namespace vargis::guidance {

// The caption of N22 while the hints are on (choosing it switches them off)
// and while they are off.
inline constexpr const char* kHintsOnCaption = "Подсказки вЫключить";
inline constexpr const char* kHintsOffCaption = "Подсказки вКлючить";

inline constexpr const char* kHelpImageHint = "Помощь + пример";

// A help image of the main window and the walkthrough page it opens.
struct HelpImage {
    std::string_view name;
    int page;
};

// The twelve help images of the main window and the images of the five
// ranked-position pages. The ranked pages have no walkthrough page of their
// own; their images open page 14, which leads to the help document, and the
// hints switch hides them with the others.
std::span<const HelpImage> mainWindowHelpImages();

// Shows page ws.walkthroughPage in the box: the title line, the text lines,
// the caret at the top of the text. A page outside 0..14 changes nothing.
void showWalkthroughPage(const context::Workspace& ws, ui::Form& main);

// Opens the walkthrough box of the main window at a page (0..14; another
// page is a RangeError and changes nothing). Every help image does this, the
// images of the numbers panel Form7 included (pages 3 and 4).
void openWalkthrough(context::AppContext& app, int page);

// "Вперед": page 14 wraps round to page 0.
void walkthroughForward(context::AppContext& app);
// "Назад": nothing happens on page 0.
void walkthroughBack(context::AppContext& app);
// "Закрыть": hides the box; the page is kept.
void closeWalkthrough(context::AppContext& app);

// Whether the hints are on, as the caption of N22 tells.
bool hintsOn(const ui::Form& main);
// N22: switches the hints off (images and box hidden) or on (images shown,
// box opened at page 0).
void switchHints(context::AppContext& app);

} // namespace vargis::guidance
