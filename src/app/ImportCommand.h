#pragma once
// The import of draws from a file: the main-menu item of the desktop
// program and the headless command share the checks and the replacement.

#include "Application.h"
#include "history/DrawImport.h"

#include <string>
#include <vector>

namespace vargis::app {

inline constexpr const char* kImportMenuItem = "NImportDraws";

// Writes checked draws, all of a file oldest first, as the archive and the
// newest 50 of them as the draw table, reloads the history as after a save
// and finds the forecast target's draw again by its date. The archive and
// the table are saved as one set: both change or neither. When the
// workspace never finished loading (a missing or empty draw file at start),
// the whole workspace is loaded instead.
void applyImportedDraws(Application& app, const std::vector<history::ImportedDraw>& draws);

// "Импорт тиражей...": asks for the file through the platform, then
// importDrawFile.
void importDrawsCommand(Application& app);

// Checks the file, asks whether the table is to be replaced, then replaces
// it. A file whose numbers fit another kind is refused and the switch to
// that kind offered (offerKindOfFile).
void importDrawFile(Application& app, const std::string& path);

} // namespace vargis::app
