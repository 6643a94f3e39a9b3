#pragma once
// A platform for tests: records every dialog, beep, sound and shell call,
// and answers its questions from queues (No when a queue is empty).

#include "ui/Platform.h"

#include <deque>
#include <string>
#include <vector>

namespace vargis::testing {

struct Dialog {
    enum class Kind { Information, Question, Message, Error } kind;
    std::string text;
};

class ScriptedPlatform : public ui::Platform {
public:
    std::deque<bool> answers;
    // Answers of the Yes/No/Cancel questions, in order (No when empty).
    std::deque<ui::Answer> choices;
    std::vector<Dialog> dialogs;
    std::vector<std::string> opened;
    // What the desktop answers when asked to open something.
    bool shellOpens = true;
    // Answers of the file dialogs, in order (cancelled when empty), and the
    // titles of the dialogs asked.
    std::deque<std::string> filesToOpen;
    std::vector<std::string> fileDialogs;
    // Answers of the save dialogs (cancelled when empty).
    std::deque<std::string> filesToSave;
    // Answers of the text questions (cancelled when empty), and their prompts.
    std::deque<std::string> textAnswers;
    std::vector<std::string> textPrompts;
    std::vector<std::string> popups;
    std::vector<std::string> sounds;
    std::vector<std::string> bitmaps;
    int beeps = 0;
    int sleptMs = 0;
    int repaints = 0;
    bool quitCalled = false;
    ui::DateTime clock{2026, 12, 9, 10, 30, 0};

    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    ui::Answer askYesNoCancel(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    void beep(ui::Beep) override { ++beeps; }
    void playSoundLoop(const std::string& path) override { sounds.push_back("loop " + path); }
    void playSoundOnce(const std::string& path) override { sounds.push_back("once " + path); }
    void stopSound() override { sounds.push_back("stop"); }
    bool openWithShell(const std::string& target) override {
        opened.push_back(target);
        return shellOpens;
    }
    std::string chooseFileToOpen(const std::string& title, const std::string&) override;
    std::string chooseFileToSave(const std::string& title, const std::string&) override;
    std::optional<std::string> askText(const std::string&, const std::string& prompt,
                                       const std::string&) override;
    void popupMenu(const std::string& form, const std::string& menu, int) override {
        popups.push_back(form + "." + menu);
    }
    void sleepMs(int ms) override { sleptMs += ms; }
    void repaint() override { ++repaints; }
    // The user presses "Стоп" at the stopRequested poll after this many
    // (never when negative).
    int stopAfterPolls = -1;
    int stopPolls = 0;
    bool stoppable = false; // between beginStoppable and endStoppable
    std::string stoppableText;
    void beginStoppable(const std::string& text) override {
        stoppable = true;
        stoppableText = text;
    }
    bool stopRequested() override {
        ++repaints;
        return stopAfterPolls >= 0 && stopPolls++ >= stopAfterPolls;
    }
    void endStoppable() override { stoppable = false; }
    ui::DateTime now() override { return clock; }
    void saveChartBitmap(const ui::Chart& chart, const std::string& path) override;
    void quit() override { quitCalled = true; }

    // Texts of the dialogs of one kind, in order.
    std::vector<std::string> texts(Dialog::Kind kind) const;
    std::vector<std::string> errors() const { return texts(Dialog::Kind::Error); }
    void clear();
};

} // namespace vargis::testing
