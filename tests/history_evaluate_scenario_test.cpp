// Presses every button of the ranked pages, "повторы", "кол-во в рядах" and
// "разности" through the call behind vargis-cli evaluate (a few through
// vargis-cli itself) on the bundled working folder and
// compares values, count and failed draws with values computed here from the
// draw file and the filter file, by an independent reading of each filter.

#include "app/RowEvaluation.h"
#include "base/Scramble.h"
#include "catalogue/Catalogue.h"
#include "cli/Printing.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/ScriptedPlatform.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace vargis {
namespace {

struct Draw {
    std::string date;
    std::vector<int> n;      // as recorded
    std::vector<int> sorted; // ascending
};

std::vector<Draw> readDraws() {
    std::vector<Draw> draws;
    for (const auto& line : testing::readDraws()) {
        std::vector<std::string> fields;
        std::stringstream in(line);
        std::string f;
        while (std::getline(in, f, ';'))
            fields.push_back(f);
        Draw d{fields.at(1), {}, {}};
        for (std::size_t k = 2; k <= 6; ++k)
            d.n.push_back(std::stoi(fields.at(k)));
        d.sorted = d.n;
        std::sort(d.sorted.begin(), d.sorted.end());
        draws.push_back(d);
    }
    return draws;
}

int digitRoot(int x) {
    while (x > 9)
        x = x % 10 + digitRoot(x / 10);
    return x == 0 ? 9 : x;
}

struct Expected {
    std::vector<int> values;
    int first = 1;       // first evaluated draw
    bool linked = false; // values 1/0/2 against the required outcome
    int unevaluated = 0; // linked: draws counted as unequal under "<>"
};

// Ranked link of a button caption on page p: "k-..." names the recorded
// number, "(N-2)" the offset, "62"/"38" the multiplier.
Expected link(const std::vector<Draw>& d, int p, const std::string& caption) {
    const int k = caption[0] - '0';
    const int a = caption.find("N-2") != std::string::npos ? 2 : 1;
    const int hundredths = caption.find("62") != std::string::npos   ? 62
                           : caption.find("38") != std::string::npos ? 38
                                                                     : 100;
    Expected e{std::vector<int>(d.size(), 2), a + 1, true, 0};
    for (std::size_t f = static_cast<std::size_t>(a); f < d.size(); ++f) {
        const int h = d[f - static_cast<std::size_t>(a)].n[static_cast<std::size_t>(k - 1)];
        const int t = std::max(1, h * hundredths / 100);
        e.values[f] = d[f].sorted[static_cast<std::size_t>(p - 1)] == t ? 1 : 0;
    }
    if (d.size() > static_cast<std::size_t>(a))
        e.unevaluated = a;
    return e;
}

Expected expectedOf(int row, const std::vector<Draw>& d) {
    const auto& rc = catalogue::rowControls(row);
    const std::string caption(rc.caption);
    Expected e{std::vector<int>(d.size(), 0)};
    auto each = [&](auto value) {
        for (std::size_t f = 0; f < d.size(); ++f)
            e.values[f] = value(f);
    };
    if (row == 31) {
        e.linked = true;
        each([&](std::size_t f) {
            int sum = 0;
            for (char c : d[f].date)
                sum += c == '.' ? 0 : c - '0';
            return digitRoot(sum) == digitRoot(d[f].sorted[0]) ? 1 : 0;
        });
    } else if (row == 55 || row == 79 || row == 103) {
        each([&](std::size_t f) { return d[f].sorted[static_cast<std::size_t>((row - 31) / 24)]; });
    } else if (row == 127) {
        each([&](std::size_t f) { return digitRoot(d[f].sorted[4]); });
    } else if (row >= 32 && row <= 150) {
        return link(d, (row - 31) / 24 + 1, caption);
    } else if (row >= 175 && row <= 198) {
        // Offsets from the caption: a run "1 и...-m" or the listed ones.
        std::vector<int> listed;
        for (std::size_t i = 0; i < caption.size(); ++i)
            if (std::isdigit(static_cast<unsigned char>(caption[i])) &&
                (i == 0 || !std::isdigit(static_cast<unsigned char>(caption[i - 1]))))
                listed.push_back(std::atoi(caption.c_str() + i));
        std::vector<int> offsets = listed;
        if (caption.find("...") != std::string::npos) {
            offsets.clear();
            for (int x = 1; x <= listed.back(); ++x)
                offsets.push_back(x);
        }
        const int largest = *std::max_element(offsets.begin(), offsets.end());
        e.first = largest + 1;
        for (std::size_t f = static_cast<std::size_t>(largest); f < d.size(); ++f) {
            std::set<int> before;
            for (int off : offsets)
                before.insert(d[f - static_cast<std::size_t>(off)].n.begin(),
                              d[f - static_cast<std::size_t>(off)].n.end());
            e.values[f] = static_cast<int>(std::count_if(d[f].n.begin(), d[f].n.end(),
                                                         [&](int x) { return before.count(x); }));
        }
    } else if (row >= 223 && row <= 244) {
        // "кол. в (lo -:- hi)+" with the ranges of 5 of 36.
        int lo = std::atoi(caption.c_str() + caption.find('(') + 1);
        int hi = std::atoi(caption.c_str() + caption.find(":-") + 3);
        if (row == 242)
            lo = 29, hi = 34;
        each([&](std::size_t f) {
            return static_cast<int>(std::count_if(d[f].n.begin(), d[f].n.end(),
                                                  [&](int x) { return x >= lo && x <= hi; }));
        });
    } else if (row >= 262 && row <= 266) {
        const std::size_t p = static_cast<std::size_t>(row - 262);
        each([&](std::size_t f) {
            if (f == 0)
                return 0;
            int sum = 0;
            for (std::size_t g = 0; g < f; ++g)
                sum += d[g].sorted[p];
            return std::abs(d[f].sorted[p] - sum / static_cast<int>(f));
        });
    } else if (row == 261) {
        each([&](std::size_t f) {
            int sum = 0;
            for (std::size_t k = 0; k < 4; ++k)
                sum += d[f].sorted[k + 1] - d[f].sorted[k];
            return sum;
        });
    } else {
        // "Xе - Yе"
        const std::size_t hi = static_cast<std::size_t>(caption[0] - '1');
        const std::size_t lo = static_cast<std::size_t>(caption[caption.find("- ") + 2] - '1');
        each([&](std::size_t f) { return d[f].sorted[hi] - d[f].sorted[lo]; });
    }
    return e;
}

bool holds(const std::string& condition, int v, int p) {
    return condition == "<="   ? v <= p
           : condition == "="  ? v == p
           : condition == "<>" ? v != p
                               : v >= p;
}

std::string joined(const std::string& head, const std::vector<int>& xs) {
    std::string line = head;
    for (int x : xs)
        line += " " + std::to_string(x);
    return line;
}

// The four lines evaluate must print for a row under the filter file's
// condition and parameter.
std::string expectedOutput(int row, const std::vector<Draw>& d) {
    const Expected e = expectedOf(row, d);
    const std::string condition = testing::filterField(row, 5);
    int match = 0;
    std::vector<int> failed;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int v = e.values[i];
        const int f = static_cast<int>(i) + 1;
        if (e.linked) {
            match += (condition == "=" && v == 1) || (condition == "<>" && v == 0);
            if ((condition == "=" && v == 0) || (condition == "<>" && v == 1))
                failed.push_back(f);
        } else {
            const int p = std::stoi(testing::filterField(row, 3));
            match += f >= e.first && holds(condition, v, p);
            if (!holds(condition, v, p))
                failed.push_back(f);
        }
    }
    if (condition == "<>")
        match += e.unevaluated;
    return "row: " + std::to_string(row) + "\n" + joined("values:", e.values) + "\n" +
           "match: " + std::to_string(match) + "\n" + joined("failed:", failed) + "\n";
}

// The rows whose buttons compute on these pages for 5 of 36.
std::vector<int> pressableRows() {
    std::vector<int> rows;
    for (const auto& rc : catalogue::allRows()) {
        using catalogue::Family;
        const bool family = rc.family == Family::RankedDate ||
                            rc.family == Family::RankedPosition ||
                            rc.family == Family::RankedLink || rc.family == Family::Repeat ||
                            rc.family == Family::CountInRange || rc.family == Family::Difference;
        const bool noRangeFor36 = rc.row == 233 || rc.row == 243 || rc.row == 244;
        if (family && !rc.hidden && !noRangeFor36)
            rows.push_back(rc.row);
    }
    return rows;
}

// The first pressable row of each family.
std::vector<int> oneRowPerFamily() {
    std::vector<int> rows;
    std::set<catalogue::Family> seen;
    for (int row : pressableRows())
        if (seen.insert(catalogue::rowControls(row).family).second)
            rows.push_back(row);
    return rows;
}

// Every row pressed in one application started on the folder as it is now,
// through the same call vargis-cli evaluate makes; one row per family also
// through vargis-cli itself, whose output must be the same text.
void compareEveryRow() {
    const auto draws = readDraws();
    testing::ScriptedPlatform platform;
    app::Application app(platform);
    app.start();
    for (int row : pressableRows()) {
        const auto evaluation = app::evaluateRow(app, row);
        ASSERT_TRUE(evaluation) << "row " << row;
        EXPECT_EQ(cli::evaluationText(*evaluation), expectedOutput(row, draws)) << "row " << row;
    }
    for (int row : oneRowPerFamily()) {
        const auto run = testing::runCli("evaluate " + std::to_string(row));
        EXPECT_EQ(run.exitCode, 0) << row;
        EXPECT_EQ(run.out, expectedOutput(row, draws)) << "row " << row;
    }
}

TEST(HistoryEvaluateScenario, EveryButtonUnderTheStoredSettings) {
    testing::WorkFolder folder;
    ASSERT_EQ(readDraws().size(), 50u);
    EXPECT_EQ(pressableRows().size(), 5u * 21 + 24 + 19 + 16);
    compareEveryRow();
}

TEST(HistoryEvaluateScenario, EveryButtonUnderTheOtherConditions) {
    testing::WorkFolder folder;
    for (int row : pressableRows()) {
        const std::string condition = testing::filterField(row, 5);
        const bool twoWay = condition == "=" || condition == "<>";
        const bool linked =
            (row >= 31 && row <= 150) && row != 55 && row != 79 && row != 103 && row != 127;
        if (linked)
            testing::setFilterField(row, 5, condition == "=" ? "<>" : "=");
        else
            testing::setFilterField(row, 5, twoWay ? "<=" : row % 2 ? "=" : "<>");
        if (!linked)
            testing::setFilterField(row, 3, std::to_string(row % 4 + (row >= 246 ? 3 : 1)));
    }
    compareEveryRow();
}

TEST(HistoryEvaluateScenario, ShortTableAndRefusals) {
    testing::WorkFolder folder;
    // Ten draws: the long repeat rows say why they count nothing, on stderr.
    auto lines = testing::readDraws();
    lines.resize(10);
    testing::writeDraws(lines);
    const auto draws = readDraws();
    {
        testing::ScriptedPlatform platform;
        app::Application app(platform);
        app.start();
        for (int row : {32, 47, 175, 185, 191, 192, 198, 262}) {
            const auto evaluation = app::evaluateRow(app, row);
            ASSERT_TRUE(evaluation) << row;
            EXPECT_EQ(cli::evaluationText(*evaluation), expectedOutput(row, draws)) << row;
        }
    }
    const std::string cli = std::string("'") + VARGIS_CLI_PATH + "' evaluate ";
    int status = std::system((cli + "192 >out.txt 2>err.txt").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ifstream err("err.txt");
    std::string message;
    std::getline(err, message);
    EXPECT_EQ(message, "Фильтр Не работает. Недостаточно статистики.");
    // Placeholders and a row without a range for 5 of 36.
    for (int row : {52, 100, 150, 250, 267, 245, 243}) {
        status = std::system((cli + std::to_string(row) + " >/dev/null 2>&1").c_str());
        EXPECT_EQ(WEXITSTATUS(status), 2) << row;
    }
    // A filter base that names no row for a link button.
    testing::setFilterField(40, 6, "BitBtnX");
    status = std::system((cli + "40 >out.txt 2>err.txt").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::ifstream err2("err.txt");
    std::string text((std::istreambuf_iterator<char>(err2)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("bd_filters.txt"), std::string::npos) << text;
    std::ifstream out("out.txt");
    EXPECT_EQ(out.peek(), std::ifstream::traits_type::eof());
}

} // namespace
} // namespace vargis
