#include "cli/CliPlatform.h"

#include <ctime>
#include <iostream>

namespace vargis::cli {

void CliPlatform::showInformation(const std::string& text) {
    std::cerr << text << '\n';
}

bool CliPlatform::askYesNo(const std::string& text) {
    std::cerr << text << (answerYes_ ? " -> Да\n" : " -> Нет\n");
    return answerYes_;
}

void CliPlatform::showMessage(const std::string& text) {
    std::cerr << text << '\n';
}

void CliPlatform::showError(const std::string& text) {
    ++errors_;
    lastError_ = text;
    std::cerr << "Ошибка: " << text << '\n';
}

ui::DateTime CliPlatform::now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace vargis::cli
