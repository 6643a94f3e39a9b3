#include "commands/TicketCommands.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "base/TextFile.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"
#include "commands/CommandProgress.h"
#include "commands/StrategyReports.h"
#include "context/AppContext.h"
#include "filters/RemainingViews.h"
#include "reports/ReportOpening.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace vargis::commands {

using namespace engine;

std::optional<std::string> tooManyForTickets(std::size_t remaining) {
    if (remaining <= static_cast<std::size_t>(kMostTicketCandidates))
        return std::nullopt;
    return "Слишком много перестановок для подбора билетов: " + std::to_string(remaining) +
           " (не больше 50 000)";
}

std::string combinationText(const Combination& c) {
    return std::to_string(c[0]) + ' ' + std::to_string(c[1]) + ' ' + std::to_string(c[2]) + ' ' +
           std::to_string(c[3]) + ' ' + std::to_string(c[4]);
}

TicketChances ticketChances(const TicketChoice& choice, int highestNumber, int match) {
    TicketChances chances;
    chances.allDraws = allDrawsMatches(choice.tickets, highestNumber);
    for (std::int64_t count : chances.allDraws)
        chances.combinations += count;
    chances.randomCovered =
        randomTicketsCovered(highestNumber, static_cast<int>(choice.tickets.size()), match);
    chances.match = match;
    return chances;
}

std::vector<std::string> coveredChartSvg(const TicketChoice& choice) {
    constexpr int kWidth = 640, kHeight = 250, kLeft = 70, kBottom = 40, kTop = 10, kRight = 10;
    const std::size_t n = choice.tickets.size();
    const std::int32_t top = std::max<std::int32_t>(choice.remaining, 1);
    const int bottom = kHeight - kBottom;
    auto x = [&](std::size_t k) { // k tickets, 0..n
        return kLeft + (n == 0 ? 0 : static_cast<int>(k * (kWidth - kLeft - kRight) / n));
    };
    auto y = [&](std::int32_t covered) {
        return kTop +
               static_cast<int>(static_cast<long long>(bottom - kTop) * (top - covered) / top);
    };
    auto text = [](int tx, int ty, const std::string& anchor, const std::string& body) {
        return "<text x=\"" + std::to_string(tx) + "\" y=\"" + std::to_string(ty) +
               "\" font-size=\"11\" text-anchor=\"" + anchor + "\">" + body + "</text>";
    };
    auto line = [](int x1, int y1, int x2, int y2, const std::string& style) {
        return "<line x1=\"" + std::to_string(x1) + "\" y1=\"" + std::to_string(y1) + "\" x2=\"" +
               std::to_string(x2) + "\" y2=\"" + std::to_string(y2) + "\" " + style + "/>";
    };
    std::vector<std::string> lines{
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
            "\" height=\"" + std::to_string(kHeight) + "\" style=\"background:#ffffff\">",
        line(kLeft, bottom, kWidth - kRight, bottom, "stroke=\"black\""),
        line(kLeft, kTop, kLeft, bottom, "stroke=\"black\""),
        line(kLeft, y(choice.remaining), kWidth - kRight, y(choice.remaining),
             "stroke=\"silver\" stroke-dasharray=\"4,3\""),
        text(kLeft - 4, y(choice.remaining) + 4, "end", std::to_string(choice.remaining)),
        text(kLeft - 4, bottom, "end", "0"),
        text(kLeft, bottom + 16, "middle", "0"),
        text((kLeft + kWidth) / 2, kHeight - 2, "middle", "билетов")};
    std::string points = std::to_string(x(0)) + "," + std::to_string(y(0)) + " ";
    std::int32_t covered = 0;
    for (std::size_t k = 0; k < n; ++k) {
        covered += choice.tickets[k].newlyCovered;
        points += std::to_string(x(k + 1)) + "," + std::to_string(y(covered)) + " ";
    }
    lines.push_back("<polyline fill=\"none\" stroke=\"navy\" stroke-width=\"2\" points=\"" +
                    points + "\"/>");
    covered = 0;
    for (std::size_t k = 0; k < n; ++k) {
        covered += choice.tickets[k].newlyCovered;
        lines.push_back("<circle cx=\"" + std::to_string(x(k + 1)) + "\" cy=\"" +
                        std::to_string(y(covered)) + "\" r=\"3\" fill=\"navy\"><title>" +
                        std::to_string(k + 1) + ": " + std::to_string(covered) +
                        "</title></circle>");
        const std::size_t every = std::max<std::size_t>(1, n / 10);
        if (k + 1 == n || (k + 1) % every == 0)
            lines.push_back(text(x(k + 1), bottom + 16, "middle", std::to_string(k + 1)));
    }
    lines.emplace_back("</svg>");
    return lines;
}

namespace {

// a / b as a percentage with two decimals, or four when it would read 0.00.
std::string shareText(std::int64_t a, std::int64_t b) {
    const double share = b > 0 ? 100.0 * static_cast<double>(a) / static_cast<double>(b) : 0;
    char text[32];
    std::snprintf(text, sizeof text, share == 0 || share >= 0.01 ? "%.2f%%" : "%.4f%%", share);
    return text;
}

// The true chances of the ticket set for a coming draw: how every possible
// draw meets the tickets, and what as many random tickets would do.
std::vector<std::string> chanceLines(const TicketChoice& choice, const TicketChances& chances) {
    const std::string all = std::to_string(chances.combinations);
    std::int64_t atLeast = 0;
    for (int j = 5; j >= chances.match; --j)
        atLeast += chances.allDraws[static_cast<std::size_t>(j)];
    std::vector<std::string> lines{
        "<p><strong>Шансы на ближайший тираж.</strong> Ближайшим тиражом может выпасть любая из " +
            all +
            " перестановок, а не только оставшиеся. Наибольшее совпадение с одним из "
            "билетов по всем перестановкам:</p>",
        "<ul>"};
    for (int j = 5; j >= 0; --j) {
        const std::int64_t count = chances.allDraws[static_cast<std::size_t>(j)];
        lines.push_back("<li>" + std::to_string(j) + " из 5: " + std::to_string(count) + " (" +
                        shareText(count, chances.combinations) + ")</li>");
    }
    lines.emplace_back("</ul>");
    lines.push_back("<p>Не меньше " + std::to_string(chances.match) +
                    " чисел совпадут с одним из "
                    "билетов с вероятностью " +
                    shareText(atLeast, chances.combinations) + " (" + std::to_string(atLeast) +
                    " из " + all + "). Столько же (" + std::to_string(choice.tickets.size()) +
                    ") случайных билетов дали бы это в среднем для " +
                    std::to_string(chances.randomCovered) + " перестановок (" +
                    shareText(chances.randomCovered, chances.combinations) + ").</p>");
    return lines;
}

} // namespace

reports::HtmlReport ticketReport(const TicketChoice& choice, const TicketChances& chances,
                                 const ui::DateTime& now) {
    const int match = chances.match;
    reports::HtmlReport report;
    const std::string product = kReportProduct;
    const std::string x = std::to_string(choice.covered), r = std::to_string(choice.remaining);
    const std::string t = std::to_string(match);
    report.title = product + " Билеты из оставшихся. " + base::kProductAddress;
    std::vector<std::string> further{
        "<p><strong>Билетов: " + std::to_string(choice.tickets.size()) + "; покрыто: " + x +
            " из " + r + " оставшихся перестановок.</strong></p>",
        "<p>Если ближайший тираж окажется среди оставшихся перестановок, билеты содержат не "
        "меньше " +
            t + " его чисел в " + x + " из " + r + " случаев.</p>",
    };
    const auto chanceText = chanceLines(choice, chances);
    further.insert(further.end(), chanceText.begin(), chanceText.end());
    further.emplace_back("<p>Покрыто перестановок по числу билетов:</p>");
    const auto chart = coveredChartSvg(choice);
    further.insert(further.end(), chart.begin(), chart.end());
    report.heading = reports::standardHeading(
        "<strong>" + product + "</strong><br>",
        {"<strong>Билеты из оставшихся перестановок: каждый следующий совпадает не меньше чем в " +
         t + " числах с наибольшим числом ещё не покрытых.</strong><br>"},
        base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows,
                            {"Билет", "Числа", "Новых покрыто", "Покрыто всего", "Доля"});
    std::int32_t covered = 0;
    int k = 0;
    for (const Ticket& ticket : choice.tickets) {
        covered += ticket.newlyCovered;
        char share[32];
        std::snprintf(share, sizeof share, "%.1f%%",
                      100.0 * covered / std::max<std::int32_t>(1, choice.remaining));
        reports::appendTableRow(report.rows, {std::to_string(++k), combinationText(ticket.numbers),
                                              std::to_string(ticket.newlyCovered),
                                              std::to_string(covered), share});
    }
    report.footer = reportFooterLines(now);
    return report;
}

const CombinationList* currentRemaining(context::AppContext& app) {
    // The combine empties the result table when it starts and fills it when
    // it completes; so do the filter controls when a setting changes.
    if (app.mainForm().at(ui::kRemainingInPlay).caption == filters::kCountLine)
        return nullptr;
    return &combineState(app).remaining;
}

void saveRemainingCommand(context::AppContext& app) {
    ui::Platform& platform = app.platform();
    const CombinationList* remaining = currentRemaining(app);
    if (remaining == nullptr) {
        platform.showInformation("Оставшихся перестановок нет: сначала объедините фильтры.");
        return;
    }
    const std::string path = platform.chooseFileToSave("Сохранить оставшиеся перестановки",
                                                       "Текстовые файлы (*.txt);;Все файлы (*)");
    if (path.empty())
        return;
    std::vector<std::string> lines;
    lines.reserve(remaining->size());
    for (const Combination& c : *remaining)
        lines.push_back(combinationText(c));
    writeLines(path, lines);
    platform.showInformation("Записано перестановок: " + std::to_string(lines.size()) + "\r\n" +
                             path);
}

} // namespace vargis::commands
