#include "AnalysisCommands.h"

#include "Analysis.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "commands/BoundSuggestions.h"
#include "commands/CombineCommand.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "commands/StrategySearchCommand.h"
#include "commands/TicketCommands.h"
#include "history/DrawImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportOpening.h"

#include <algorithm>

namespace vargis::app {

namespace {

// An archive no longer than the draw table adds nothing to ask about.
constexpr std::size_t kArchiveWorthAsking = context::kMaxDraws;

std::string archiveSpan(const std::vector<history::ImportedDraw>& archive) {
    return std::to_string(archive.size()) + " (с " + history::drawDateText(archive.front().date) +
           " по " + history::drawDateText(archive.back().date) + ")";
}

// A whole number in lo..hi asked in a dialog; none when cancelled or wrong
// (then the user is told).
std::optional<int> askWholeNumber(ui::Platform& platform, const std::string& prompt, int initial,
                                  int lo, int hi) {
    const auto answer = platform.askText("Билеты из оставшихся", prompt, std::to_string(initial));
    if (!answer)
        return std::nullopt;
    int value = lo - 1;
    try {
        value = toInt(*answer);
    } catch (const VargisError&) {
    }
    if (value < lo || value > hi) {
        platform.showInformation("Нужно целое число от " + std::to_string(lo) + " до " +
                                 std::to_string(hi) + ".");
        return std::nullopt;
    }
    return value;
}

} // namespace

void strategyCheckCommand(Application& app) {
    ui::Platform& platform = app.platform();
    Analysis analysis(app);
    const auto* archive = analysis.archive();
    const bool overArchive =
        archive && archive->size() > kArchiveWorthAsking &&
        platform.askYesNo("В архиве тиражей " + archiveSpan(*archive) +
                          ".\r\nПроверить стратегию по всем тиражам архива ?\r\n"
                          "(Нет - по таблице тиражей, как обычно)");
    const BacktestRun run = analysis.backtest(overArchive);
    if (!run.result)
        return;
    const BacktestResult& result = *run.result;
    if (result.stopped) {
        platform.showInformation(commands::kBacktestStopped);
        return;
    }
    const commands::StrategyFacts facts = commands::strategyFacts(app);
    const reports::HtmlReport report =
        overArchive ? commands::archiveBacktestReport(
                          facts, result, app.workspace().combinationCount, platform.now())
                    : commands::backtestReport(facts, result, app.workspace().combinationCount,
                                               platform.now());
    reports::writeHtmlReport(commands::kBacktestReport, report);
    reports::openReport(platform, commands::kBacktestReport);
}

void randomnessCommand(Application& app) {
    const RandomnessRun run = Analysis(app).randomness();
    if (!run.result)
        return;
    const auto caption = [&app](int row) { return app.workspace().filters.row(row).field(7); };
    reports::writeHtmlReport(
        commands::kRandomnessReport,
        commands::randomnessReport(*run.result, run.source, caption, app.platform().now()));
    reports::openReport(app.platform(), commands::kRandomnessReport);
}

void filterWorthCommand(Application& app) {
    const auto result = Analysis(app).efficiency();
    if (!result)
        return;
    const commands::StrategyFacts facts = commands::strategyFacts(app);
    reports::writeHtmlReport(commands::kWorthReport,
                             commands::worthReport(facts, *result, app.platform().now()));
    reports::openReport(app.platform(), commands::kWorthReport);
}

void boundSuggestionCommand(Application& app) {
    ui::Platform& platform = app.platform();
    // A table the combine refuses is named before the share is asked for.
    if (!commands::combineTargetAccepted(app))
        return;
    const auto answer =
        platform.askText("Подбор границ",
                         "Сколько процентов прошлых тиражей должен пропускать каждый фильтр "
                         "(1..100)?",
                         std::to_string(commands::kDefaultKeepPercent));
    if (!answer)
        return;
    int keep = 0;
    try {
        keep = toInt(*answer);
    } catch (const VargisError&) {
        keep = 0;
    }
    if (keep < 1 || keep > 100) {
        platform.showInformation("Доля тиражей - целое число от 1 до 100.");
        return;
    }
    Analysis analysis(app);
    const auto result = analysis.suggest(keep);
    if (!result)
        return;
    // The button's caption: the stem and the condition.
    const auto caption = [&app](int row) {
        const auto& r = app.workspace().filters.row(row);
        return r.field(7) + r.field(5);
    };
    reports::writeHtmlReport(commands::kSuggestReport,
                             commands::suggestionReport(*result, caption, platform.now()));
    reports::openReport(platform, commands::kSuggestReport);
    const auto enabled = std::count_if(result->rows.begin(), result->rows.end(),
                                       [](const commands::SuggestedRow& r) { return r.enabled; });
    if (enabled == 0)
        return;
    if (!platform.askYesNo("Применить предложенные границы к включённым фильтрам (строк: " +
                           std::to_string(enabled) + ")?"))
        return;
    const int applied = analysis.applySuggestions(*result);
    platform.showInformation("Границы применены: строк " + std::to_string(applied) +
                             ".\r\nЧтобы они остались, сохраните базу фильтров.");
}

void coveringTicketsCommand(Application& app) {
    ui::Platform& platform = app.platform();
    // A table the combine refuses is named before the counts are asked for.
    if (!commands::combineTargetAccepted(app))
        return;
    const auto count = askWholeNumber(platform, "Сколько билетов подобрать (1..1000)?",
                                      engine::kDefaultTicketCount, 1, engine::kMostTickets);
    if (!count)
        return;
    const auto match = askWholeNumber(
        platform, "Сколько чисел оставшейся перестановки должен содержать билет (2..5)?",
        engine::kDefaultTicketMatch, engine::kFewestTicketMatch, engine::kMostTicketMatch);
    if (!match)
        return;
    const TicketsRun run = Analysis(app).tickets(*count, *match, ExclusionQuestion::Ask);
    if (run.combine.outcome != CombineOutcome::Completed)
        return;
    if (run.refusal) {
        platform.showInformation(*run.refusal);
        return;
    }
    const TicketChoice& choice = run.choice;
    reports::writeHtmlReport(commands::kTicketsReport,
                             commands::ticketReport(choice, run.chances, platform.now()));
    std::vector<std::string> lines;
    for (const engine::Ticket& t : choice.tickets)
        lines.push_back(commands::combinationText(t.numbers));
    writeLines(commands::kTicketsText, lines);
    platform.showInformation("Билетов подобрано: " + std::to_string(choice.tickets.size()) +
                             ", покрыто " + std::to_string(choice.covered) + " из " +
                             std::to_string(choice.remaining) +
                             ".\r\nВ рабочей папке записаны файлы " + commands::kTicketsReport +
                             " и " + commands::kTicketsText + ".");
    reports::openReport(platform, commands::kTicketsReport);
}

void strategySearchCommand(Application& app) {
    using commands::kDefaultSearchBudget;
    using commands::kDefaultTrainPercent;
    using commands::kFewestTrainPercent;
    using commands::kMostTrainPercent;
    ui::Platform& platform = app.platform();
    const std::int32_t combinations = app.workspace().combinationCount;
    const auto budgetText =
        platform.askText("Подбор стратегии",
                         "Сколько перестановок можно оставить в игре (медиана по тиражам), 1.." +
                             std::to_string(combinations) + "?",
                         std::to_string(std::min(kDefaultSearchBudget, combinations)));
    if (!budgetText)
        return;
    const auto trainText = platform.askText(
        "Подбор стратегии",
        "Какая доля старых тиражей архива служит для подбора, в процентах (" +
            std::to_string(kFewestTrainPercent) + ".." + std::to_string(kMostTrainPercent) +
            ")? Остальные, новые тиражи - для проверки.",
        std::to_string(kDefaultTrainPercent));
    if (!trainText)
        return;
    SearchRequest request;
    try {
        request.budget = toInt(*budgetText);
        request.trainPercent = toInt(*trainText);
    } catch (const VargisError&) {
        platform.showInformation("Бюджет и доля тиражей - целые числа.");
        return;
    }
    Analysis analysis(app);
    if (analysis.archive() == nullptr) {
        platform.showInformation("Архива тиражей нет: его записывает импорт тиражей.");
        return;
    }
    const SearchRun run = analysis.search(request);
    if (run.refusal) {
        platform.showInformation(*run.refusal);
        return;
    }
    const StrategySearchResult& result = run.result;
    switch (result.status) {
    case StrategySearchResult::Status::Stopped:
        platform.showInformation("Подбор стратегии остановлен: ничего не записано.");
        return;
    case StrategySearchResult::Status::Unreachable:
        platform.showInformation("Бюджет " + std::to_string(request.budget) +
                                 " не достигнут: наименьшая медиана оставшихся перестановок " +
                                 commands::medianText(result.smallestMedian) + ".");
        return;
    case StrategySearchResult::Status::Found:
        break;
    }
    std::vector<std::string> captions;
    for (const commands::StrategyRow& r : result.rows) {
        const auto& fields = app.workspace().filters.row(r.row);
        captions.push_back(fields.field(7) + fields.field(5));
    }
    reports::writeHtmlReport(commands::kSearchReport,
                             commands::strategySearchReport(result, captions, platform.now()));
    reports::openReport(platform, commands::kSearchReport);
    if (!platform.askYesNo(
            "Применить найденную стратегию (включить строк: " + std::to_string(result.rows.size()) +
            ", остальные фильтры <= и >= выключить)?"))
        return;
    const int applied = analysis.applyStrategy(result);
    platform.showInformation("Стратегия применена: включено строк " + std::to_string(applied) +
                             ".\r\nЧтобы она осталась, сохраните базу фильтров.");
}

} // namespace vargis::app
