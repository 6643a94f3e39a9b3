#pragma once
// The command-line tool's platform: no pauses, no sound, no windows.
// Messages go to stderr; questions are answered from a fixed answer.

#include "ui/SilentPlatform.h"

#include <string>

namespace vargis::cli {

class CliPlatform : public ui::SilentPlatform {
public:
    explicit CliPlatform(bool answerYes = false) : answerYes_(answerYes) {}

    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    ui::DateTime now() override;

    int errorCount() const { return errors_; }
    const std::string& lastError() const { return lastError_; }

private:
    bool answerYes_;
    int errors_ = 0;
    std::string lastError_;
};

} // namespace vargis::cli
