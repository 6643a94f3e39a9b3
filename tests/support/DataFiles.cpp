#include "support/DataFiles.h"

#include "base/Cp1251.h"
#include "base/Scramble.h"
#include "base/TextFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vargis::testing {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> folderBytes(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename() != ".vargis.lock")
            files[entry.path().string()] = readBytes(entry.path().string());
    return files;
}

void writeBytesRaw(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void writeDraws(const std::vector<std::string>& plain) {
    writeScrambled(kStatisticsFile, plain, std::string(kStatisticsFileKey));
}

std::vector<std::string> readDraws() {
    return decodedLines(kStatisticsFile, std::string(kStatisticsFileKey));
}

std::vector<std::string> makeDraws(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        char date[32];
        std::snprintf(date, sizeof date, "%02d.%02d.2025", 1 + i % 28, 1 + i / 28);
        std::string line = "8;" + std::string(date) + ";";
        for (int k = 0; k < 5; ++k)
            line += std::to_string(1 + (i * 7 + k * 5) % 36) + ";";
        lines.push_back(line + "8;");
    }
    return lines;
}

std::vector<std::string> splitFilterLine(const std::string& plain) {
    std::vector<std::string> fields;
    std::string current;
    for (char c : plain) {
        if (c == ';') {
            fields.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return fields;
}

std::string filterField(int row, int field) {
    const auto lines = readLines(kFiltersFile);
    const std::string plain = fromCp1251(scrambleLine(lines.at(static_cast<std::size_t>(row)),
                                                      kFilterFileKey, ScrambleDirection::Decode));
    return splitFilterLine(plain).at(static_cast<std::size_t>(field - 1));
}

void setFilterField(int row, int field, const std::string& value) {
    auto lines = readLines(kFiltersFile);
    auto& line = lines.at(static_cast<std::size_t>(row));
    auto fields =
        splitFilterLine(fromCp1251(scrambleLine(line, kFilterFileKey, ScrambleDirection::Decode)));
    fields.resize(9);
    fields[static_cast<std::size_t>(field - 1)] = value;
    std::string plain;
    for (const auto& f : fields)
        plain += f + ";";
    line = scrambleLine(toCp1251(plain), kFilterFileKey, ScrambleDirection::Encode);
    if (breaksLine(line))
        throw std::runtime_error("test edit scrambles into a line break");
    writeLines(kFiltersFile, lines);
}

} // namespace vargis::testing
