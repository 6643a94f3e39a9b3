// Presses every filter of the pages "ЦИФРЫ" and "нумерология и дата" through
// vargis-cli on the bundled working folder (draws dated 2026) and checks the
// values, the count and the failed draws against a computation made here,
// from the draw and filter files, by an independent reading of each filter.

#include "base/Scramble.h"
#include "support/CliRun.h"
#include "support/WorkFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace vargis {
namespace {

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, ';'))
        fields.push_back(f);
    return fields;
}

struct Draw {
    std::string date;
    std::vector<int> n;             // drawn order
    std::vector<std::string> texts; // as stored
};

std::vector<Draw> readDraws() {
    std::vector<Draw> draws;
    for (const auto& line : testing::decodedLines("bd/5_36/bd_statist/bd_statist.txt",
                                                  std::string(kStatisticsFileKey))) {
        const auto fields = split(line);
        Draw d{fields.at(1), {}, {}};
        for (std::size_t k = 2; k <= 6; ++k) {
            d.texts.push_back(fields.at(k));
            d.n.push_back(std::stoi(fields.at(k)));
        }
        draws.push_back(d);
    }
    return draws;
}

// ---- The sound vibrations, spelled out again -------------------------------

// Russian letters are two bytes in UTF-8; each group lists its letters.
const std::vector<std::string> kGroups = {"акуь", "блфю", "вмхя", "гнцё", "доч",
                                          "епшэ", "жрщ",  "зсъ",  "ийты"};

std::string vibration(const std::string& text) {
    std::map<int, int> count;
    for (int d = 1; d <= 9; ++d)
        count[d] = 0;
    for (std::size_t at = 0; at + 1 < text.size(); at += 2) {
        const std::string letter = text.substr(at, 2);
        for (int d = 1; d <= 9; ++d) {
            const std::string& g = kGroups[static_cast<std::size_t>(d - 1)];
            for (std::size_t k = 0; k < g.size(); k += 2)
                if (g.substr(k, 2) == letter)
                    ++count[d];
        }
    }
    std::string out;
    for (int pass = 0; pass < 3; ++pass) {
        int most = 0;
        for (const auto& [d, c] : count)
            most = std::max(most, c);
        for (auto& [d, c] : count)
            if (c == most) {
                out += std::to_string(d);
                c = 0;
            }
    }
    return out;
}

std::string ordinalOfYear(int yy) {
    const std::vector<std::string> units = {"",           "первого", "второго", "третьего",
                                            "четвертого", "пятого",  "шестого", "седьмого",
                                            "восьмого",   "девятого"};
    const std::vector<std::string> teens = {
        "десятого",     "одиннадцатого", "двенадцатого", "тринадцатого",   "четырнадцатого",
        "пятнадцатого", "шестнадцатого", "семнадцатого", "восемнадцатого", "девятнадцатого"};
    const std::vector<std::string> tens = {"", "", "двадцат", "тридцат", "сорок"};
    if (yy < 10)
        return units[static_cast<std::size_t>(yy)];
    if (yy < 20)
        return teens[static_cast<std::size_t>(yy - 10)];
    const std::string ten = tens.at(static_cast<std::size_t>(yy / 10));
    if (yy % 10 == 0)
        return ten + (yy / 10 == 4 ? "ового" : "ого");
    return ten + (yy / 10 == 4 ? "" : "ь") + units[static_cast<std::size_t>(yy % 10)];
}

std::string dateText(const std::string& date) {
    const std::vector<std::string> days = {
        "первое",          "второе",         "третье",          "четвертое",
        "пятое",           "шестое",         "седьмое",         "восьмое",
        "девятое",         "десятое",        "одиннадцатое",    "двенадцатое",
        "тринадцатое",     "четырнадцатое",  "пятнадцатое",     "шестнадцатое",
        "семнадцатое",     "восемнадцатое",  "девятнадцатое",   "двадцатое",
        "двадцатьпервое",  "двадцатьвторое", "двадцатьтретье",  "двадцатьчетвертое",
        "двадцатьпятое",   "двадцатьшестое", "двадцатьседьмое", "двадцатьвосьмое",
        "двадцатьдевятое", "тридцатое",      "тридцатьпервое"};
    const std::vector<std::string> months = {"января",   "февраля", "марта",  "апреля",
                                             "мая",      "июня",    "июля",   "августа",
                                             "сентября", "октября", "ноября", "декабря"};
    return days.at(static_cast<std::size_t>(std::stoi(date.substr(0, 2)) - 1)) +
           months.at(static_cast<std::size_t>(std::stoi(date.substr(3, 2)) - 1)) + "дветысячи" +
           ordinalOfYear(std::stoi(date.substr(8, 2)));
}

std::string numberText(int n) {
    const std::vector<std::string> small = {
        "единица",     "двойка",     "тройка",       "четвёрка",     "пятёрка",
        "шестёрка",    "семёрка",    "восьмёрка",    "девятка",      "десятка",
        "одиннадцать", "двенадцать", "тринадцать",   "четырнадцать", "пятнадцать",
        "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
    const std::vector<std::string> units = {"",     "один",  "два",  "три",    "четыре",
                                            "пять", "шесть", "семь", "восемь", "девять"};
    const std::vector<std::string> tens = {"", "", "двадцать", "тридцать", "сорок", "пятьдесят"};
    if (n < 20)
        return small.at(static_cast<std::size_t>(n - 1));
    return tens.at(static_cast<std::size_t>(n / 10)) + units[static_cast<std::size_t>(n % 10)];
}

int match(const std::string& dateVib, const std::string& numberVib) {
    int c = 0;
    for (char ch : dateVib)
        c += numberVib.find(ch) != std::string::npos ? 1 : 0;
    return c;
}

int sharedDigits(const std::string& date, long long x) {
    std::set<char> dateDigits;
    for (char c : date)
        if (c != '.')
            dateDigits.insert(c);
    const std::string xs = std::to_string(x);
    return static_cast<int>(std::count_if(dateDigits.begin(), dateDigits.end(),
                                          [&](char c) { return xs.find(c) != std::string::npos; }));
}

// ---- Every row of both pages -----------------------------------------------

int expectedValue(int row, const Draw& d) {
    std::vector<int> s = d.n;
    std::sort(s.begin(), s.end());
    int sum = 0;
    for (int x : s)
        sum += x;
    std::string t;
    for (const auto& text : d.texts)
        t += text;
    auto occurrences = [&](char c) { return static_cast<int>(std::count(t.begin(), t.end(), c)); };

    if (row == 268 || row == 269) {
        std::vector<char> u;
        for (std::size_t at = 0; at < 10; ++at) {
            const char c = d.date[at];
            if (c == '.' || (c == '0' && (at == 0 || at == 3)))
                continue;
            if (std::find(u.begin(), u.end(), c) == u.end())
                u.push_back(c);
        }
        int v = 0;
        for (char c : u)
            v += occurrences(row == 268 ? c : static_cast<char>('0' + 9 - (c - '0')));
        return v;
    }
    if (row >= 270 && row <= 279)
        return occurrences(static_cast<char>('0' + (row - 269) % 10));
    if (row >= 280 && row <= 287) {
        const int m = row - 275;
        return sum % m == 0 ? m : sum % m;
    }
    const std::map<int, int> vibrationRows = {{151, 1}, {153, 2}, {155, 3},
                                              {157, 4}, {160, 5}, {159, 0}};
    if (vibrationRows.count(row)) {
        const int k = vibrationRows.at(row);
        std::string words;
        for (std::size_t j = 0; j < 5; ++j)
            if (k == 0 || static_cast<int>(j) == k - 1)
                words += numberText(s[j]);
        return match(vibration(dateText(d.date)), vibration(words));
    }
    if (row >= 152 && row <= 158)
        return sharedDigits(d.date, 10000LL * s[static_cast<std::size_t>((row - 152) / 2)] / s[4]);
    if (row >= 162 && row <= 170 && row % 2 == 0)
        return sharedDigits(d.date, 10000LL * s[static_cast<std::size_t>((row - 162) / 2)] / sum);
    if (row >= 161 && row <= 169)
        return 100 * s[static_cast<std::size_t>((row - 161) / 2)] / sum;
    ADD_FAILURE() << "no value for row " << row;
    return -1;
}

bool holds(const std::string& condition, int v, int p) {
    if (condition == "<=")
        return v <= p;
    if (condition == "=")
        return v == p;
    if (condition == "<>")
        return v != p;
    return v >= p;
}

std::map<std::string, std::string> cliFields(const std::string& out) {
    std::istringstream lines(out);
    std::string line;
    std::map<std::string, std::string> fields;
    while (std::getline(lines, line))
        fields[line.substr(0, line.find(':'))] = line.substr(line.find(':') + 1);
    return fields;
}

void checkRows(int first, int last) {
    testing::WorkFolder folder;
    const auto draws = readDraws();
    ASSERT_EQ(draws.size(), 50u);
    ASSERT_EQ(draws.back().date.substr(6), "2026");
    const auto filterLines =
        testing::decodedLines("bd/5_36/bd_filters/bd_filters.txt", std::string(kFilterFileKey));
    for (int row = first; row <= last; ++row) {
        const auto fields = split(filterLines.at(static_cast<std::size_t>(row)));
        const int parameter = std::stoi(fields.at(2));
        const std::string condition = fields.at(4);
        std::string values;
        std::string failed;
        int matched = 0;
        for (std::size_t i = 0; i < draws.size(); ++i) {
            const int v = expectedValue(row, draws[i]);
            values += " " + std::to_string(v);
            if (holds(condition, v, parameter))
                ++matched;
            else
                failed += " " + std::to_string(i + 1);
        }
        const auto run = testing::runCli("evaluate " + std::to_string(row));
        ASSERT_EQ(run.exitCode, 0) << "row " << row;
        auto out = cliFields(run.out);
        EXPECT_EQ(out["row"], " " + std::to_string(row));
        EXPECT_EQ(out["values"], values) << "row " << row;
        EXPECT_EQ(out["match"], " " + std::to_string(matched)) << "row " << row;
        EXPECT_EQ(out["failed"], failed) << "row " << row;
    }
}

TEST(DigitNumerologyScenario, EveryDigitFilterOnTheBundledDraws) {
    checkRows(268, 287);
}

TEST(DigitNumerologyScenario, EveryNumerologyFilterOnTheBundledDraws) {
    checkRows(151, 170);
}

TEST(DigitNumerologyScenario, ReservedRowsAreNoFilters) {
    testing::WorkFolder folder;
    for (int row : {171, 172, 173, 174})
        EXPECT_EQ(testing::runCli("evaluate " + std::to_string(row)).exitCode, 2) << row;
}

} // namespace
} // namespace vargis
