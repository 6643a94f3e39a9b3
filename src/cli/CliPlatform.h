#pragma once
// The command-line tool's platform: no pauses, no sound, no windows.
// Messages go to stderr; questions are answered from a fixed answer.

#include "ui/Platform.h"

#include <string>

namespace vargis::cli {

class CliPlatform : public ui::Platform {
public:
    explicit CliPlatform(bool answerYes = false) : answerYes_(answerYes) {}

    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    void beep(ui::Beep) override {}
    void playSoundLoop(const std::string&) override {}
    void playSoundOnce(const std::string&) override {}
    void stopSound() override {}
    void openWithShell(const std::string&) override {}
    void popupMenu(const std::string&, const std::string&, int) override {}
    void sleepMs(int) override {}
    void repaint() override {}
    ui::DateTime now() override;
    void saveChartBitmap(const ui::Chart&, const std::string&) override {}
    void quit() override {}

    int errorCount() const { return errors_; }
    const std::string& lastError() const { return lastError_; }

private:
    bool answerYes_;
    int errors_ = 0;
    std::string lastError_;
};

} // namespace vargis::cli
