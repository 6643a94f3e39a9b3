#include "history/DrawImport.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "context/Workspace.h"
#include "filters/ChartModel.h"
#include "history/DrawGrid.h"
#include "history/DrawHistory.h"
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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

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

// A field as a message quotes it: a long one is cut.
std::string shown(const std::string& field) {
    constexpr std::size_t kLongest = 40;
    return field.size() <= kLongest ? field : field.substr(0, kLongest) + "...";
}

// Splits at ";", ",", tabs and blanks, the no-break space of pages copied
// from a browser included.
std::vector<std::string> splitFields(std::string text) {
    for (auto at = text.find("\xC2\xA0"); at != std::string::npos; at = text.find("\xC2\xA0"))
        text.replace(at, 2, " ");
    std::vector<std::string> fields;
    std::string current;
    for (char c : text) {
        if (c == ';' || c == ',' || c == '\t' || c == ' ') {
            if (!current.empty())
                fields.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        fields.push_back(std::move(current));
    return fields;
}

// Three groups of digits split by `separator`, with the given lengths.
bool dateShape(std::string_view text, char separator, std::size_t minFirst, std::size_t maxFirst,
               std::size_t minSecond, std::size_t maxSecond, std::size_t minThird,
               std::size_t maxThird) {
    const auto a = text.find(separator);
    if (a == std::string_view::npos)
        return false;
    const auto b = text.find(separator, a + 1);
    if (b == std::string_view::npos)
        return false;
    const std::string_view first = text.substr(0, a);
    const std::string_view second = text.substr(a + 1, b - a - 1);
    const std::string_view third = text.substr(b + 1);
    auto fits = [](std::string_view part, std::size_t lo, std::size_t hi) {
        return allDigits(part) && part.size() >= lo && part.size() <= hi;
    };
    return fits(first, minFirst, maxFirst) && fits(second, minSecond, maxSecond) &&
           fits(third, minThird, maxThird);
}

// The date written in a field as day, month and year texts; nullopt when
// the field is not written as a date at all.
std::optional<std::array<std::string, 3>> dateParts(const std::string& field) {
    if (dateShape(field, '.', 1, 2, 1, 2, 4, 4)) {
        const auto a = field.find('.');
        const auto b = field.find('.', a + 1);
        return std::array<std::string, 3>{field.substr(0, a), field.substr(a + 1, b - a - 1),
                                          field.substr(b + 1)};
    }
    if (dateShape(field, '-', 4, 4, 1, 2, 1, 2)) {
        const auto a = field.find('-');
        const auto b = field.find('-', a + 1);
        return std::array<std::string, 3>{field.substr(b + 1), field.substr(a + 1, b - a - 1),
                                          field.substr(0, a)};
    }
    return std::nullopt;
}

bool hasDate(const std::vector<std::string>& fields) {
    return std::any_of(fields.begin(), fields.end(),
                       [](const std::string& f) { return dateParts(f).has_value(); });
}

auto dateKey(const Date& d) {
    return std::tuple(d.year, d.month, d.day);
}

class LineChecker {
public:
    LineChecker(int highestNumber, std::string source, int line)
        : highest_(highestNumber), source_(std::move(source)), line_(line) {}

    ImportedDraw check(const std::vector<std::string>& fields) const {
        ImportedDraw draw;
        draw.line = line_;
        bool dated = false;
        std::vector<int> numbers;
        for (const auto& field : fields) {
            if (const auto parts = dateParts(field)) {
                if (dated)
                    fail<ConversionError>("вторая дата " + shown(field));
                draw.date = calendarDate(*parts, field);
                dated = true;
            } else if (allDigits(field)) {
                numbers.push_back(number(field));
            } else {
                fail<ConversionError>("'" + shown(field) + "' - не дата и не число");
            }
        }
        if (!dated)
            fail<ConversionError>("нет даты тиража");
        if (numbers.size() != 5)
            fail<ConversionError>("чисел " + std::to_string(numbers.size()) + ", а должно быть 5");
        for (std::size_t i = 0; i < 5; ++i) {
            for (std::size_t j = 0; j < i; ++j)
                if (numbers[i] == numbers[j])
                    fail<RangeError>("число " + std::to_string(numbers[i]) +
                                     " повторяется в тираже");
            draw.numbers[i] = numbers[i];
        }
        return draw;
    }

    template <typename Error> [[noreturn]] void fail(const std::string& what) const {
        throw Error(source_ + ", строка " + std::to_string(line_) + ": " + what);
    }

private:
    Date calendarDate(const std::array<std::string, 3>& parts, const std::string& field) const {
        std::string day = parts[0];
        std::string month = parts[1];
        if (day.size() == 1)
            day = "0" + day;
        if (month.size() == 1)
            month = "0" + month;
        try {
            return parseDate(day + "." + month + "." + parts[2]);
        } catch (const ConversionError&) {
            fail<ConversionError>("даты " + field + " нет в календаре");
        }
    }

    // A field of digits only; leading zeros are allowed.
    int number(const std::string& field) const {
        const auto significant = field.find_first_not_of('0');
        const std::string digits =
            significant == std::string::npos ? "0" : field.substr(significant);
        const int value = digits.size() > 3 ? highest_ + 1 : toInt(digits);
        if (value < 1 || value > highest_)
            fail<RangeError>("число " + shown(field) + " вне 1.." + std::to_string(highest_));
        return value;
    }

    int highest_;
    std::string source_;
    int line_;
};

} // namespace

std::string drawDateText(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", date.day % 100, date.month % 100,
                  date.year % 10000);
    return buf;
}

std::vector<ImportedDraw> parseDrawLines(const std::vector<std::string>& lines, int highestNumber,
                                         const std::string& source) {
    bool utf8 = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (i == 0 && line.substr(0, kUtf8Mark.size()) == kUtf8Mark)
            line.remove_prefix(kUtf8Mark.size());
        utf8 = utf8 && validUtf8(line);
    }
    std::vector<ImportedDraw> draws;
    bool headerPossible = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        std::string_view raw = lines[i];
        if (i == 0 && raw.substr(0, kUtf8Mark.size()) == kUtf8Mark)
            raw.remove_prefix(kUtf8Mark.size());
        const LineChecker checker(highestNumber, source, lineNo);
        if (looksBinary(raw))
            checker.fail<ConversionError>("не текст (двоичные данные)");
        const std::string text = utf8 ? std::string(raw) : fromCp1251(raw);
        const std::vector<std::string> fields = splitFields(text);
        if (fields.empty())
            continue;
        const bool header = headerPossible && !hasDate(fields);
        headerPossible = false;
        if (header)
            continue;
        draws.push_back(checker.check(fields));
    }
    if (draws.empty())
        throw ConversionError(source + ": в файле нет ни одного тиража");
    return draws;
}

std::vector<ImportedDraw> orderDraws(std::vector<ImportedDraw> draws) {
    if (!draws.empty() && dateKey(draws.front().date) > dateKey(draws.back().date))
        std::reverse(draws.begin(), draws.end());
    std::stable_sort(draws.begin(), draws.end(), [](const ImportedDraw& a, const ImportedDraw& b) {
        return dateKey(a.date) < dateKey(b.date);
    });
    std::vector<ImportedDraw> unique;
    for (auto& draw : draws) {
        const bool repeated =
            std::any_of(unique.rbegin(), unique.rend(), [&](const ImportedDraw& kept) {
                return dateKey(kept.date) == dateKey(draw.date) && kept.numbers == draw.numbers;
            });
        if (!repeated)
            unique.push_back(std::move(draw));
    }
    if (unique.size() > static_cast<std::size_t>(context::kMaxDraws))
        unique.erase(unique.begin(), unique.end() - context::kMaxDraws);
    return unique;
}

std::vector<ImportedDraw> readDrawFile(const std::string& path, int highestNumber) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxImportBytes)
        throw FileError(path + ": файл слишком велик для таблицы тиражей");
    return orderDraws(parseDrawLines(readLines(path, kMaxImportBytes), highestNumber, path));
}

std::string importQuestion(const std::vector<ImportedDraw>& draws) {
    if (draws.empty())
        return "В файле нет тиражей";
    return "Тиражей в файле: " + std::to_string(draws.size()) + " (с " +
           drawDateText(draws.front().date) + " по " + drawDateText(draws.back().date) +
           ").\r\nЗаменить ими таблицу тиражей ?";
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
