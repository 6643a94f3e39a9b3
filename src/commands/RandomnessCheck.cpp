#include "commands/RandomnessCheck.h"

#include "base/ProductInfo.h"
#include "catalogue/FilterFamily.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "context/AppContext.h"
#include "history/DrawImport.h"
#include "reports/ReportOpening.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace vargis::commands {

using namespace engine;

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

Combination ascending(std::array<int, 5> numbers) {
    std::sort(numbers.begin(), numbers.end());
    Combination c{};
    for (std::size_t k = 0; k < 5; ++k)
        c[k] = static_cast<std::uint8_t>(std::clamp(numbers[k], 0, 255));
    return c;
}

std::string binText(const ValueBin& bin) {
    return bin.firstValue == bin.lastValue
               ? std::to_string(bin.firstValue)
               : std::to_string(bin.firstValue) + "-" + std::to_string(bin.lastValue);
}

} // namespace

RandomnessDraws randomnessDraws(context::AppContext& app) {
    RandomnessDraws source;
    if (const auto archive = loadArchive(app)) {
        source.fromArchive = true;
        for (const history::ImportedDraw& draw : *archive)
            source.draws.push_back(ascending(draw.numbers));
        if (!archive->empty()) {
            source.firstDate = history::drawDateText(archive->front().date);
            source.lastDate = history::drawDateText(archive->back().date);
        }
        return source;
    }
    const context::Workspace& ws = app.workspace();
    for (int f = 1; f <= ws.drawCount(); ++f) {
        const catalogue::DrawNumbers numbers = catalogue::drawNumbersOf(ws.history, f);
        source.draws.push_back(ascending(numbers.ranked));
        if (f == 1)
            source.firstDate = numbers.date;
        source.lastDate = numbers.date;
    }
    return source;
}

std::optional<RandomnessResult> runRandomness(context::AppContext& app,
                                              const RandomnessDraws& source) {
    const int draws = static_cast<int>(source.draws.size());
    if (draws < kFewestRandomnessDraws) {
        app.platform().showInformation(
            std::string(source.fromArchive ? "В архиве тиражей " : "В таблице тиражей ") +
            std::to_string(draws) + " - для проверки случайности нужно не меньше " +
            std::to_string(kFewestRandomnessDraws) + ".");
        return std::nullopt;
    }
    return testRandomness(source.draws, app.workspace().highestNumber);
}

std::vector<std::string> binBarsSvg(const RowRandomness& row) {
    constexpr int kWidth = 640, kHeight = 180, kLeft = 50, kBottom = 30, kTop = 10, kRight = 10;
    double highest = 1;
    for (const ValueBin& bin : row.bins)
        highest = std::max({highest, static_cast<double>(bin.observed), bin.expected});
    const int bottom = kHeight - kBottom;
    const std::size_t n = row.bins.size();
    const int slot = n == 0 ? 0 : (kWidth - kLeft - kRight) / static_cast<int>(n);
    const int bar = std::max(1, slot * 2 / 5);
    auto height = [&](double v) { return static_cast<int>((bottom - kTop) * v / highest); };
    auto rect = [&](int x, double v, const char* colour, const std::string& title) {
        return "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(bottom - height(v)) +
               "\" width=\"" + std::to_string(bar) + "\" height=\"" + std::to_string(height(v)) +
               "\" fill=\"" + colour + "\"><title>" + title + "</title></rect>";
    };
    std::vector<std::string> lines{
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
            "\" height=\"" + std::to_string(kHeight) + "\" style=\"background:#ffffff\">",
        "<line x1=\"" + std::to_string(kLeft) + "\" y1=\"" + std::to_string(bottom) + "\" x2=\"" +
            std::to_string(kWidth - kRight) + "\" y2=\"" + std::to_string(bottom) +
            "\" stroke=\"black\"/>",
        "<text x=\"" + std::to_string(kLeft - 4) + "\" y=\"" + std::to_string(kTop + 10) +
            "\" font-size=\"11\" text-anchor=\"end\">" + formatted("%.0f", highest) + "</text>"};
    const std::size_t every = std::max<std::size_t>(1, n / 12);
    for (std::size_t i = 0; i < n; ++i) {
        const ValueBin& bin = row.bins[i];
        const int x = kLeft + static_cast<int>(i) * slot + slot / 10;
        lines.push_back(rect(x, static_cast<double>(bin.observed), "navy",
                             binText(bin) + ": " + std::to_string(bin.observed)));
        lines.push_back(rect(x + bar, bin.expected, "silver",
                             binText(bin) + ": " + formatted("%.1f", bin.expected)));
        if (i % every == 0 || i + 1 == n)
            lines.push_back(
                "<text x=\"" + std::to_string(x + bar) + "\" y=\"" + std::to_string(kHeight - 10) +
                "\" font-size=\"11\" text-anchor=\"middle\">" + binText(bin) + "</text>");
    }
    lines.emplace_back("</svg>");
    return lines;
}

reports::HtmlReport randomnessReport(const RandomnessResult& result, const RandomnessDraws& source,
                                     const std::function<std::string(int row)>& caption,
                                     const ui::DateTime& now) {
    reports::HtmlReport report;
    const std::string product = kReportProduct;
    report.title = product + " Проверка случайности. " + base::kProductAddress;
    std::vector<const RowRandomness*> byP;
    for (const RowRandomness& r : result.rows)
        byP.push_back(&r);
    std::stable_sort(byP.begin(), byP.end(),
                     [](const RowRandomness* a, const RowRandomness* b) { return a->p < b->p; });
    auto captionOf = [&](int row) { return reports::escapeHtml(caption ? caption(row) : ""); };
    const std::string k = std::to_string(result.rowsBelowLevel);
    std::vector<std::string> further{
        "<p>Тиражей: " + std::to_string(result.draws) + " (" +
            (source.fromArchive ? "архив тиражей" : "таблица тиражей") + ", с " +
            reports::escapeHtml(source.firstDate) + " по " + reports::escapeHtml(source.lastDate) +
            "). Для каждого фильтра первого прохода значения на прошлых тиражах сравниваются со "
            "значениями всех перестановок: столько тиражей выпало бы с каждым значением в "
            "среднем, если бы тиражи были случайными перестановками.</p>",
        result.rowsBelowLevel == 0
            ? "<p><strong>Ни один фильтр не отличает прошлые тиражи от случайных перестановок: "
              "ни у одной строки q не опускается ниже 0.05.</strong> Прошлые тиражи "
              "не дают фильтрам знания о будущих.</p>"
            : "<p><strong>Прошлые тиражи отличаются от случайных перестановок по строкам: " + k +
                  " (q меньше 0.05).</strong> Так бывает, когда тиражи не вполне случайны или в "
                  "таблице есть ошибки; прежде чем полагаться на такое отличие, проверьте его "
                  "на новых тиражах.</p>",
        "<p>Частоты чисел против равной доли 5D/N: chi2 " + formatted("%.2f", result.numbersChi2) +
            ", p " + formatted("%.4f", result.numbersP) + ".</p>",
        "<p>p - вероятность получить у случайных перестановок отличие не меньше этого; q - та же "
        "вероятность с поправкой на то, что проверено много строк сразу (Бенджамини-Хохберг). "
        "Среди многих строк малые p бывают и у случайных тиражей; о настоящем отличии говорит "
        "только малое q.</p>"};
    const std::size_t shown = std::min<std::size_t>(6, byP.size());
    if (shown > 0)
        further.emplace_back("<p>Строки с наименьшими p: тиражи (тёмные столбцы) против "
                             "ожидаемого у случайных перестановок (серые):</p>");
    for (std::size_t i = 0; i < shown; ++i) {
        const RowRandomness& r = *byP[i];
        further.push_back("<p>Строка " + std::to_string(r.row) + ": " + captionOf(r.row) + "; p " +
                          formatted("%.4f", r.p) + ", q " + formatted("%.4f", r.q) + "</p>");
        const auto bars = binBarsSvg(r);
        further.insert(further.end(), bars.begin(), bars.end());
    }
    report.heading = reports::standardHeading(
        "<strong>" + product + "</strong><br>",
        {"<strong>Проверка случайности: отличаются ли прошлые тиражи от случайных "
         "перестановок.</strong><br>"},
        base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows,
                            {"Строка", "Фильтр", "Тиражей", "Интервалов", "chi2", "p", "q"});
    for (const RowRandomness* r : byP)
        reports::appendTableRow(
            report.rows,
            {std::to_string(r->row), captionOf(r->row), std::to_string(result.draws),
             std::to_string(r->bins.size()), formatted("%.2f", r->chi2), formatted("%.4f", r->p),
             r->q < kRandomnessLevel ? "<strong>" + formatted("%.4f", r->q) + "</strong>"
                                     : formatted("%.4f", r->q)});
    report.footer = reportFooterLines(now);
    return report;
}

} // namespace vargis::commands
