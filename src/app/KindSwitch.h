#pragma once
// Switching the lottery kind: the kind's folder made when it is missing, the
// workspace reloaded for it, the choice remembered for the next start, and
// the import offered while the kind has no draws.

#include "Application.h"

#include <string>

namespace vargis::app {

// The file in the working folder that remembers the chosen kind ("5_42").
inline constexpr const char* kKindFile = "bd/bd_kind.txt";

// The kind the program starts with: the remembered one when its file names
// a kind 5_28 .. 5_50, else "5_36".
std::string rememberedKind();

// Makes bd/5_N when it does not exist: an empty draw table and the bundled
// filter, graphics and digits bases with the kind's adjustments, written
// to a temporary folder renamed into place. Returns whether it was made.
// FileError naming the folder when it cannot be written.
bool ensureKindFolder(int highestNumber);

// The kind menu's choice: 5 of n (28..50, RangeError otherwise) becomes the
// kind, its folder made when missing, the workspace reloaded from it and
// what was worked out from the old kind's draws cleared; the kind is then
// remembered. A kind without draws then offers the import (when the
// application offers it).
void switchKind(Application& app, int highestNumber);

// A kind menu item: asks first when the draw table or the filter base has
// unsaved changes, which the switch would lose.
void kindMenuChoice(Application& app, int highestNumber);

// "В лотерее 5 из N ещё нет тиражей..." - on Да the import of draws runs.
// Nothing happens while the table holds draws.
void offerImportWhenEmpty(Application& app);

// "Импорт тиражей..." for a file whose numbers fit another kind: asks
// whether to switch to 5 of `suggested` and import the file there; on Да
// switches (without the empty-kind offer) and imports `path`.
void offerKindOfFile(Application& app, const std::string& refusal, int suggested,
                     const std::string& path);

} // namespace vargis::app
