// search.html: the strategy found, how it did on the training and the test
// draws beside what chance gives, and the verdict in plain words.

#include "base/ProductInfo.h"
#include "commands/StrategyReports.h"
#include "commands/StrategySearchCommand.h"

#include <algorithm>
#include <cstdio>

namespace vargis::commands {

using namespace engine;

namespace {

std::string fixed(double value, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The figures of one set of targets, in words.
std::string linesInWords(const char* name, const BacktestResult& run,
                         std::int32_t combinationCount) {
    const ChanceBaseline chance = targetsBaseline(run, combinationCount);
    const std::string of = std::to_string(run.targets.size());
    std::string text = "<p><strong>" + std::string(name) + ": сохранено " +
                       std::to_string(run.keptCount()) + " из " + of +
                       " тиражей; медиана перестановок в игре " + medianText(medianRemaining(run)) +
                       ".</strong><br>";
    text += "Случайный выбор того же числа перестановок сохранил бы в среднем " +
            fixed(chance.expected, "%.1f") + " из " + of + " тиражей";
    if (chance.lift)
        text += "; фильтры сохранили в " + fixed(*chance.lift, "%.3f") + " раза больше";
    text += ".<br>Вероятность сохранить случайно столько же или больше тиражей: " +
            fixed(chance.pValue, "%.4f") + ".</p>";
    return text;
}

// The running count of kept test targets beside the running count chance
// expects, as inline SVG.
std::vector<std::string> keptChartSvg(const BacktestResult& run, std::int32_t combinationCount) {
    constexpr int kWidth = 640, kHeight = 220, kLeft = 50, kBottom = 30, kTop = 10;
    const std::size_t n = run.targets.size();
    std::vector<double> kept(n), expected(n);
    double k = 0, e = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const BacktestTarget& t = run.targets[i];
        k += t.kept ? 1 : 0;
        if (t.stopRow == 0 && combinationCount > 0)
            e += static_cast<double>(t.remaining) / combinationCount;
        kept[i] = k;
        expected[i] = e;
    }
    const double highest = std::max({1.0, k, e});
    auto x = [&](std::size_t i) {
        return kLeft + (n <= 1 ? 0 : static_cast<int>(i * (kWidth - kLeft - 10) / (n - 1)));
    };
    auto y = [&](double v) {
        return kTop + static_cast<int>((kHeight - kTop - kBottom) * (highest - v) / highest);
    };
    auto polyline = [&](const std::vector<double>& values, const char* colour) {
        std::string points;
        for (std::size_t i = 0; i < values.size(); ++i)
            points +=
                (i == 0 ? "" : " ") + std::to_string(x(i)) + "," + std::to_string(y(values[i]));
        return "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
               "\" stroke-width=\"2\" points=\"" + points + "\"/>";
    };
    const int bottom = kHeight - kBottom;
    const auto text = svgText;
    std::vector<std::string> lines =
        chartAxes(kWidth, kHeight, kLeft, kTop, bottom, fixed(highest, "%.0f"), "0");
    if (n > 0) {
        lines.push_back(polyline(kept, "green"));
        lines.push_back(polyline(expected, "gray"));
        lines.push_back(
            text(kLeft, kHeight - 8, "start", reports::escapeHtml(run.targets.front().date)));
        lines.push_back(
            text(kWidth - 10, kHeight - 8, "end", reports::escapeHtml(run.targets.back().date)));
    }
    lines.emplace_back("</svg>");
    return lines;
}

} // namespace

reports::HtmlReport strategySearchReport(const StrategySearchResult& result,
                                         const std::vector<std::string>& captions,
                                         const ui::DateTime& now) {
    reports::HtmlReport report;
    report.title = std::string(kReportProduct) + " Подбор стратегии. " + base::kProductAddress;
    std::vector<std::string> further{
        "<p>Фильтры и границы подобраны только по старым тиражам архива (обучающим): сохранить "
        "как можно больше из них, оставляя в игре в среднем (по медиане) не больше " +
            std::to_string(result.budget) + " из " + std::to_string(result.combinationCount) +
            " перестановок. Новые тиражи (проверочные) при подборе не использовались: по ним "
            "видно, чего стратегия стоит на тиражах, которых она не видела.</p>",
        linesInWords("Обучающие тиражи", result.train, result.combinationCount),
        linesInWords("Проверочные тиражи", result.test, result.combinationCount)};
    further.push_back(
        betterThanChance(result)
            ? "<p><strong>Вывод: на проверочных тиражах стратегия сохранила больше тиражей, чем "
              "сохранил бы случайный выбор того же числа перестановок, и такой перевес случайно "
              "бывает реже чем в 5 случаях из 100. Это говорит лишь о том, что тиражи архива "
              "были не вполне случайными; выигрыша это не обещает.</strong></p>"
            : "<p><strong>Вывод: на проверочных тиражах стратегия сработала не лучше "
              "случайного выбора того же числа перестановок. Фильтры сокращают число "
              "перестановок, но не угадывают тиражи.</strong></p>");
    further.emplace_back("<p>Проверочные тиражи: сохранено фильтрами нарастающим итогом "
                         "(зелёным) и ожидаемое при случайном выборе (серым):</p>");
    const auto chart = keptChartSvg(result.test, result.combinationCount);
    further.insert(further.end(), chart.begin(), chart.end());
    report.heading =
        reports::standardHeading("<strong>" + std::string(kReportProduct) + "</strong><br>",
                                 {"<strong>Подбор стратегии по архиву тиражей.</strong><br>"},
                                 base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows, {"Строка", "Фильтр", "Параметр был", "Граница"});
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const StrategyRow& r = result.rows[i];
        reports::appendTableRow(
            report.rows,
            {std::to_string(r.row), reports::escapeHtml(i < captions.size() ? captions[i] : ""),
             reports::escapeHtml(r.parameter), "<strong>" + std::to_string(r.bound) + "</strong>"});
    }
    report.footer = reportFooterLines(now);
    return report;
}

} // namespace vargis::commands
