#pragma once
// The controls of the guidance on the forms: the walkthrough box and the
// help images of the main window, the hover colours of "Меню" and
// "О программе", the hidden panel of the name-and-version message, and the
// About box Form2.

#include "ui/Form.h"
#include "ui/MainFormControls.h"

namespace vargis::guidance {

// Background of the walkthrough box and of the About box: RGB (17, 218, 247).
inline constexpr ui::Color kGuidanceColor = 0x11DAF7;
inline constexpr const char* kProgramInfoPanel = "Panel14";

// The walkthrough box (named in ui/MainFormControls.h: the filter pages hide
// it), its buttons "Вперед", "Назад", "Закрыть", and the hints switch of the
// main menu.
using ui::kWalkthroughBox;
using ui::kWalkthroughMemo;
using ui::kWalkthroughTitle;
inline constexpr const char* kForwardButton = "BitBtn250";
inline constexpr const char* kBackButton = "BitBtn276";
inline constexpr const char* kCloseButton = "BitBtn274";
inline constexpr const char* kHintsItem = "N22";

// The "X" that closes the About box.
inline constexpr const char* kAboutCloseLabel = "StaticText1";

// Adds the walkthrough box (hidden), the help images (visible) and Panel14
// to the main window, and gives "Меню" and "О программе" their colours. Runs
// once the pages, the groups and the chart of the main window exist; a help
// image a page already carries is moved to its place, not added twice.
void addGuidanceControls(ui::Form& main);

// The About box: caption, size, colour and every label.
void buildAboutBox(ui::Form& about);

} // namespace vargis::guidance
