#pragma once
// The program's own icon (rendered from its SVG at build time and embedded),
// for the windows and for the About box's picture.

#include <QIcon>
#include <string>

namespace vargis::qt {

// The icon in every embedded size (48 and 256 px).
QIcon programIcon();

// A picture whose hint is the program's title shows the program's icon
// instead of a glyph (the About box's picture).
bool showsProgramIcon(const std::string& hint);

} // namespace vargis::qt
