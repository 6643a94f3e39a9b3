#include "filters/MarkBases.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Fields.h"
#include "base/TextFile.h"
#include "ui/MainFormControls.h"

#include <vector>

namespace vargis::filters {

namespace {

void checkRange(int value, int low, int high, const char* what) {
    if (value < low || value > high)
        throw RangeError(std::string(what) + " " + std::to_string(value) + " вне диапазона " +
                         std::to_string(low) + ".." + std::to_string(high));
}

// Splits a line at ";" into at most maxFields fields; text after the last
// ";" is ignored.
std::vector<std::string> splitFields(const std::string& line, std::size_t maxFields) {
    std::vector<std::string> fields;
    forEachField(std::string_view(line).substr(0, 255), [&](int, std::string_view text) {
        fields.push_back(fromCp1251(text));
        return fields.size() < maxFields;
    });
    return fields;
}

std::string joinFields(const std::string* first, std::size_t count) {
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        line += toCp1251(first[i]) + ";";
        if (line.size() > 255)
            line.resize(255);
    }
    return line;
}

} // namespace

std::string graphicsPath(const std::string& folder) {
    return folder + "/bd_graphics/bd_graphics.txt";
}

std::string digitsPath(const std::string& folder) {
    return folder + "/bd_digits/bd_digits.txt";
}

void loadGraphicsBase(DrawFailMarks& marks, const std::string& path) {
    const std::vector<std::string> lines = readLines(path);
    constexpr std::size_t kRequired = 284;
    if (lines.size() < kRequired)
        throw RangeError(path + ": " + std::to_string(lines.size()) +
                         " строк, в базе графиков должно быть не меньше 284");
    const std::size_t rows = lines.size() < kMarkRows ? lines.size() : kMarkRows;
    for (std::size_t i = 0; i < rows; ++i) {
        const int row = static_cast<int>(i) + 1;
        marks.clearRow(row);
        const auto fields = splitFields(lines[i], kMarkColumns);
        for (std::size_t j = 0; j < fields.size(); ++j)
            marks.at(row, static_cast<int>(j) + 1) = fields[j];
    }
}

std::vector<std::string> graphicsBaseLines(const DrawFailMarks& marks) {
    std::vector<std::string> lines;
    lines.reserve(kMarkRows);
    for (const auto& row : marks.marks)
        lines.push_back(joinFields(row.data(), row.size()));
    return lines;
}

void saveGraphicsBase(const DrawFailMarks& marks, const std::string& path) {
    writeLines(path, graphicsBaseLines(marks));
}

void loadDigitsBase(DigitsBase& digits, const std::string& path) {
    const std::vector<std::string> lines = readLinesAtMost(path, 1000);
    for (auto& row : digits.rows)
        row = DigitsRow{};
    if (lines.size() < kNumbers)
        throw RangeError(path + ": " + std::to_string(lines.size()) +
                         " строк, в базе чисел должно быть 50");
    for (int n = 1; n <= kNumbers; ++n) {
        const auto fields = splitFields(lines[static_cast<std::size_t>(n - 1)], 3);
        for (std::size_t j = 0; j < fields.size(); ++j)
            digits.row(n).fields[j] = fields[j];
    }
}

std::vector<std::string> digitsBaseLines(const DigitsBase& digits) {
    std::vector<std::string> lines;
    for (const auto& row : digits.rows)
        lines.push_back(joinFields(row.fields.data(), row.fields.size()));
    return lines;
}

void saveDigitsBase(const DigitsBase& digits, const std::string& path) {
    writeLines(path, digitsBaseLines(digits));
}

std::string numberCheckBoxSuffix(int number) {
    checkRange(number, 1, kNumbers, "Число");
    static constexpr int kFirst29[29] = {246, 247, 282, 283, 284, 285, 301, 302, 303, 304,
                                         305, 308, 309, 310, 311, 312, 313, 314, 315, 316,
                                         317, 318, 319, 320, 321, 322, 323, 324, 325};
    if (number <= 29)
        return std::to_string(kFirst29[number - 1]);
    if (number <= 49)
        return std::to_string(296 + number);
    return "241";
}

std::string numberLabelName(int number) {
    checkRange(number, 1, kNumbers, "Число");
    if (number <= 29)
        return ui::numberedName(ui::kStaticTextPrefix, 190 + number);
    if (number <= 49)
        return ui::numberedName(ui::kStaticTextPrefix, 200 + number);
    return ui::numberedName(ui::kStaticTextPrefix, 139);
}

} // namespace vargis::filters
