#include "history/DrawImport.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "context/Workspace.h"
#include "filters/ChartModel.h"
#include "history/DrawFileCodec.h"
#include "history/DrawGrid.h"
#include "history/DrawLineReader.h"
#include "ui/Form.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
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

namespace {

// A draw as the first reading of the file keeps it: compact, since an
// archive may hold a hundred thousand of them.
struct ReadDraw {
    int index = 0; // of the line, from 0
    int first = 0;
    int second = 0;
    int year = 0;
    bool ordered = false;
    int minutes = -1;
    std::array<std::int16_t, 5> numbers{};
    DrawColumns columns;
};

// A line with words that is not a draw.
struct NotDraw {
    int index = 0;
    bool dated = false;
    bool drawLike = false; // five numbers or more: a draw gone wrong
    std::exception_ptr error;
};

enum class Fault { None, Value, NumberAbove };

// The first fault checkDrawShape finds in a draw, without building texts.
Fault firstFault(const ReadDraw& d, int highest, DateOrder order) {
    const bool monthFirst = !d.ordered && order == DateOrder::MonthFirst;
    if (!calendarDate(monthFirst ? d.second : d.first, monthFirst ? d.first : d.second, d.year) ||
        d.minutes == -2)
        return Fault::Value;
    for (std::size_t k = 0; k < 5; ++k) {
        if (d.numbers[k] < 1)
            return Fault::Value;
        if (d.numbers[k] > highest)
            return Fault::NumberAbove;
        for (std::size_t j = 0; j < k; ++j)
            if (d.numbers[j] == d.numbers[k])
                return Fault::Value;
    }
    return Fault::None;
}

// The numbers after a line's first date.
std::ptrdiff_t numbersAfterDate(const std::vector<LineToken>& tokens) {
    const auto date = std::find_if(tokens.begin(), tokens.end(), [](const LineToken& t) {
        return t.kind == LineToken::Kind::Date;
    });
    return date == tokens.end() ? 0 : std::count_if(date, tokens.end(), [](const LineToken& t) {
        return t.kind == LineToken::Kind::Number;
    });
}

bool blankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The lines of a file as UTF-8 text, the byte-order mark left out.
class FileText {
public:
    explicit FileText(const std::vector<std::string>& lines) : lines_(lines) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            utf8_ = utf8_ && validUtf8(raw(i));
    }
    std::string_view raw(std::size_t i) const {
        std::string_view line = lines_[i];
        if (i == 0 && line.substr(0, kUtf8Mark.size()) == kUtf8Mark)
            line.remove_prefix(kUtf8Mark.size());
        return line;
    }
    std::vector<LineToken> tokens(std::size_t i) const {
        return splitDrawLine(utf8_ ? std::string(raw(i)) : fromCp1251(raw(i)));
    }
    std::size_t size() const { return lines_.size(); }

private:
    const std::vector<std::string>& lines_;
    bool utf8_ = true;
};

} // namespace

DrawFile parseDrawLines(const std::vector<std::string>& lines, int highestNumber,
                        const std::string& source, DateOrder order) {
    const FileText text(lines);
    // Lines without a token (rulers, a lone quote) count only at the edges.
    std::vector<char> tokenless(lines.size(), 0);
    std::vector<ReadDraw> read;
    read.reserve(lines.size());
    std::vector<NotDraw> notDraws;
    HeaderColumns header;
    int highestRead = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const std::string_view raw = text.raw(i);
        if (looksBinary(raw))
            throw ConversionError(where(source, lineNo) + ": не текст (двоичные данные)");
        if (blankLine(raw))
            continue;
        const auto tokens = text.tokens(i);
        if (tokens.empty()) {
            tokenless[i] = 1;
            continue;
        }
        try {
            const DrawShape shape = readDrawShape(tokens, header, where(source, lineNo));
            ReadDraw d{static_cast<int>(i),
                       shape.date.first,
                       shape.date.second,
                       shape.date.year,
                       shape.date.ordered,
                       shape.minutes,
                       {},
                       shape.columns};
            for (std::size_t k = 0; k < 5; ++k) {
                const int value = drawNumberValue(shape.numbers[k]);
                d.numbers[k] = static_cast<std::int16_t>(value);
                highestRead = std::max(highestRead, value);
            }
            read.push_back(d);
        } catch (const VargisError&) {
            const auto count = [&](LineToken::Kind kind) {
                return std::count_if(tokens.begin(), tokens.end(),
                                     [kind](const LineToken& t) { return t.kind == kind; });
            };
            const bool dated = count(LineToken::Kind::Date) > 0;
            const HeaderColumns named(tokens);
            const bool drawLike = (count(LineToken::Kind::Number) >= 5 && !named.recognised()) ||
                                  numbersAfterDate(tokens) >= 2;
            notDraws.push_back({static_cast<int>(i), dated, drawLike, std::current_exception()});
            // The last words before the first draw name its columns.
            if (read.empty() && !dated)
                header = named;
        }
    }

    if (read.empty()) {
        for (bool dated : {false, true})
            for (const auto& n : notDraws)
                if (dated ? n.dated : n.drawLike)
                    std::rethrow_exception(n.error);
        throw ConversionError(source + ": в файле нет ни одного тиража");
    }
    const int firstIndex = read.front().index;
    const int lastIndex = read.back().index;

    DrawFile file;
    // The order of day and month over the whole file.
    const ReadDraw* dayFirst = nullptr;
    const ReadDraw* monthFirst = nullptr;
    bool unordered = false;
    for (const auto& d : read) {
        unordered = unordered || !d.ordered;
        if (!d.ordered && d.first > 12 && !dayFirst)
            dayFirst = &d;
        if (!d.ordered && d.second > 12 && !monthFirst)
            monthFirst = &d;
    }
    const bool clash = order == DateOrder::Auto && dayFirst && monthFirst;
    if (order == DateOrder::Auto) {
        order = monthFirst && !dayFirst ? DateOrder::MonthFirst : DateOrder::DayFirst;
        file.dayFirstAssumed = unordered && !dayFirst && !monthFirst;
    }

    // Every fault in the order of the lines: a line that reads as a draw gone
    // wrong anywhere, a line that is not a draw between two draws, a draw
    // whose values do not hold. Dates that disagree on the order are read
    // each as it fits, and refused together after the other faults.
    auto notDraw = notDraws.begin();
    for (const auto& d : read) {
        for (; notDraw != notDraws.end() && notDraw->index < d.index; ++notDraw)
            if (notDraw->drawLike || notDraw->index > firstIndex)
                std::rethrow_exception(notDraw->error);
        const DateOrder lineOrder =
            clash && d.second > 12 && d.first <= 12 ? DateOrder::MonthFirst : order;
        const Fault fault = firstFault(d, highestNumber, lineOrder);
        if (fault == Fault::None)
            continue;
        const std::string at = where(source, d.index + 1);
        try {
            checkDrawShape(
                readDrawShape(text.tokens(static_cast<std::size_t>(d.index)), header, at),
                highestNumber, lineOrder, at);
        } catch (const RangeError& e) {
            if (fault == Fault::NumberAbove && highestRead <= kHighestKindNumber) {
                const std::string kind = std::to_string(highestRead);
                throw KindMismatch(std::string(e.what()) + "; числа до " + kind +
                                       ": похоже на лотерею 5 из " + kind,
                                   highestRead);
            }
            throw;
        }
        throw ConversionError(at + ": тираж не прочитан");
    }
    for (; notDraw != notDraws.end(); ++notDraw)
        if (notDraw->drawLike)
            std::rethrow_exception(notDraw->error);
    if (clash) {
        auto dateAt = [&](const ReadDraw& d) {
            return "строка " + std::to_string(d.index + 1) + " (" +
                   readDrawShape(text.tokens(static_cast<std::size_t>(d.index)), header, source)
                       .date.text +
                   ")";
        };
        throw ConversionError(source +
                              ": порядок дня и месяца в датах разный: " + dateAt(*dayFirst) +
                              " - день первым, " + dateAt(*monthFirst) + " - месяц первым");
    }

    // Lines passed over at the edges.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int index = static_cast<int>(i);
        const bool passed = tokenless[i] != 0;
        if (index < firstIndex)
            file.skippedBefore += passed ? 1 : 0;
        else if (index > lastIndex)
            file.skippedAfter += passed ? 1 : 0;
    }
    for (const auto& n : notDraws) {
        file.skippedBefore += n.index < firstIndex ? 1 : 0;
        file.skippedAfter += n.index > lastIndex ? 1 : 0;
    }

    file.draws.reserve(read.size());
    const DrawColumns& firstColumns = read.front().columns;
    std::string otherColumns;
    for (const auto& d : read) {
        const bool swapped = !d.ordered && order == DateOrder::MonthFirst;
        ImportedDraw draw;
        draw.date = {swapped ? d.second : d.first, swapped ? d.first : d.second, d.year};
        for (std::size_t k = 0; k < 5; ++k)
            draw.numbers[k] = d.numbers[k];
        draw.line = d.index + 1;
        draw.minutes = d.minutes;
        if (otherColumns.empty() && !(d.columns == firstColumns))
            otherColumns =
                "; в строке " + std::to_string(d.index + 1) + ": " + describeColumns(d.columns);
        file.draws.push_back(draw);
    }
    file.layout = describeColumns(firstColumns) + otherColumns;
    return file;
}

std::vector<ImportedDraw> orderDraws(std::vector<ImportedDraw> draws) {
    const auto key = [](const ImportedDraw& d) { return std::tuple(dateKey(d.date), d.minutes); };
    if (!draws.empty() && key(draws.front()) > key(draws.back()))
        std::reverse(draws.begin(), draws.end());
    std::stable_sort(draws.begin(), draws.end(), [](const ImportedDraw& a, const ImportedDraw& b) {
        return dateKey(a.date) < dateKey(b.date);
    });
    std::vector<ImportedDraw> unique;
    unique.reserve(draws.size());
    for (auto& draw : draws) {
        // Draws of one date are neighbours once sorted: a repeat is among
        // the last ones kept.
        bool repeated = false;
        for (auto kept = unique.rbegin();
             kept != unique.rend() && dateKey(kept->date) == dateKey(draw.date); ++kept)
            repeated = repeated || (kept->numbers == draw.numbers && kept->minutes == draw.minutes);
        if (!repeated)
            unique.push_back(std::move(draw));
    }
    return unique;
}

std::vector<ImportedDraw> newestDraws(const std::vector<ImportedDraw>& draws) {
    const auto keep = std::min(draws.size(), static_cast<std::size_t>(context::kMaxDraws));
    return {draws.end() - static_cast<std::ptrdiff_t>(keep), draws.end()};
}

DrawFile readDrawFile(const std::string& path, int highestNumber, DateOrder order) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxImportBytes)
        throw FileError(path + ": файл слишком велик для таблицы тиражей");
    DrawFile file = parseDrawLines(readLines(path, kMaxImportBytes), highestNumber, path, order);
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
    if (file.skippedBefore + file.skippedAfter > 0)
        text += "Пропущено строк: " + std::to_string(file.skippedBefore) + " до первого тиража, " +
                std::to_string(file.skippedAfter) + " после последнего.\r\n";
    if (file.dayFirstAssumed)
        text += "По датам файла не видно, что в них первым, день или месяц: прочитано как "
                "день.месяц.год.\r\n";
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
