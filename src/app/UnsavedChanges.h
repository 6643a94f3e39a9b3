#pragma once
// What closing the main window would lose: the draw table, the filter base
// and the digits base as they stand in memory compared with their files.

#include "Application.h"

namespace vargis::app {

struct UnsavedChanges {
    bool draws = false;   // the draw grid differs from the draw file
    bool filters = false; // the filter base or the digits base differs
    bool any() const { return draws || filters; }
};

UnsavedChanges unsavedChanges(Application& app);

// Before the main window closes: with nothing unsaved it closes; otherwise
// "Сохранить изменения?" - Да saves through the save commands and closes
// when everything reached its file, Нет closes, Отмена keeps the window.
bool closeQuery(Application& app);

} // namespace vargis::app
