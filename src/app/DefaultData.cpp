#include "DefaultData.h"

#include "LotteryKind.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "base/Scramble.h"
#include "base/TextFile.h"
#include "catalogue/Catalogue.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "guidance/HelpDocuments.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

namespace vargis::app {

namespace {

// A small portable generator, so the bundled draws are the same everywhere.
struct Lcg {
    std::uint64_t state;
    int next(int bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(bound));
    }
};

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int m, int y) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

struct Day {
    int d, m, y;
    void back(int days) {
        for (int i = 0; i < days; ++i) {
            if (--d == 0) {
                if (--m == 0) {
                    m = 12;
                    --y;
                }
                d = daysInMonth(m, y);
            }
        }
    }
    std::string text() const {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
        return buf;
    }
};

std::string join(const std::vector<std::string>& fields) {
    std::string line;
    for (const auto& f : fields)
        line += f + ";";
    return line;
}

} // namespace

std::vector<BundledDraw> bundledDraws() {
    // Saturday 28.11.2026 is the last draw; going back alternately 3 days
    // (to Wednesday) and 4 days (to the previous Saturday).
    std::vector<std::string> dates;
    Day day{28, 11, 2026};
    for (int i = 0; i < history::kMaxDraws; ++i) {
        dates.push_back(day.text());
        day.back(i % 2 == 0 ? 3 : 4);
    }
    std::reverse(dates.begin(), dates.end());
    Lcg rng{20261128};
    std::vector<BundledDraw> draws;
    for (const auto& date : dates) {
        BundledDraw draw{date, {}};
        for (std::size_t k = 0; k < 5; ++k) {
            int n = 0;
            do {
                n = 1 + rng.next(36);
            } while (std::find(draw.numbers.begin(), draw.numbers.begin() + static_cast<long>(k),
                               n) != draw.numbers.begin() + static_cast<long>(k));
            draw.numbers[k] = n;
        }
        draws.push_back(draw);
    }
    return draws;
}

std::vector<std::string> defaultFilterLines(const std::vector<BundledDraw>& draws,
                                            int highestNumber, bool kindStemsWritten) {
    std::vector<std::string> lines{VARGIS_NAME " - лото " VARGIS_RELEASE ". База фильтров"};
    // Rows 1 and 2 keep what the history has shown, as switching every
    // filter off sets them; without draws they keep every combination.
    int smallestMax = draws.empty() ? 5 : highestNumber;
    int largestMin = draws.empty() ? highestNumber - 4 : 1;
    for (const auto& d : draws) {
        smallestMax = std::min(smallestMax, *std::max_element(d.numbers.begin(), d.numbers.end()));
        largestMin = std::max(largestMin, *std::min_element(d.numbers.begin(), d.numbers.end()));
    }
    const auto stems =
        kindStemsWritten ? kindStems(highestNumber) : std::vector<std::pair<int, std::string>>{};
    for (const auto& rc : catalogue::allRows()) {
        const auto defaults = catalogue::defaultRowFields(rc);
        std::vector<std::string> f(defaults.begin(), defaults.end());
        if (rc.row == 1) {
            f[2] = std::to_string(smallestMax);
            f[3] = "True";
            f[4] = ">=";
        } else if (rc.row == 2) {
            f[2] = std::to_string(largestMin);
            f[3] = "True";
            f[4] = "<=";
        } else if (rc.row == 25) {
            f[3] = kBundledForecastDate;
        } else if (rc.row == 30) {
            f[1] = "15";
            f[2] = "30";
            f[3] = "0";
        }
        for (const auto& [row, stem] : stems)
            if (row == rc.row)
                f[6] = stem;
        lines.push_back(join(f));
    }
    return lines;
}

std::string tickSound() {
    constexpr int kRate = 11025;
    constexpr int kSamples = kRate / 4;
    std::string pcm;
    for (int i = 0; i < kSamples; ++i) {
        double value = 0;
        const double t = static_cast<double>(i) / kRate;
        if (t < 0.03)
            value = std::sin(2 * M_PI * 2200 * t) * std::exp(-t * 150);
        else if (t >= 0.125 && t < 0.155)
            value = std::sin(2 * M_PI * 1500 * (t - 0.125)) * std::exp(-(t - 0.125) * 150);
        const auto sample = static_cast<std::int16_t>(value * 20000);
        pcm += static_cast<char>(sample & 0xFF);
        pcm += static_cast<char>((sample >> 8) & 0xFF);
    }
    auto u32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    };
    auto u16 = [](std::uint16_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    };
    std::string wav = "RIFF" + u32(static_cast<std::uint32_t>(36 + pcm.size())) + "WAVE";
    wav += "fmt " + u32(16) + u16(1) + u16(1) + u32(kRate) + u32(kRate * 2) + u16(2) + u16(16);
    wav += "data" + u32(static_cast<std::uint32_t>(pcm.size())) + pcm;
    return wav;
}

void writeKindFolder(const std::string& kind, const std::vector<BundledDraw>& draws,
                     int highestNumber) {
    namespace fs = std::filesystem;
    for (const char* sub : {"bd_statist", "bd_filters", "bd_graphics", "bd_digits", "bd_images"})
        fs::create_directories(kind + "/" + sub);

    std::vector<std::string> statLines;
    for (const auto& d : draws) {
        std::array<std::string, 6> cells{d.date};
        for (std::size_t k = 0; k < 5; ++k)
            cells[k + 1] = std::to_string(d.numbers[k]);
        const std::string encoded = scrambleLine(toCp1251(history::drawLine(cells)),
                                                 kStatisticsFileKey, ScrambleDirection::Encode);
        if (breaksLine(encoded))
            throw RangeError("Тираж " + d.date + " после шифрования содержит перевод строки");
        statLines.push_back(encoded);
    }
    writeLines(kind + "/bd_statist/bd_statist.txt", statLines);

    // The bundled kind keeps the catalogue's stems; the start adjusts them.
    const auto plain = defaultFilterLines(draws, highestNumber, highestNumber != 36);
    std::vector<std::string> filterLines{toCp1251(plain.front())};
    for (std::size_t r = 1; r < plain.size(); ++r) {
        const std::string encoded =
            scrambleLine(toCp1251(plain[r]), kFilterFileKey, ScrambleDirection::Encode);
        if (breaksLine(encoded))
            throw RangeError("Строка фильтра " + std::to_string(r) +
                             " после шифрования содержит перевод строки");
        filterLines.push_back(encoded);
    }
    writeLines(kind + "/bd_filters/bd_filters.txt", filterLines);

    writeLines(kind + "/bd_graphics/bd_graphics.txt",
               std::vector<std::string>(filters::kMarkRows, std::string(50, ';')));
    std::vector<std::string> digits;
    for (int n = 1; n <= filters::kNumbers; ++n)
        digits.push_back(std::to_string(n) + ";" + filters::numberCheckBoxSuffix(n) + ";1;");
    writeLines(kind + "/bd_digits/bd_digits.txt", digits);
}

void writeWorkingFolder(const std::string& root) {
    namespace fs = std::filesystem;
    writeKindFolder(root + "/bd/5_36", bundledDraws(), 36);
    writeBytes(root + "/bd/tik-tak.wav", tickSound());
    for (const auto& document : guidance::helpDocuments()) {
        const fs::path path = fs::path(root) / document.path;
        fs::create_directories(path.parent_path());
        writeBytes(path.string(), document.bytes);
    }
}

} // namespace vargis::app
