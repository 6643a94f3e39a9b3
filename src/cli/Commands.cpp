#include "cli/Commands.h"

#include "app/DefaultData.h"

#include <iostream>
#include <ostream>

namespace vargis::cli {

std::string usage() {
    return "Использование: vargis-cli status\n"
           "  status  - лотерея, число перестановок, тиражей и прогноз\n"
           "Использование: vargis-cli make-data ПАПКА\n"
           "  make-data - записать рабочую папку программы по таблицам фильтров\n";
}

namespace {

int status(app::Application& app, std::ostream& out) {
    const app::Workspace& ws = app.workspace();
    out << "kind: " << app.mainForm().at("StaticText108").caption << '\n';
    out << "combinations: " << ws.combinationCount << '\n';
    out << "draws: " << ws.drawCount() << '\n';
    out << "forecast: " << ws.forecastDate << ' ' << static_cast<int>(ws.forecastOrdinal) << '\n';
    return 0;
}

} // namespace

int runCommand(app::Application& app, CliPlatform& platform, const std::vector<std::string>& args,
               std::ostream& out) {
    if (platform.errorCount() != 0)
        return 2;
    if (args.at(0) == "status")
        return status(app, out);
    std::cerr << usage();
    return 2;
}

} // namespace vargis::cli

namespace vargis::cli {

int makeData(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << usage();
        return 2;
    }
    try {
        app::writeWorkingFolder(args[1]);
    } catch (const std::exception& e) {
        std::cerr << "Ошибка: " << e.what() << '\n';
        return 2;
    }
    return 0;
}

} // namespace vargis::cli
