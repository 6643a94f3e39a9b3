#pragma once
// Opening a report the program has just written. The desktop may have no
// program for it (no browser, no handler); then the user is told where the
// file lies, so that it can be opened by hand.

#include "ui/Platform.h"

#include <string>

namespace vargis::reports {

// The reports that closing the main window deletes (the back-test's and the
// filter worth's among them); the number panel's reports stay.
inline constexpr const char* kReportsRemovedOnClose[] = {
    "statistic.html", "result.html", "graphics.html", "backtest.html", "efficiency.html"};

// The text shown when the desktop could not open `file`; `fullPath` is
// where it was written. A report the close deletes is said to last until
// the program closes.
std::string reportNotOpenedText(const std::string& file, const std::string& fullPath);

// The same for a document of the working folder (a help page).
std::string documentNotOpenedText(const std::string& file, const std::string& fullPath);

// Asks the desktop to open `file` (relative to the working folder); when it
// cannot, shows an information box naming the file and its full path.
void openReport(ui::Platform& platform, const std::string& file);

// Asks the desktop to open `target`, a document of the working folder
// (`file`) with an anchor; when it cannot, names the document's full path.
void openDocument(ui::Platform& platform, const std::string& target, const std::string& file);

// The text shown when the desktop could not open the web address.
std::string addressNotOpenedText(const std::string& address);

// Asks the desktop to open a web address; when it cannot (no browser), the
// address is shown so that it can be copied into a browser by hand.
void openAddress(ui::Platform& platform, const std::string& address);

} // namespace vargis::reports
