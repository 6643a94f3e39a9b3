#pragma once
// Qt's own texts (the buttons of the file dialog and of message boxes, the
// context menus of edit fields) in Russian, like the rest of the interface,
// whatever the system's language.

class QCoreApplication;

namespace vargis::qt {

// Installs Qt's Russian translations from Qt's translations folder; false
// when they are not installed there (Qt's texts then stay English).
bool installRussianQtTranslations(QCoreApplication& app);

} // namespace vargis::qt
