#include "history/DrawFileCodec.h"

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Fields.h"
#include "base/Scramble.h"
#include "base/TextFile.h"

#include <utility>
#include <vector>

namespace vargis::history {

namespace {

RangeError tooManyLines(const std::string& path, std::size_t count) {
    return RangeError(path + ": " + std::to_string(count) +
                      " строк - больше 255, файл не может быть загружен");
}

} // namespace

void deriveRankedDraws(DrawHistory& history) {
    for (int i = 1; i <= history.drawCount; ++i) {
        RankedRow& row = history.rankedRow(i);
        for (int p = 1; p <= 5; ++p)
            row[static_cast<std::size_t>(p - 1)] = toByte(history.record(i).field(p + 2));
        for (std::size_t j = 0; j < 4; ++j)
            for (std::size_t k = j + 1; k < 5; ++k)
                if (row[k] < row[j])
                    std::swap(row[j], row[k]);
    }
}

std::string statisticsPath(const std::string& kindFolder) {
    return "bd/" + kindFolder + "/bd_statist/bd_statist.txt";
}

std::vector<std::string> readDrawFileLines(const std::string& path) {
    // Counting the lines before splitting keeps a file of millions of empty
    // lines from taking many times its size in memory.
    const std::string bytes = readBytes(path);
    if (const std::size_t count = countLines(bytes); count > 255)
        throw tooManyLines(path, count);
    return splitLines(bytes);
}

void loadDrawHistory(DrawHistory& history, const std::string& path) {
    decodeDrawHistory(history, readDrawFileLines(path), path);
}

void decodeDrawHistory(DrawHistory& history, const std::vector<std::string>& lines,
                       const std::string& path) {
    if (lines.size() > 255)
        throw tooManyLines(path, lines.size());
    history.drawCount = static_cast<std::uint8_t>(lines.size());
    for (auto& row : history.rows)
        row = DrawRecord{};
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int lineNo = static_cast<int>(index) + 1;
        auto where = [&] { return path + ", строка " + std::to_string(lineNo) + ": "; };
        if (lineNo > kMaxDraws)
            throw RangeError(where() + "в статистике больше 50 тиражей");
        const std::string plain =
            fromCp1251(scrambleLine(lines[index], kStatisticsFileKey, ScrambleDirection::Decode));
        DrawRecord& record = history.record(lineNo);
        forEachField(plain, [&](int fieldNo, std::string_view text) {
            if (fieldNo < 3) {
                record.field(fieldNo) = cut255(text);
                return true;
            }
            int value = 0;
            try {
                value = toInt(text);
            } catch (const ConversionError& e) {
                throw ConversionError(where() + e.what());
            }
            if (value < 0 || value > 255)
                throw RangeError(where() + "число " + std::to_string(value) +
                                 " вне диапазона 0..255");
            record.field(fieldNo) = std::to_string(value);
            return fieldNo < 7;
        });
    }
    deriveRankedDraws(history);
}

void checkDrawFileLines(const std::vector<std::string>& lines, const std::string& path) {
    for (std::size_t index = 0; index < lines.size() && index < kMaxDraws; ++index) {
        const std::string at = path + ", строка " + std::to_string(index + 1) + ": ";
        const std::string decoded =
            scrambleLine(lines[index], kStatisticsFileKey, ScrambleDirection::Decode);
        for (char c : decoded)
            if (static_cast<unsigned char>(c) < 0x20)
                throw RangeError(at + "недопустимый управляющий символ (файл повреждён)");
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (auto end = decoded.find(';'); end != std::string::npos;
             end = decoded.find(';', start)) {
            fields.push_back(trim(fromCp1251(decoded.substr(start, end - start))));
            start = end + 1;
        }
        const bool after = !trim(decoded.substr(start)).empty();
        if (fields.size() != 8 || after)
            throw RangeError(at + "полей " + std::to_string(fields.size()) +
                             (after ? " и текст после последней ';'" : "") +
                             ", а должно быть 8 (\"8;дата;пять чисел;8;\") - файл повреждён");
    }
}

std::string drawLine(const std::array<std::string, 6>& dateAndNumbers) {
    std::string line = "8;";
    for (const auto& cell : dateAndNumbers)
        line += cell + ";";
    return line + "8;";
}

std::vector<std::string> encodeDrawLines(const std::vector<std::string>& plain) {
    std::vector<std::string> encoded;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        std::string line =
            scrambleLine(toCp1251(plain[i]), kStatisticsFileKey, ScrambleDirection::Encode);
        if (breaksLine(line))
            throw RangeError("Тираж " + std::to_string(i + 1) +
                             " после шифрования содержит символ перевода строки - "
                             "таблица тиражей не сохранена");
        encoded.push_back(std::move(line));
    }
    return encoded;
}

void writeDrawLines(const std::string& path, const std::vector<std::string>& plain) {
    writeLines(path, encodeDrawLines(plain));
}

} // namespace vargis::history
