#pragma once
// What the loader fuzzers share: a private scratch folder, writing the input
// as a file, and a platform that answers everything silently.

#include "ui/Platform.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vargis::fuzz {

// A folder of this process under the system's temporary folder, created on
// first use.
const std::string& scratchFolder();

// Writes the input bytes as they are to path.
void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size);

// Copies the bundled working folder into the scratch folder (once) and makes
// it the current directory.
void enterWorkingFolderCopy();

class SilentPlatform : public ui::Platform {
public:
    int errors = 0;

    void showInformation(const std::string&) override {}
    bool askYesNo(const std::string&) override { return answer_ = !answer_; }
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override { ++errors; }
    void beep(ui::Beep) override {}
    void playSoundLoop(const std::string&) override {}
    void playSoundOnce(const std::string&) override {}
    void stopSound() override {}
    void openWithShell(const std::string&) override {}
    void popupMenu(const std::string&, const std::string&, int) override {}
    void sleepMs(int) override {}
    void repaint() override {}
    ui::DateTime now() override { return {2026, 12, 9, 10, 30, 0}; }
    void saveChartBitmap(const ui::Chart&, const std::string&) override {}
    void quit() override {}

private:
    bool answer_ = false;
};

} // namespace vargis::fuzz
