#pragma once
// The controls of the guidance on the forms: the walkthrough box and the
// help images of the main window, the hover colours of "Меню" and
// "О программе", the hidden panel of the name-and-version message, and the
// About box Form2.

#include "ui/Form.h"

namespace vargis::guidance {

// Background of the walkthrough box and of the About box: RGB (17, 218, 247).
inline constexpr ui::Color kGuidanceColor = 0x11DAF7;
inline constexpr const char* kProgramInfoPanel = "Panel14";

// Adds the walkthrough box (hidden), the help images (visible) and Panel14
// to the main window, and gives "Меню" and "О программе" their colours. Runs
// once the pages, the groups and the chart of the main window exist; a help
// image a page already carries is moved to its place, not added twice.
void addGuidanceControls(ui::Form& main);

// The About box: caption, size, colour and every label.
void buildAboutBox(ui::Form& about);

} // namespace vargis::guidance
