#include "history/DrawArchive.h"

#include "base/Errors.h"
#include "base/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <tuple>

namespace vargis::history {

namespace {

// An archive line takes at most 34 bytes: the most draws an archive holds
// fit well within this, and a file far larger is not an archive.
constexpr std::size_t kMaxArchiveBytes = 64u * 1024u * 1024u;
static_assert(kMaxArchiveDraws * 34 < kMaxArchiveBytes);
constexpr std::size_t kMaxArchiveLine = 200;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> splitSemicolons(const std::string& line) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = line.find(';', start);
        fields.push_back(trimmed(line.substr(start, end - start)));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

ImportedDraw parseArchiveLine(const std::string& line, int highestNumber,
                              const std::string& where) {
    std::vector<std::string> fields = splitSemicolons(line);
    // A line ended by ";" is the same line.
    if (fields.size() > 1 && fields.back().empty())
        fields.pop_back();
    ImportedDraw draw;
    // "DD.MM.YYYY" or "DD.MM.YYYY HH:MM".
    const std::string& field = fields.front();
    const std::string dateText = field.substr(0, 10);
    const bool timed = field.size() == 16 && field[10] == ' ' && field[13] == ':';
    const bool shaped = (field.size() == 10 || timed) && dateText[2] == '.' && dateText[5] == '.';
    try {
        if (!shaped)
            throw ConversionError(dateText);
        draw.date = parseDate(dateText);
    } catch (const ConversionError&) {
        throw ConversionError(where + "'" + field.substr(0, 40) +
                              "' - не дата ДД.ММ.ГГГГ или ДД.ММ.ГГГГ ЧЧ:ММ");
    }
    if (timed) {
        const auto digit = [&](std::size_t at) {
            const char c = field[at];
            return c >= '0' && c <= '9' ? c - '0' : 100;
        };
        const int hours = digit(11) * 10 + digit(12);
        const int minutes = digit(14) * 10 + digit(15);
        if (hours > 23 || minutes > 59)
            throw ConversionError(where + "'" + field + "' - время вне суток");
        draw.minutes = hours * 60 + minutes;
    }
    const std::size_t count = fields.size() - 1;
    if (count != 5)
        throw ConversionError(where + "чисел " + std::to_string(count) + ", а должно быть 5");
    for (std::size_t k = 0; k < 5; ++k) {
        const std::string& text = fields[k + 1];
        const bool digits =
            !text.empty() && text.size() <= 3 &&
            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits)
            throw ConversionError(where + "'" + text.substr(0, 40) + "' - не число");
        const int value = std::stoi(text);
        if (value < 1 || value > highestNumber)
            throw RangeError(where + "число " + text + " вне 1.." + std::to_string(highestNumber));
        for (std::size_t j = 0; j < k; ++j)
            if (draw.numbers[j] == value)
                throw RangeError(where + "число " + text + " повторяется в тираже");
        draw.numbers[k] = value;
    }
    return draw;
}

} // namespace

std::string archivePath(const std::string& kindFolder) {
    return "bd/" + kindFolder + "/bd_archive/bd_archive.txt";
}

bool archiveExists(const std::string& kindFolder) {
    return fileExists(archivePath(kindFolder));
}

void checkArchiveSize(std::size_t draws) {
    if (draws > kMaxArchiveDraws)
        throw RangeError("Тиражей " + std::to_string(draws) + " - больше " +
                         std::to_string(kMaxArchiveDraws) +
                         ", которые вмещает архив тиражей; файлы не изменены");
}

void stageDrawArchive(SaveSet& set, const std::string& kindFolder,
                      const std::vector<ImportedDraw>& draws) {
    checkArchiveSize(draws.size());
    const std::string path = archivePath(kindFolder);
    createFolders(std::filesystem::path(path).parent_path().string());
    set.stage(path, drawArchiveText(draws));
}

void writeDrawArchive(const std::string& kindFolder, const std::vector<ImportedDraw>& draws) {
    SaveSet set;
    stageDrawArchive(set, kindFolder, draws);
    set.commit();
}

std::string drawArchiveLine(const ImportedDraw& draw) {
    std::string line = drawDateText(draw.date);
    if (draw.minutes >= 0) {
        char time[8];
        std::snprintf(time, sizeof time, " %02d:%02d", draw.minutes / 60 % 24, draw.minutes % 60);
        line += time;
    }
    for (int n : draw.numbers)
        line += ";" + std::to_string(n);
    return line;
}

std::string drawArchiveText(const std::vector<ImportedDraw>& draws) {
    // One string, not a list of lines: an archive may hold many thousands.
    std::string text;
    text.reserve(draws.size() * 34);
    for (const auto& draw : draws)
        text += drawArchiveLine(draw) + "\r\n";
    return text;
}

std::vector<ImportedDraw> loadDrawArchive(const std::string& path, int highestNumber) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxArchiveBytes)
        throw FileError(path + ": файл слишком велик для архива тиражей");
    // The lines are taken one at a time: a file of millions of empty lines
    // never becomes millions of strings.
    const std::string bytes = readBytes(path, kMaxArchiveBytes);
    std::vector<ImportedDraw> draws;
    std::size_t i = 0;
    for (std::size_t start = 0; start < bytes.size(); ++i) {
        auto end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string_view line(bytes.data() + start, end - start);
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        const int lineNo = static_cast<int>(i) + 1;
        const std::string where = path + ", строка " + std::to_string(lineNo) + ": ";
        // An archive line is some 25 characters; a far longer one is no
        // archive line, and is not copied about to find that out.
        if (line.size() > kMaxArchiveLine)
            throw ConversionError(where + "строка длиннее " + std::to_string(kMaxArchiveLine) +
                                  " знаков - не строка архива");
        ImportedDraw draw = parseArchiveLine(std::string(line), highestNumber, where);
        draw.line = lineNo;
        if (draws.size() == kMaxArchiveDraws)
            throw RangeError(where + "в архиве больше " + std::to_string(kMaxArchiveDraws) +
                             " тиражей");
        if (!draws.empty() && dateKey(draw.date) < dateKey(draws.back().date))
            throw RangeError(where + "дата " + drawDateText(draw.date) +
                             " раньше даты строки выше");
        draws.push_back(draw);
    }
    return draws;
}

namespace {

bool sameDraw(const ImportedDraw& a, const ImportedDraw& b) {
    return dateKey(a.date) == dateKey(b.date) && a.numbers == b.numbers;
}

bool endsWith(const std::vector<ImportedDraw>& archive, const std::vector<ImportedDraw>& tail) {
    if (tail.empty() || tail.size() > archive.size())
        return false;
    return std::equal(tail.begin(), tail.end(),
                      archive.end() - static_cast<std::ptrdiff_t>(tail.size()), sameDraw);
}

} // namespace

std::vector<ImportedDraw> mergeTableIntoArchive(std::vector<ImportedDraw> archive,
                                                const std::vector<ImportedDraw>& before,
                                                const std::vector<ImportedDraw>& after) {
    std::vector<ImportedDraw> merged;
    if (endsWith(archive, before)) {
        const auto tail = archive.end() - static_cast<std::ptrdiff_t>(before.size());
        merged.assign(archive.begin(), tail);
        // A draw kept or edited in place keeps the time the archive gave it.
        auto old = tail;
        for (ImportedDraw draw : after) {
            const auto same = std::find_if(
                old, archive.end(), [&](const ImportedDraw& d) { return sameDraw(d, draw); });
            draw.minutes = -1;
            if (same != archive.end()) {
                draw.minutes = same->minutes;
                old = same + 1;
            } else if (old != archive.end() && dateKey(old->date) == dateKey(draw.date)) {
                draw.minutes = old->minutes;
                ++old;
            }
            merged.push_back(draw);
        }
    } else {
        auto listed = [](const std::vector<ImportedDraw>& draws, const ImportedDraw& d) {
            return std::any_of(draws.begin(), draws.end(), [&](const ImportedDraw& other) {
                return dateKey(other.date) == dateKey(d.date);
            });
        };
        for (auto& draw : archive)
            if (!listed(after, draw) && !listed(before, draw))
                merged.push_back(std::move(draw));
        merged.insert(merged.end(), after.begin(), after.end());
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const ImportedDraw& a, const ImportedDraw& b) {
                         return dateKey(a.date) < dateKey(b.date);
                     });
    return merged;
}

} // namespace vargis::history
