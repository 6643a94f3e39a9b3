#pragma once
// Everything outside the program's own state: dialogs, sound, the desktop
// shell, the clock, pauses and bitmaps. The desktop program implements it
// with Qt, the command-line tool silently, the tests with a scripted double.

#include "ui/Control.h"

#include <optional>
#include <string>

namespace vargis::ui {

struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

enum class Beep { Default, Exclamation };

enum class Answer { Yes, No, Cancel };

class Platform {
public:
    virtual ~Platform() = default;

    // Information box with an OK button.
    virtual void showInformation(const std::string& text) = 0;
    // Warning question with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
    // Question with Yes, No and Cancel. A platform without a third button
    // asks Yes/No, so it never answers Cancel.
    virtual Answer askYesNoCancel(const std::string& text) {
        return askYesNo(text) ? Answer::Yes : Answer::No;
    }
    // Plain message box.
    virtual void showMessage(const std::string& text) = 0;
    // The application's error box for an error a command could not handle.
    virtual void showError(const std::string& text) = 0;

    virtual void beep(Beep kind) = 0;
    virtual void playSoundLoop(const std::string& wavPath) = 0;
    virtual void playSoundOnce(const std::string& wavPath) = 0;
    virtual void stopSound() = 0;

    // Opens a file or an address with the desktop's associated program;
    // false when the desktop has no program for it or could not start one.
    virtual bool openWithShell(const std::string& target) = 0;

    // Asks the user for an existing file to open; `filter` lists the kinds
    // offered as "Name (*.a *.b);;Name (*)". Empty when the user cancels.
    virtual std::string chooseFileToOpen(const std::string& title, const std::string& filter) = 0;

    // Asks the user for a file to write; empty when the user cancels.
    virtual std::string chooseFileToSave(const std::string& title, const std::string& filter) = 0;

    // Asks for one line of text, offering `initial`; none when the user cancels.
    virtual std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                               const std::string& initial) = 0;

    // Opens a pop-up menu of the given form at the mouse position moved
    // dy pixels down.
    virtual void popupMenu(const std::string& form, const std::string& menu, int dy) = 0;

    // A plain pause of the GUI thread; the front end shows the model first.
    virtual void sleepMs(int ms) = 0;
    // Lets the front end show what the model changed during a long command.
    virtual void repaint() = 0;

    // A long command the user may stop: from beginStoppable to endStoppable
    // the front end shows `text` with a "Стоп" button, and Esc does the same.
    // stopRequested, asked between pieces of the work, shows what the model
    // changed and tells whether the user has asked to stop.
    virtual void beginStoppable(const std::string& /*text*/) {}
    virtual bool stopRequested() {
        repaint();
        return false;
    }
    virtual void endStoppable() {}

    virtual DateTime now() = 0;

    // Saves the chart as shown, drawn on white, as a .bmp file.
    virtual void saveChartBitmap(const Chart& chart, const std::string& path) = 0;

    // Ends the program after the main window closed.
    virtual void quit() = 0;
};

} // namespace vargis::ui
