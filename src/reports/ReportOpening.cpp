#include "reports/ReportOpening.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace vargis::reports {

namespace {

// The absolute form of a path relative to the working folder; the path as
// given when the working folder cannot be read.
std::string fullPathOf(const std::string& file) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(file, error);
    if (error)
        return file;
    return full.lexically_normal().string();
}

} // namespace

std::string reportNotOpenedText(const std::string& file, const std::string& fullPath) {
    const bool removed =
        std::find(std::begin(kReportsRemovedOnClose), std::end(kReportsRemovedOnClose), file) !=
        std::end(kReportsRemovedOnClose);
    return "Не удалось открыть файл " + file + ".\r\nОн сохранён здесь" +
           (removed ? " до закрытия программы" : "") + ":\r\n" + fullPath;
}

std::string documentNotOpenedText(const std::string& file, const std::string& fullPath) {
    return "Не удалось открыть файл " + file + ".\r\nОн находится здесь:\r\n" + fullPath;
}

void openReport(ui::Platform& platform, const std::string& file) {
    if (platform.openWithShell(file))
        return;
    platform.showInformation(reportNotOpenedText(file, fullPathOf(file)));
}

void openDocument(ui::Platform& platform, const std::string& target, const std::string& file) {
    if (platform.openWithShell(target))
        return;
    platform.showInformation(documentNotOpenedText(file, fullPathOf(file)));
}

std::string addressNotOpenedText(const std::string& address) {
    return "Не удалось открыть сайт программы.\r\nЕго адрес:\r\n" + address;
}

void openAddress(ui::Platform& platform, const std::string& address) {
    if (platform.openWithShell(address))
        return;
    platform.showInformation(addressNotOpenedText(address));
}

} // namespace vargis::reports
