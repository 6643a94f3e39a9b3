#pragma once
// A platform that shows nothing, plays nothing and never pauses: the base of
// the command-line tool's platform, the benchmarks and the fuzzers. Questions
// are answered No and the clock is fixed unless a subclass says otherwise.

#include "ui/Platform.h"

namespace vargis::ui {

class SilentPlatform : public Platform {
public:
    void showInformation(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    void beep(Beep) override {}
    void playSoundLoop(const std::string&) override {}
    void playSoundOnce(const std::string&) override {}
    void stopSound() override {}
    bool openWithShell(const std::string&) override { return true; }
    std::string chooseFileToOpen(const std::string&, const std::string&) override { return {}; }
    std::string chooseFileToSave(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> askText(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }
    void popupMenu(const std::string&, const std::string&, int) override {}
    void sleepMs(int) override {}
    void repaint() override {}
    DateTime now() override { return {2026, 12, 9, 10, 30, 0}; }
    void saveChartBitmap(const Chart&, const std::string&) override {}
    void quit() override {}
};

} // namespace vargis::ui
