#pragma once
// Opening a report the program has just written. The desktop may have no
// program for it (no browser, no handler); then the user is told where the
// file lies, so that it can be opened by hand.

#include "ui/Platform.h"

#include <string>

namespace vargis::reports {

// The text shown when the desktop could not open `file`; `fullPath` is
// where it was written.
std::string reportNotOpenedText(const std::string& file, const std::string& fullPath);

// Asks the desktop to open `file` (relative to the working folder); when it
// cannot, shows an information box naming the file and its full path.
void openReport(ui::Platform& platform, const std::string& file);

} // namespace vargis::reports
