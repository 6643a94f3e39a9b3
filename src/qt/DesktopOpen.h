#pragma once
// Opening a file or an address with the desktop's program for it, with an
// answer that says whether that worked.

#include <QUrl>

namespace vargis::qt {

// True when the desktop took the request. On a free desktop with the
// desktop's opener tool, the tool's own verdict counts: it fails when no
// program is registered for the file; a program that is still starting
// after a short wait counts as opened.
bool openOnDesktop(const QUrl& url);

} // namespace vargis::qt
