#include "commands/StrategyReports.h"

#include "base/ProductInfo.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "commands/CombineSweep.h"
#include "context/AppContext.h"
#include "engine/StrategySearch.h"
#include "filters/ImageBase.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace vargis::commands {

using namespace engine;

namespace {

constexpr const char* kProduct = kReportProduct;

std::string percent(double numerator, double denominator) {
    if (denominator <= 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", 100.0 * numerator / denominator);
    return text;
}

// The enabled rows with their conditions and parameters, and the playing
// numbers, as heading lines.
std::vector<std::string> settingsLines(const StrategyFacts& facts) {
    std::vector<std::string> lines{"<p><strong>Включённые фильтры:</strong></p>", "<ul>"};
    for (int row : facts.enabledRows) {
        const auto found = facts.captions.find(row);
        const std::string caption = found == facts.captions.end() ? "" : found->second;
        lines.push_back("<li>" + std::to_string(row) + ": " + reports::escapeHtml(caption) +
                        "</li>");
    }
    lines.emplace_back("</ul>");
    lines.push_back("<p><strong>Играют числа:</strong> " +
                    reports::escapeHtml(facts.playingNumbers) + "</p>");
    return lines;
}

// Whether the sweep reads the row's parameter from its label (the steps of
// one row each in the first pass) rather than from field 3.
bool parameterFromLabel(int row) {
    static const std::set<int> rows = [] {
        std::set<int> fromCaption;
        for (const catalogue::FirstStepLine& line : catalogue::firstPassLines())
            if (line.parameterFrom == catalogue::ParameterFrom::Caption)
                fromCaption.insert(line.rows.begin(), line.rows.end());
        return fromCaption;
    }();
    return rows.count(row) != 0;
}

// A row per target: ordinal, date, remaining, kept, the four counters; a
// kept target's date in bold with `boldKeptDates`.
void appendTargetRows(std::vector<std::string>& rows, const BacktestResult& result,
                      bool boldKeptDates) {
    for (const BacktestTarget& t : result.targets) {
        const std::string date = reports::escapeHtml(t.date);
        if (t.stopRow != 0) {
            reports::appendTableRow(rows,
                                    {std::to_string(t.ordinal), date,
                                     "0 (остановлено на строке " + std::to_string(t.stopRow) + ")",
                                     "нет", "-", "-", "-", "-"});
            continue;
        }
        reports::appendTableRow(
            rows, {std::to_string(t.ordinal),
                   t.kept && boldKeptDates ? "<strong>" + date + "</strong>" : date,
                   std::to_string(t.remaining), t.kept ? "<strong>да</strong>" : "нет",
                   std::to_string(t.counters[0]), std::to_string(t.counters[1]),
                   std::to_string(t.counters[2]), std::to_string(t.counters[3])});
    }
}

} // namespace

std::string svgText(int x, int y, const std::string& anchor, const std::string& body) {
    return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\" font-size=\"11\" text-anchor=\"" + anchor + "\">" + body + "</text>";
}

std::vector<std::string> chartAxes(int width, int height, int left, int top, int bottom,
                                   const std::string& topLabel, const std::string& bottomLabel) {
    return {"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
                "\" height=\"" + std::to_string(height) + "\" style=\"background:#ffffff\">",
            "<line x1=\"" + std::to_string(left) + "\" y1=\"" + std::to_string(bottom) +
                "\" x2=\"" + std::to_string(width - 5) + "\" y2=\"" + std::to_string(bottom) +
                "\" stroke=\"black\"/>",
            "<line x1=\"" + std::to_string(left) + "\" y1=\"" + std::to_string(top) + "\" x2=\"" +
                std::to_string(left) + "\" y2=\"" + std::to_string(bottom) +
                "\" stroke=\"black\"/>",
            svgText(left - 4, top + 10, "end", topLabel),
            svgText(left - 4, bottom, "end", bottomLabel)};
}

std::vector<std::string> reportFrameLines() {
    return {"<table width=\"80%\" border=0 cellpadding=0 cellspacing=\"0\">",
            "<tr><td bgcolor=\"#C0C0C0\">",
            "<table width=\"100%\" border=0 cellpadding=3 cellspacing=\"1\">"};
}

std::vector<std::string> reportFooterLines(const ui::DateTime& now) {
    return {"<small>" + std::string(kProduct) + "</small><br>",
            "<small>" + filters::formatDate(now) + "г., " + filters::formatTime(now) + "</small>"};
}

StrategyFacts strategyFacts(context::AppContext& app) {
    const context::Workspace& ws = app.workspace();
    StrategyFacts facts;
    facts.drawCount = ws.drawCount();
    for (int j = 1; j <= ws.drawCount(); ++j)
        facts.dates.push_back(ws.history.record(j).date());
    for (int row = 1; row <= context::kFilterRows; ++row) {
        // As the button shows it: the stem with its condition, then the parameter.
        const auto& r = ws.filters.row(row);
        std::string caption = r.field(7) + r.field(5);
        if (!catalogue::rowControls(row).paramLabel.empty())
            caption += " " + (parameterFromLabel(row) ? ws.settings.parameter(row) : r.field(3));
        facts.captions[row] = caption;
    }
    const FirstPassInput first = firstPassInput(app);
    for (const auto& r : planFirstPass(firstPassSteps(first.highestNumber), first).rows)
        facts.enabledRows.push_back(r.row);
    for (int row : secondPassRowOrder())
        if (ws.filters.row(row).field(4) == "True")
            facts.enabledRows.push_back(row);
    for (int x = 1; x <= ws.highestNumber; ++x)
        if (ws.digits.plays(x))
            facts.playingNumbers += (facts.playingNumbers.empty() ? "" : ", ") + std::to_string(x);
    return facts;
}

namespace {

// The widest a label of `chars` characters is drawn at font size 11 by the
// usual sans-serif faces (digits are about 0.55..0.64 of the size).
int labelWidth(std::size_t chars) {
    return static_cast<int>(chars) * 7;
}

} // namespace

std::vector<std::string> remainingChartSvg(const BacktestResult& result, bool byDate) {
    constexpr int kWidth = 640, kHeight = 220, kLeft = 70, kBottom = 30, kTop = 10;
    // The labels stand centred under their points: the last point keeps half
    // a label's width from the right edge, and two labels keep a gap.
    constexpr int kLabelGap = 8;
    const int widest = labelWidth(byDate ? std::string("dd.mm.yyyy").size() : 3);
    const int kRight = std::max(10, widest / 2 + 4);
    // The axis spans the remaining counts of the targets that ran; a target
    // that stopped is drawn on the lower edge.
    std::int32_t lowest = 0, highest = 0;
    bool any = false;
    for (const auto& t : result.targets) {
        if (t.stopRow != 0)
            continue;
        lowest = any ? std::min(lowest, t.remaining) : t.remaining;
        highest = any ? std::max(highest, t.remaining) : t.remaining;
        any = true;
    }
    const std::int32_t margin = std::max<std::int32_t>(1, (highest - lowest) / 20);
    lowest = std::max<std::int32_t>(0, lowest - margin);
    highest += margin;
    const std::size_t n = result.targets.size();
    auto x = [&](std::size_t i) {
        return kLeft + (n <= 1 ? 0 : static_cast<int>(i * (kWidth - kLeft - kRight) / (n - 1)));
    };
    auto y = [&](const BacktestTarget& t) {
        const std::int32_t v = t.stopRow != 0 ? lowest : std::clamp(t.remaining, lowest, highest);
        return kTop + static_cast<int>(static_cast<long long>(kHeight - kTop - kBottom) *
                                       (highest - v) / (highest - lowest));
    };
    const int bottom = kHeight - kBottom;
    const auto text = svgText;
    std::vector<std::string> lines = chartAxes(kWidth, kHeight, kLeft, kTop, bottom,
                                               std::to_string(highest), std::to_string(lowest));
    // Many targets of an archive get smaller marks, so the curve stays visible.
    const std::string radius = byDate && n > 100 ? "2" : "4";
    std::string points;
    for (std::size_t i = 0; i < n; ++i)
        points += std::to_string(x(i)) + "," + std::to_string(y(result.targets[i])) + " ";
    lines.push_back("<polyline fill=\"none\" stroke=\"navy\" stroke-width=\"2\" points=\"" +
                    points + "\"/>");
    // Labels go left to right where they clear the one before and leave room
    // for the last, which is always labelled.
    int lastLabelX = 0;
    auto labelFits = [&](std::size_t i) {
        const int step = widest + kLabelGap;
        return i + 1 == n || ((i == 0 || x(i) - lastLabelX >= step) && x(n - 1) - x(i) >= step);
    };
    for (std::size_t i = 0; i < n; ++i) {
        const BacktestTarget& t = result.targets[i];
        lines.push_back("<circle cx=\"" + std::to_string(x(i)) + "\" cy=\"" + std::to_string(y(t)) +
                        "\" r=\"" + radius + "\" fill=\"" + (t.kept ? "green" : "red") +
                        "\"><title>" +
                        (byDate ? reports::escapeHtml(t.date) : std::to_string(t.ordinal)) + ": " +
                        (t.stopRow != 0 ? "0" : std::to_string(t.remaining)) + "</title></circle>");
        // About ten dates, or every fifth ordinal, the first and the last
        // among them.
        constexpr std::size_t kDateLabels = 10;
        const std::size_t every = std::max<std::size_t>(1, (n + kDateLabels - 1) / kDateLabels);
        const bool wanted = i == 0 || i + 1 == n || (byDate ? i % every == 0 : t.ordinal % 5 == 0);
        if (wanted && labelFits(i)) {
            lines.push_back(text(x(i), kHeight - 10, "middle",
                                 byDate ? reports::escapeHtml(t.date) : std::to_string(t.ordinal)));
            lastLabelX = x(i);
        }
    }
    lines.emplace_back("</svg>");
    return lines;
}

std::vector<std::string> chanceSummaryLines(const BacktestResult& result,
                                            std::int32_t combinationCount) {
    const ChanceBaseline chance = backtestChance(result, combinationCount);
    char expected[32], lift[32] = "-", pValue[32];
    std::snprintf(expected, sizeof expected, "%.1f", chance.expected);
    if (chance.lift)
        std::snprintf(lift, sizeof lift, "%.3f", *chance.lift);
    std::snprintf(pValue, sizeof pValue, "%.4f", chance.pValue);
    const std::string kept = std::to_string(result.keptCount());
    return {"<p>Случайный выбор того же числа перестановок сохранил бы в среднем " +
                std::string(expected) + " из " + std::to_string(result.targets.size()) +
                " тиражей.<br>",
            "Отношение сохранённых тиражей к этому среднему: " + std::string(lift) + ".<br>",
            "Вероятность сохранить " + kept + " или больше тиражей случайным выбором: " + pValue +
                ".<br>",
            "Для честных тиражей фильтры сохраняют будущий тираж ровно с долей перестановок, "
            "которые они оставляют, что бы ни показали прошлые тиражи.</p>"};
}

std::vector<std::string> runningKeptChartSvg(const BacktestResult& result,
                                             std::int32_t combinationCount, bool byDate) {
    constexpr int kWidth = 640, kHeight = 220, kLeft = 70, kBottom = 30, kTop = 10;
    const std::size_t n = result.targets.size();
    std::vector<double> expected(n), kept(n);
    double e = 0, k = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const BacktestTarget& t = result.targets[i];
        if (t.stopRow == 0 && combinationCount > 0)
            e += static_cast<double>(std::clamp(t.remaining, 0, combinationCount)) /
                 combinationCount;
        k += t.kept ? 1 : 0;
        expected[i] = e;
        kept[i] = k;
    }
    const double highest = std::max({1.0, e, k});
    const int bottom = kHeight - kBottom;
    auto x = [&](std::size_t i) {
        return kLeft + (n <= 1 ? 0 : static_cast<int>(i * (kWidth - kLeft - 10) / (n - 1)));
    };
    auto y = [&](double v) {
        return kTop + static_cast<int>((kHeight - kTop - kBottom) * (highest - v) / highest);
    };
    const auto text = svgText;
    auto polyline = [&](const std::vector<double>& values, const std::string& style) {
        std::string points;
        for (std::size_t i = 0; i < n; ++i)
            points += std::to_string(x(i)) + "," + std::to_string(y(values[i])) + " ";
        return "<polyline fill=\"none\" " + style + " points=\"" + points + "\"/>";
    };
    char top[32];
    std::snprintf(top, sizeof top, "%.0f", highest);
    std::vector<std::string> lines = chartAxes(kWidth, kHeight, kLeft, kTop, bottom, top, "0");
    if (n > 0) {
        lines.push_back(polyline(expected, "stroke=\"gray\" stroke-width=\"2\" "
                                           "stroke-dasharray=\"6,4\""));
        lines.push_back(polyline(kept, "stroke=\"green\" stroke-width=\"2\""));
        const BacktestTarget& first = result.targets.front();
        const BacktestTarget& last = result.targets.back();
        lines.push_back(
            text(x(0), kHeight - 10, "middle",
                 byDate ? reports::escapeHtml(first.date) : std::to_string(first.ordinal)));
        if (n > 1)
            lines.push_back(
                text(x(n - 1), kHeight - 10, "middle",
                     byDate ? reports::escapeHtml(last.date) : std::to_string(last.ordinal)));
    }
    lines.push_back(text(kLeft + 10, kTop + 12, "start",
                         "зелёным - сохранено фильтрами, серым - в среднем случайным выбором"));
    lines.emplace_back("</svg>");
    return lines;
}

reports::HtmlReport backtestReport(const StrategyFacts& facts, const BacktestResult& result,
                                   std::int32_t combinationCount, const ui::DateTime& now) {
    reports::HtmlReport report;
    report.title = std::string(kProduct) + " Проверка стратегии. " + base::kProductAddress;
    std::vector<std::string> further = settingsLines(facts);
    further.push_back(
        "<p><strong>Тиражи сохранены фильтрами: " + std::to_string(result.keptCount()) + " из " +
        std::to_string(result.targets.size()) + ".</strong></p>");
    const auto chance = chanceSummaryLines(result, combinationCount);
    further.insert(further.end(), chance.begin(), chance.end());
    further.emplace_back("<p>Перестановок в игре по тиражам (зелёным - тираж сохранён, "
                         "красным - отсеян):</p>");
    const auto chart = remainingChartSvg(result);
    further.insert(further.end(), chart.begin(), chart.end());
    further.emplace_back("<p>Сохранённых тиражей нарастающим итогом рядом с тем, что в среднем "
                         "сохранил бы случайный выбор:</p>");
    const auto running = runningKeptChartSvg(result, combinationCount);
    further.insert(further.end(), running.begin(), running.end());
    report.heading = reports::standardHeading(
        "<strong>" + std::string(kProduct) + "</strong><br>",
        {"<strong>Проверка стратегии: фильтры на каждом прошлом тираже.</strong><br>"},
        base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows, {"Тираж", "Дата", "Перестановок в игре", "Тираж сохранён",
                                          "5 чисел", "4 числа", "3 числа", "2 числа"});
    appendTargetRows(report.rows, result, false);
    report.footer = reportFooterLines(now);
    return report;
}

double medianRemaining(const BacktestResult& result) {
    std::vector<std::int32_t> counts;
    for (const BacktestTarget& t : result.targets)
        counts.push_back(t.stopRow != 0 ? 0 : t.remaining);
    return engine::medianOf(std::move(counts));
}

reports::HtmlReport archiveBacktestReport(const StrategyFacts& facts, const BacktestResult& result,
                                          std::int32_t combinationCount, const ui::DateTime& now) {
    reports::HtmlReport report;
    report.title =
        std::string(kProduct) + " Проверка стратегии по архиву. " + base::kProductAddress;
    const double median = medianRemaining(result);
    // The median is a whole count or half way between two.
    const auto twice = static_cast<std::int64_t>(median * 2);
    const std::string medianText = std::to_string(twice / 2) + (twice % 2 != 0 ? ".5" : "");
    // A small share keeps four decimals, so that it does not read as 0.
    char shareText[32];
    const double share = combinationCount > 0 ? 100.0 * median / combinationCount : 0;
    if (share == 0 || share >= 0.01)
        std::snprintf(shareText, sizeof shareText, "%.2f%%", share);
    else
        std::snprintf(shareText, sizeof shareText, "%.4f%%", share);
    std::vector<std::string> further{
        "<p><strong>Тиражи сохранены фильтрами: " + std::to_string(result.keptCount()) + " из " +
            std::to_string(result.targets.size()) + ".</strong><br>",
        "<strong>Медиана перестановок в игре: " + medianText + " - " + shareText + " всех " +
            std::to_string(combinationCount) + " перестановок.</strong></p>"};
    const auto chance = chanceSummaryLines(result, combinationCount);
    further.insert(further.end(), chance.begin(), chance.end());
    if (!result.targets.empty())
        further.push_back("<p>Тиражи архива с " + reports::escapeHtml(result.targets.front().date) +
                          " по " + reports::escapeHtml(result.targets.back().date) +
                          "; для каждого таблица - до 50 тиражей архива, последний из них - "
                          "прогнозируемый.</p>");
    const std::vector<std::string> settings = settingsLines(facts);
    further.insert(further.end(), settings.begin(), settings.end());
    further.emplace_back("<p>Перестановок в игре по датам тиражей (зелёным - тираж сохранён, "
                         "красным - отсеян):</p>");
    const auto chart = remainingChartSvg(result, true);
    further.insert(further.end(), chart.begin(), chart.end());
    further.emplace_back("<p>Сохранённых тиражей нарастающим итогом рядом с тем, что в среднем "
                         "сохранил бы случайный выбор:</p>");
    const auto running = runningKeptChartSvg(result, combinationCount, true);
    further.insert(further.end(), running.begin(), running.end());
    report.heading = reports::standardHeading(
        "<strong>" + std::string(kProduct) + "</strong><br>",
        {"<strong>Проверка стратегии по архиву: фильтры на каждом тираже архива с 15-го."
         "</strong><br>"},
        base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows,
                            {"Тираж архива", "Дата", "Перестановок в игре", "Тираж сохранён",
                             "5 чисел", "4 числа", "3 числа", "2 числа"});
    appendTargetRows(report.rows, result, true);
    report.footer = reportFooterLines(now);
    return report;
}

reports::HtmlReport worthReport(const StrategyFacts& facts, const WorthResult& result,
                                const ui::DateTime& now) {
    reports::HtmlReport report;
    report.title = std::string(kProduct) + " Эффективность фильтров. " + base::kProductAddress;
    std::vector<std::string> further = settingsLines(facts);
    further.push_back(
        "<p><strong>" +
        (result.stopRow != 0
             ? "Все фильтры вместе не оставляют перестановок (остановка на строке " +
                   std::to_string(result.stopRow) + ")."
             : "Все фильтры вместе оставляют перестановок: " + std::to_string(result.remaining) +
                   " из " + std::to_string(result.combinationCount) + ".") +
        "</strong></p>");
    report.heading = reports::standardHeading("<strong>" + std::string(kProduct) + "</strong><br>",
                                              {"<strong>Эффективность фильтров.</strong><br>"},
                                              base::kProductAddress, further);
    report.frame = reportFrameLines();
    reports::appendTableRow(report.rows,
                            {"Строка", "Фильтр", "Выполнялся в тиражах", "Доля тиражей",
                             "Пропускает перестановок", "Доля перестановок", "Убирает только он",
                             "Отношение долей"});
    for (const WorthRow& r : result.rows) {
        const auto found = facts.captions.find(r.row);
        const std::string caption = found == facts.captions.end() ? "" : found->second;
        const double passShare =
            static_cast<double>(r.passes) / std::max(1, result.combinationCount);
        std::string met = "-", metShare = "-", ratio = "-";
        if (r.met) {
            met = std::to_string(*r.met) + " из " + std::to_string(facts.drawCount);
            metShare = percent(*r.met, facts.drawCount);
            if (facts.drawCount > 0 && passShare > 0) {
                char text[32];
                std::snprintf(text, sizeof text, "%.2f",
                              (static_cast<double>(*r.met) / facts.drawCount) / passShare);
                ratio = text;
            }
        }
        reports::appendTableRow(
            report.rows,
            {std::to_string(r.row), reports::escapeHtml(caption), met, metShare,
             std::to_string(r.passes) + " из " + std::to_string(result.combinationCount),
             percent(r.passes, result.combinationCount), std::to_string(r.unique), ratio});
    }
    report.footer = {"<p>Отношение долей - доля прошлых тиражей, на которых фильтр выполнялся, "
                     "делённая на долю всех перестановок, которые он пропускает. Больше 1: "
                     "в прошлом фильтр выполнялся чаще, чем для случайной перестановки, и "
                     "отсеивает в основном то, что не выпадало; меньше 1: реже, и фильтр чаще "
                     "отсеивает выигрышные перестановки, чем случайные.</p>"};
    const auto footer = reportFooterLines(now);
    report.footer.insert(report.footer.end(), footer.begin(), footer.end());
    return report;
}

} // namespace vargis::commands
