#include "cli/Commands.h"

#include "app/ButtonCounts.h"
#include "app/DefaultData.h"
#include "app/ImportCommand.h"
#include "app/RowEvaluation.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "engine/CombineCommand.h"
#include "engine/CombineState.h"
#include "engine/StrategyCheck.h"

#include <functional>
#include <iostream>
#include <optional>
#include <ostream>

namespace vargis::cli {

std::string usage() {
    return "Использование: vargis-cli status\n"
           "  status  - лотерея, число перестановок, тиражей и прогноз\n"
           "Использование: vargis-cli evaluate СТРОКА\n"
           "  evaluate - значения фильтра строки по всем тиражам, попадания и промахи\n"
           "Использование: vargis-cli combine [--list]\n"
           "  combine - объединить выбранные фильтры по всем перестановкам\n"
           "Использование: vargis-cli backtest\n"
           "  backtest - фильтры на каждом прошлом тираже с 15-го: остаток и совпадения\n"
           "Использование: vargis-cli efficiency\n"
           "  efficiency - вклад каждого применяемого фильтра для даты прогноза\n"
           "Использование: vargis-cli import ФАЙЛ\n"
           "  import - заменить таблицу тиражей тиражами из файла (дата и пять чисел в строке)\n"
           "Использование: vargis-cli make-data ПАПКА\n"
           "  make-data - записать рабочую папку программы по таблицам фильтров\n"
           "Использование: vargis-cli user-folder\n"
           "  user-folder - создать рабочую папку пользователя, если её нет, и вывести путь\n";
}

namespace {

int status(app::Application& app, std::ostream& out) {
    const context::Workspace& ws = app.workspace();
    out << "kind: " << app.mainForm().at("StaticText108").caption << '\n';
    out << "combinations: " << ws.combinationCount << '\n';
    out << "draws: " << ws.drawCount() << '\n';
    out << "forecast: " << ws.forecastDate << ' ' << static_cast<int>(ws.forecastOrdinal) << '\n';
    return 0;
}

// Families whose buttons compute a filter in this version.
bool familyBuilt(catalogue::Family family) {
    using catalogue::Family;
    switch (family) {
    case Family::Static:
    case Family::Digit:
    case Family::Numerology:
    case Family::RankedDate:
    case Family::RankedPosition:
    case Family::RankedLink:
    case Family::Repeat:
    case Family::CountInRange:
    case Family::Difference:
        return true;
    default:
        return false;
    }
}

int evaluate(app::Application& app, CliPlatform& platform, const std::vector<std::string>& args,
             std::ostream& out) {
    if (args.size() != 2) {
        std::cerr << usage();
        return 2;
    }
    int row = 0;
    try {
        row = toInt(args[1]);
    } catch (const VargisError& e) {
        std::cerr << e.what() << '\n';
        return 2;
    }
    if (row < catalogue::kFirstRow || row > catalogue::kLastRow) {
        std::cerr << "Строка " << row << " вне базы фильтров (1..287)\n";
        return 2;
    }
    const auto& rc = catalogue::rowControls(row);
    if (!catalogue::hasOwnFilter(rc)) {
        std::cerr << "Строка " << row << " не является фильтром\n";
        return 2;
    }
    if (!familyBuilt(rc.family)) {
        std::cerr << "Фильтры строки " << row << " в этой версии ещё не вычисляются\n";
        return 2;
    }
    const int errorsBefore = platform.errorCount();
    const auto evaluation = app::evaluateRow(app, row);
    if (!evaluation || platform.errorCount() != errorsBefore)
        return 2;
    out << app::evaluationText(*evaluation);
    return 0;
}

// The combine command with the stored settings, the numbers that do not
// play confirmed. Exit 3 when a step leaves nothing, 4 when a check refuses.
int combine(app::Application& app, const std::vector<std::string>& args, std::ostream& out) {
    const bool withList = args.size() == 2 && args[1] == "--list";
    if (args.size() > 2 || (args.size() == 2 && !withList)) {
        std::cerr << usage();
        return 2;
    }
    auto outcome = engine::CombineOutcome::Refused;
    if (!app.guarded(
            [&] { outcome = engine::combineFilters(app, engine::ExclusionQuestion::AnswerYes); }))
        return 2;
    switch (outcome) {
    case engine::CombineOutcome::Completed:
        engine::printCombineResult(app, out, withList);
        return 0;
    case engine::CombineOutcome::Stopped:
        out << "stopped: " << engine::combineState(app).stopRow << '\n';
        return 3;
    case engine::CombineOutcome::Refused:
    case engine::CombineOutcome::Declined:
        break;
    }
    return 4;
}

// The back-test of the stored settings over every past draw from 15 on.
// Exit 4 when the draws are too few, 2 on an error.
int backtest(app::Application& app, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 1) {
        std::cerr << usage();
        return 2;
    }
    std::optional<engine::BacktestResult> result;
    if (!app.guarded([&] { result = engine::runStrategyCheck(app); }))
        return 2;
    if (!result)
        return 4;
    engine::printBacktest(*result, out);
    return 0;
}

// The worth of every applied row for the stored target. Exit 4 when the
// combine's checks refuse the target, 2 on an error.
int efficiency(app::Application& app, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 1) {
        std::cerr << usage();
        return 2;
    }
    std::optional<engine::WorthResult> result;
    if (!app.guarded([&] {
            app::ButtonCounts counts(app);
            result = engine::runFilterWorth(app, std::ref(counts));
        }))
        return 2;
    if (!result)
        return 4;
    engine::printFilterWorth(*result, app.workspace().drawCount(), out);
    return 0;
}

// Replaces the draw table with the draws of a file. It runs even when the
// start could not load the draw file, since importing is how such a table
// is filled again.
int importDraws(app::Application& app, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 2) {
        std::cerr << usage();
        return 2;
    }
    std::vector<history::ImportedDraw> draws;
    if (!app.guarded([&] {
            draws = history::newestDraws(
                history::readDrawFile(args[1], app.workspace().highestNumber).draws);
            app::applyImportedDraws(app, draws);
        }))
        return 2;
    out << "imported: " << draws.size() << " draws (" << history::drawDateText(draws.front().date)
        << " .. " << history::drawDateText(draws.back().date) << ")\n";
    return 0;
}

} // namespace

int runCommand(app::Application& app, CliPlatform& platform, const std::vector<std::string>& args,
               std::ostream& out) {
    if (args.at(0) == "import")
        return importDraws(app, args, out);
    if (platform.errorCount() != 0)
        return 2;
    if (args.at(0) == "status")
        return status(app, out);
    if (args.at(0) == "evaluate")
        return evaluate(app, platform, args, out);
    if (args.at(0) == "combine")
        return combine(app, args, out);
    if (args.at(0) == "backtest")
        return backtest(app, args, out);
    if (args.at(0) == "efficiency")
        return efficiency(app, args, out);
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
