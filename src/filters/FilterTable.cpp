#include "filters/FilterTable.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Fields.h"
#include "base/Scramble.h"
#include "base/TextFile.h"
#include "catalogue/Catalogue.h"

namespace vargis::filters {

std::string filterFileLoadPath(const std::string& kindFolder) {
    return "bd/" + kindFolder + "/bd_filters/bd_filters.txt";
}

std::string filterFileSavePath(const std::string& dataFolder) {
    std::string folder = dataFolder;
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder + "/bd_filters/bd_filters.txt";
}

void loadFilterTable(FilterTable& table, const std::string& path) {
    const std::vector<std::string> lines = readLines(path);
    table.fileLineCount = static_cast<int>(lines.size());
    for (std::size_t index = 1; index < lines.size(); ++index) {
        const int r = static_cast<int>(index);
        auto where = [&] { return path + ", строка " + std::to_string(r) + ": "; };
        const std::string plain =
            fromCp1251(scrambleLine(lines[index], kFilterFileKey, ScrambleDirection::Decode));
        forEachField(plain, [&](int fieldNo, std::string_view text) {
            if (fieldNo > 9)
                throw RangeError(where() + "больше девяти полей");
            if (r > kFilterRows)
                throw RangeError(where() + "строка за пределами таблицы фильтров (287)");
            table.row(r).field(fieldNo) = cut255(trim(text));
            return true;
        });
        if (r > kFilterRows)
            continue;
        FilterRow& row = table.row(r);
        const catalogue::FilterControls& rc = catalogue::rowControls(r);
        if (catalogue::storesUnusedLineOfAddedRow(rc, row.field(2), row.field(6), row.field(8))) {
            const auto defaults = catalogue::defaultRowFields(rc);
            for (int j = 1; j <= 9; ++j)
                row.field(j) = defaults[static_cast<std::size_t>(j - 1)];
        }
    }
}

std::string filterLine(const FilterRow& row) {
    std::string line;
    for (const auto& field : row.fields)
        line = cut255(line + field + ";");
    return line;
}

std::string encodeFilterLine(const FilterRow& row, int rowNumber) {
    const std::string encoded =
        scrambleLine(toCp1251(filterLine(row)), kFilterFileKey, ScrambleDirection::Encode);
    if (breaksLine(encoded))
        throw RangeError("Строка фильтра " + std::to_string(rowNumber) +
                         " после шифрования содержит символ перевода строки; "
                         "измените её текст (например, пробелы в полях 1 и 9)");
    return encoded;
}

std::vector<std::string> filterFileLines(const FilterTable& table, const std::string& path) {
    std::vector<std::string> lines = readLines(path);
    if (lines.size() < kFilterRows + 1)
        throw ListIndexError(path + ": в файле " + std::to_string(lines.size()) +
                             " строк, нужно не меньше 288 - база фильтров не сохранена");
    for (int r = 1; r <= kFilterRows; ++r)
        lines[static_cast<std::size_t>(r)] = encodeFilterLine(table.row(r), r);
    return lines;
}

void saveFilterTable(const FilterTable& table, const std::string& path) {
    writeLines(path, filterFileLines(table, path));
}

} // namespace vargis::filters
