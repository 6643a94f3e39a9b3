#include "history/DrawImport.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "context/Workspace.h"
#include "filters/ChartModel.h"
#include "history/DrawGrid.h"
#include "history/DrawHistory.h"
#include "history/DrawLineReader.h"
#include "ui/Form.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <tuple>

namespace vargis::history {

namespace {

// A draws file is a few kilobytes; anything far larger was chosen by mistake.
constexpr std::uintmax_t kMaxImportBytes = 16u * 1024u * 1024u;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Fewer draws than this and the combine and the back-test refuse to run.
constexpr std::size_t kDrawsForForecast = 15;

bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (i + extra >= text.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

// Control characters other than the tab mean the file is not text.
bool looksBinary(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
}

std::string where(const std::string& source, int line) {
    return source + ", строка " + std::to_string(line);
}

// "30.07.2026: 16 32 18 10 19 (строка 2)".
std::string drawText(const ImportedDraw& draw) {
    std::string text = drawDateText(draw.date) + ":";
    for (int n : draw.numbers)
        text += " " + std::to_string(n);
    return text + " (строка " + std::to_string(draw.line) + ")";
}

std::string dateSpan(const std::vector<ImportedDraw>& draws) {
    return "(с " + drawDateText(draws.front().date) + " по " + drawDateText(draws.back().date) +
           ")";
}

} // namespace

std::string drawDateText(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", date.day % 100, date.month % 100,
                  date.year % 10000);
    return buf;
}

DrawFile parseDrawLines(const std::vector<std::string>& lines, int highestNumber,
                        const std::string& source) {
    bool utf8 = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (i == 0 && line.substr(0, kUtf8Mark.size()) == kUtf8Mark)
            line.remove_prefix(kUtf8Mark.size());
        utf8 = utf8 && validUtf8(line);
    }
    DrawFile file;
    HeaderColumns header;
    bool headerPossible = true;
    DrawColumns firstColumns;
    std::string otherColumns;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        std::string_view raw = lines[i];
        if (i == 0 && raw.substr(0, kUtf8Mark.size()) == kUtf8Mark)
            raw.remove_prefix(kUtf8Mark.size());
        if (looksBinary(raw))
            throw ConversionError(where(source, lineNo) + ": не текст (двоичные данные)");
        const auto tokens = splitDrawLine(utf8 ? std::string(raw) : fromCp1251(raw));
        if (tokens.empty())
            continue;
        const bool dated = std::any_of(tokens.begin(), tokens.end(), [](const LineToken& t) {
            return t.kind == LineToken::Kind::Date;
        });
        if (headerPossible && !dated) {
            header = HeaderColumns(tokens);
            headerPossible = false;
            continue;
        }
        headerPossible = false;
        const LineDraw read = readDrawLine(tokens, header, highestNumber, where(source, lineNo));
        if (file.draws.empty())
            firstColumns = read.columns;
        else if (otherColumns.empty() && !(read.columns == firstColumns))
            otherColumns =
                "; в строке " + std::to_string(lineNo) + ": " + describeColumns(read.columns);
        file.draws.push_back({read.date, read.numbers, lineNo});
    }
    if (file.draws.empty())
        throw ConversionError(source + ": в файле нет ни одного тиража");
    file.layout = describeColumns(firstColumns) + otherColumns;
    return file;
}

std::vector<ImportedDraw> orderDraws(std::vector<ImportedDraw> draws) {
    if (!draws.empty() && dateKey(draws.front().date) > dateKey(draws.back().date))
        std::reverse(draws.begin(), draws.end());
    std::stable_sort(draws.begin(), draws.end(), [](const ImportedDraw& a, const ImportedDraw& b) {
        return dateKey(a.date) < dateKey(b.date);
    });
    std::vector<ImportedDraw> unique;
    for (auto& draw : draws) {
        // Draws of one date are neighbours once sorted: a repeat is among
        // the last ones kept.
        bool repeated = false;
        for (auto kept = unique.rbegin();
             kept != unique.rend() && dateKey(kept->date) == dateKey(draw.date); ++kept)
            repeated = repeated || kept->numbers == draw.numbers;
        if (!repeated)
            unique.push_back(std::move(draw));
    }
    return unique;
}

std::vector<ImportedDraw> newestDraws(const std::vector<ImportedDraw>& draws) {
    const auto keep = std::min(draws.size(), static_cast<std::size_t>(context::kMaxDraws));
    return {draws.end() - static_cast<std::ptrdiff_t>(keep), draws.end()};
}

DrawFile readDrawFile(const std::string& path, int highestNumber) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxImportBytes)
        throw FileError(path + ": файл слишком велик для таблицы тиражей");
    DrawFile file = parseDrawLines(readLines(path, kMaxImportBytes), highestNumber, path);
    const std::size_t read = file.draws.size();
    file.draws = orderDraws(std::move(file.draws));
    file.repeats = static_cast<int>(read - file.draws.size());
    return file;
}

std::string importQuestion(const DrawFile& file) {
    if (file.draws.empty())
        return "В файле нет тиражей";
    const auto kept = newestDraws(file.draws);
    std::string text =
        "Тиражей в файле: " + std::to_string(file.draws.size()) + " " + dateSpan(file.draws);
    if (file.repeats > 0)
        text += ", повторы пропущены: " + std::to_string(file.repeats);
    text += ".\r\n";
    if (kept.size() < file.draws.size())
        text += "В таблицу войдут последние " + std::to_string(kept.size()) + " " + dateSpan(kept) +
                ".\r\n";
    text += "Прочитано: " + file.layout + ".\r\n";
    text += "Первый тираж: " + drawText(kept.front()) + "\r\n";
    text += "Последний тираж: " + drawText(kept.back()) + "\r\n";
    if (kept.size() < kDrawsForForecast)
        text += "Тиражей меньше 15: \"фильтры объединить\" и \"Проверка стратегии\"\r\n"
                "не запустятся, пока их не станет 15.\r\n";
    return text + "Заменить ими таблицу тиражей ?";
}

std::vector<std::string> importedDrawLines(const std::vector<ImportedDraw>& draws) {
    if (draws.empty() || draws.size() > static_cast<std::size_t>(context::kMaxDraws))
        throw RangeError("Импорт: " + std::to_string(draws.size()) + " тиражей вне 1..50");
    std::vector<std::string> lines;
    for (const auto& draw : draws) {
        std::array<std::string, 6> cells{drawDateText(draw.date)};
        for (std::size_t k = 0; k < 5; ++k)
            cells[k + 1] = std::to_string(draw.numbers[k]);
        lines.push_back(drawLine(cells));
    }
    return lines;
}

void writeImportedDraws(const context::Workspace& ws, const std::vector<ImportedDraw>& draws) {
    writeDrawLines(statisticsPath(ws.kindFolder), importedDrawLines(draws));
}

void replaceDrawHistory(context::Workspace& ws, ui::Form& form,
                        const std::vector<ImportedDraw>& draws) {
    writeImportedDraws(ws, draws);
    reloadImportedHistory(ws, form);
}

void reloadImportedHistory(context::Workspace& ws, ui::Form& form) {
    reloadAfterSave(ws, form);
    filters::clearChart(ws, form);
    form.at(filters::kChart).chart.title = {""};
}

} // namespace vargis::history
