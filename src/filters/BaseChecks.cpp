#include "filters/BaseChecks.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Scramble.h"
#include "catalogue/Catalogue.h"
#include "context/FilterTables.h"
#include "context/MarkTables.h"
#include "ui/Form.h"

#include <algorithm>
#include <cstdio>

namespace vargis::filters {

namespace {

std::string where(const std::string& path, std::size_t lineNo) {
    return path + ", строка " + std::to_string(lineNo) + ": ";
}

bool hasControlByte(const std::string& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The fields of a line, each closed by ";"; `rest` is the text after the
// last ";".
std::vector<std::string> closedFields(const std::string& line, std::string& rest) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (auto end = line.find(';'); end != std::string::npos; end = line.find(';', start)) {
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    rest = line.substr(start);
    return fields;
}

bool isWholeNumber(const std::string& text) {
    try {
        toInt(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

void checkFilterRow(const std::vector<std::string>& fields, int row, const std::string& at,
                    const ui::Form& form) {
    auto field = [&](int j) { return trim(fields[static_cast<std::size_t>(j - 1)]); };
    if (field(1) != std::to_string(row))
        throw RangeError(at + "в поле 1 номер строки '" + shownText(field(1)) +
                         "', а должен быть " + std::to_string(row));
    auto control = [&](int j, std::string_view expected, const char* what) {
        if (expected.empty())
            return;
        const std::string name = field(j);
        if (name.empty() || !form.has(name))
            throw RangeError(at + what + " '" + shownText(name) + "' (поле " + std::to_string(j) +
                             ") не существует на форме");
    };
    const catalogue::FilterControls& rc = catalogue::rowControls(row);
    control(6, rc.button, "кнопка");
    control(8, rc.checkBox, "флажок");
    control(2, rc.linkCode.empty() ? rc.paramLabel : std::string_view{}, "надпись параметра");
    if (!rc.linkCode.empty()) {
        const std::string code = field(2);
        if (code.size() != 4 ||
            !std::all_of(code.begin(), code.end(), [](char c) { return c >= '1' && c <= '9'; }))
            throw ConversionError(at + "код связи '" + shownText(code) +
                                  "' (поле 2) - не четыре цифры");
    }
    if (!rc.paramLabel.empty() && !isWholeNumber(field(3)))
        throw ConversionError(at + "параметр '" + shownText(field(3)) +
                              "' (поле 3) - не целое число");
    if (row == 30)
        for (int j = 2; j <= 4; ++j)
            if (!isWholeNumber(field(j)))
                throw ConversionError(at + "'" + shownText(field(j)) + "' (поле " +
                                      std::to_string(j) + ") - не целое число");
    if (rc.menu != catalogue::ConditionMenu::None) {
        const std::string condition = field(5);
        const bool twoWay = rc.menu == catalogue::ConditionMenu::TwoWay;
        const bool known = condition == "<>" || condition == "=" ||
                           (!twoWay && (condition == "<=" || condition == ">="));
        if (!known)
            throw RangeError(at + "условие '" + shownText(condition) + "' (поле 5) - не " +
                             (twoWay ? "\"<>\" или \"=\"" : "\"<=\", \"=\", \"<>\" или \">=\""));
    }
}

} // namespace

std::string shownText(const std::string& text) {
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && characters < 40; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += text[i];
        }
        // A UTF-8 continuation byte belongs to the character before it.
        if ((byte & 0xC0) != 0x80)
            ++characters;
    }
    while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0xC0)
        shown.pop_back();
    return shown;
}

void checkFilterFile(const std::vector<std::string>& lines, const std::string& path,
                     const ui::Form& form) {
    constexpr std::size_t kLines = context::kFilterRows + 1;
    if (lines.size() < kLines)
        throw RangeError(path + ": в файле " + std::to_string(lines.size()) +
                         " строк, а в базе фильтров их " + std::to_string(kLines) +
                         " (заголовок и 287 строк фильтров) - файл повреждён или обрезан");
    for (std::size_t r = kLines; r < lines.size(); ++r)
        if (!trim(lines[r]).empty())
            throw RangeError(where(path, r) + "строка за пределами таблицы фильтров (287)");
    for (int row = 1; row <= context::kFilterRows; ++row) {
        const auto index = static_cast<std::size_t>(row);
        const std::string at = where(path, index);
        const std::string decoded =
            scrambleLine(lines[index].substr(0, 255), kFilterFileKey, ScrambleDirection::Decode);
        if (hasControlByte(decoded))
            throw RangeError(at + "недопустимый управляющий символ (файл повреждён)");
        std::string rest;
        const std::vector<std::string> fields = closedFields(fromCp1251(decoded), rest);
        if (fields.size() != 9 || !trim(rest).empty())
            throw RangeError(at + "полей " + std::to_string(fields.size()) +
                             (trim(rest).empty() ? "" : " и текст после последней ';'") +
                             ", а должно быть 9, каждое с ';' в конце");
        if (catalogue::storesUnusedLineOfAddedRow(catalogue::rowControls(row), trim(fields[1]),
                                                  trim(fields[5]), trim(fields[7])))
            continue; // the loader puts the row's default line in its place
        checkFilterRow(fields, row, at, form);
    }
}

void checkGraphicsFile(const std::vector<std::string>& lines, const std::string& path) {
    if (lines.size() < 284 || lines.size() > context::kMarkRows)
        throw RangeError(path + ": в файле " + std::to_string(lines.size()) +
                         " строк, а в базе графиков их от 284 до 287 - файл повреждён или обрезан");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string at = where(path, i + 1);
        if (hasControlByte(lines[i]))
            throw RangeError(at + "недопустимый управляющий символ (файл повреждён)");
        std::string rest;
        const std::vector<std::string> marks = closedFields(lines[i], rest);
        if (marks.size() != context::kMarkColumns || !rest.empty())
            throw RangeError(at + "отметок " + std::to_string(marks.size()) +
                             (rest.empty() ? "" : " и текст после последней ';'") +
                             ", а должно быть 50, каждая с ';' в конце");
        for (std::size_t j = 0; j < marks.size(); ++j)
            if (!marks[j].empty() && marks[j] != "0")
                throw RangeError(at + "отметка " + std::to_string(j + 1) + " '" +
                                 shownText(fromCp1251(marks[j])) + "' - не пусто и не \"0\"");
    }
}

} // namespace vargis::filters
