// The randomness check: chi-square on hand-made histories whose counts are
// known, the binning rule's edges, the Benjamini-Hochberg order, and the
// command over the draw table, the archive and too few draws.

#include "base/Cp1251.h"
#include "base/Errors.h"
#include "commands/RandomnessCheck.h"
#include "engine/FirstPassKernel.h"
#include "engine/Generation.h"
#include "engine/Randomness.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <regex>

namespace vargis {
namespace {

using engine::Combination;
using engine::ValueBin;

// The upper tail of chi-square with an even df = 2m in closed form.
double evenTail(double chi2, int df) {
    double term = 1, sum = 0;
    for (int k = 0; k < df / 2; ++k) {
        if (k > 0)
            term *= chi2 / 2 / k;
        sum += term;
    }
    return std::exp(-chi2 / 2) * sum;
}

TEST(Randomness, ChiSquareOnHandMadeHistories) {
    // 5 of 11: eleven draws of 1..5 give each of them 11 against 5 expected
    // and 6..11 none: chi2 = 5 * 36 / 5 + 6 * 25 / 5 = 66 on 10 df.
    const std::vector<Combination> same(11, Combination{5, 4, 3, 2, 1});
    const auto result = engine::testRandomness(same, 11);
    EXPECT_EQ(result.draws, 11);
    EXPECT_EQ(result.numberCounts[1], 11);
    EXPECT_EQ(result.numberCounts[11], 0);
    EXPECT_NEAR(result.numbersChi2, 66, 1e-9);
    EXPECT_NEAR(result.numbersP, evenTail(66, 10), 1e-15);
    EXPECT_NEAR(engine::chiSquareTail(7.3, 4), evenTail(7.3, 4), 1e-12);

    // The sum row: every draw sums to 15, the smallest sum, so all of them
    // fall in the first bin; the expected counts are the sums' shares of all
    // combinations, counted here directly.
    const auto distributions = engine::firstPassDistributions(11);
    const auto sumRow = std::find_if(distributions.begin(), distributions.end(), [](const auto& d) {
        return d.value.term == catalogue::value::sum().term;
    });
    ASSERT_NE(sumRow, distributions.end());
    const auto row = std::find_if(result.rows.begin(), result.rows.end(),
                                  [&](const auto& r) { return r.row == sumRow->row; });
    ASSERT_NE(row, result.rows.end());
    const auto all = engine::generateCombinations(11);
    double chi2 = 0;
    for (std::size_t b = 0; b < row->bins.size(); ++b) {
        const ValueBin& bin = row->bins[b];
        std::int64_t inBin = 0;
        for (const Combination& c : all) {
            const int sum = c[0] + c[1] + c[2] + c[3] + c[4];
            inBin += sum >= bin.firstValue && sum <= bin.lastValue ? 1 : 0;
        }
        const double expected = 11.0 * static_cast<double>(inBin) / 462.0;
        EXPECT_NEAR(bin.expected, expected, 1e-9);
        EXPECT_GE(bin.expected, 5.0 - 1e-9);
        EXPECT_EQ(bin.observed, b == 0 ? 11 : 0);
        const double d = (b == 0 ? 11 : 0) - expected;
        chi2 += d * d / expected;
    }
    EXPECT_EQ(row->bins.front().firstValue, 15);
    EXPECT_EQ(row->bins.back().lastValue, 45);
    EXPECT_NEAR(row->chi2, chi2, 1e-9);

    // Not five different numbers of the kind, or too few draws.
    EXPECT_THROW(engine::testRandomness(std::vector<Combination>(10, {1, 2, 3, 4, 12}), 11),
                 RangeError);
    EXPECT_THROW(engine::testRandomness(std::vector<Combination>(10, {1, 2, 2, 4, 5}), 11),
                 RangeError);
    EXPECT_THROW(engine::testRandomness(std::vector<Combination>(9, {1, 2, 3, 4, 5}), 11),
                 RangeError);
}

// The distributions, counted from term tables where a value is a sum of
// terms, against the first pass's own value of every combination.
TEST(Randomness, DistributionsAreTheFirstPassValuesOfEveryCombination) {
    const engine::CombinationList all = engine::generateCombinations(13);
    const std::array<bool, engine::kMaxNumber + 1> none{};
    const auto distributions = engine::firstPassDistributions(13);
    EXPECT_GT(distributions.size(), 60u);
    for (const auto& d : distributions) {
        std::map<int, std::int64_t> direct;
        for (const Combination& c : all)
            ++direct[engine::combinationValue(d.value, c, none)];
        std::map<int, std::int64_t> counted;
        for (std::size_t v = 0; v < d.counts.size(); ++v)
            if (d.counts[v] != 0)
                counted[static_cast<int>(v)] = d.counts[v];
        EXPECT_EQ(counted, direct) << "row " << d.row;
    }
}

TEST(Randomness, BinsCloseAtFiveExpectedAndAShortLastBinJoinsItsNeighbour) {
    // As many draws as combinations: a value expects its own count.
    auto edges = [](const std::vector<std::int64_t>& counts, std::int64_t all, int draws) {
        std::vector<std::array<int, 2>> out;
        for (const ValueBin& b : engine::mergeBins(counts, {}, all, draws))
            out.push_back({b.firstValue, b.lastValue});
        return out;
    };
    using Edges = std::vector<std::array<int, 2>>;
    EXPECT_EQ(edges({3, 2, 5, 1, 1}, 12, 12), (Edges{{0, 1}, {2, 4}})); // short last bin
    EXPECT_EQ(edges({3, 2, 5, 5}, 15, 15), (Edges{{0, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(edges({1, 1, 1}, 3, 3), (Edges{{0, 2}}));                    // one bin only
    EXPECT_EQ(edges({0, 6, 0, 0, 6, 0}, 12, 12), (Edges{{1, 1}, {4, 4}})); // unused values
    // 5 expected exactly closes a bin: 2 of 4 combinations over 10 draws.
    EXPECT_EQ(edges({2, 2}, 4, 10), (Edges{{0, 0}, {1, 1}}));
    EXPECT_EQ(edges({2, 2}, 4, 9), (Edges{{0, 1}}));

    const auto bins = engine::mergeBins({3, 2, 5, 1, 1}, {4, 0, 6, 0, 2}, 12, 12);
    ASSERT_EQ(bins.size(), 2u);
    EXPECT_EQ(bins[0].observed, 4);
    EXPECT_EQ(bins[1].observed, 8);
    EXPECT_DOUBLE_EQ(bins[1].expected, 7);
    EXPECT_NEAR(engine::chiSquareOf(bins), 1.0 / 5 + 1.0 / 7, 1e-12);
}

TEST(Randomness, BenjaminiHochbergRanksByPAndKeepsTiesEqual) {
    const auto q = engine::benjaminiHochberg({0.04, 0.01, 0.03, 0.01, 0.5});
    const std::vector<double> expected{0.05, 0.025, 0.05, 0.025, 0.5};
    ASSERT_EQ(q.size(), expected.size());
    for (std::size_t i = 0; i < q.size(); ++i)
        EXPECT_NEAR(q[i], expected[i], 1e-15) << i;
    // The step-up minimum: a larger p further up lowers the q before it.
    const auto up = engine::benjaminiHochberg({0.9, 0.2, 0.21, 1.0});
    EXPECT_NEAR(up[1], 0.42, 1e-15);
    EXPECT_NEAR(up[2], 0.42, 1e-15);
    EXPECT_NEAR(up[0], 1.0, 1e-15);
    EXPECT_TRUE(engine::benjaminiHochberg({}).empty());
}

TEST(RandomnessCli, TableArchiveAndTooFewDraws) {
    testing::WorkFolder folder;
    const auto run = testing::runCliCapturingErr("randomness");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream in(run.out);
    const std::regex rowLine("row ([0-9]+): draws 50; bins ([0-9]+); chi2 [0-9]+\\.[0-9]{2}; "
                             "p [01]\\.[0-9]{4}; q [01]\\.[0-9]{4}");
    std::string line;
    int previous = 0, rows = 0;
    while (std::getline(in, line) && line.rfind("row ", 0) == 0) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, rowLine)) << line;
        EXPECT_GT(std::stoi(m[1]), previous); // in row order
        EXPECT_GE(std::stoi(m[2]), 2);
        previous = std::stoi(m[1]);
        ++rows;
    }
    EXPECT_GT(rows, 50);
    // The numbers' counts of the table, counted here.
    std::array<int, 37> counts{};
    for (const std::string& draw : testing::readDraws()) {
        std::vector<std::string> fields;
        std::istringstream parts(draw);
        for (std::string f; std::getline(parts, f, ';');)
            fields.push_back(f);
        for (std::size_t k = 2; k < 7; ++k)
            ++counts[static_cast<std::size_t>(std::stoi(fields.at(k)))];
    }
    double chi2 = 0;
    for (int x = 1; x <= 36; ++x)
        chi2 += std::pow(counts[static_cast<std::size_t>(x)] - 250.0 / 36, 2) / (250.0 / 36);
    char expected[64];
    std::snprintf(expected, sizeof expected, "numbers: draws 50; chi2 %.2f; p %.4f", chi2,
                  engine::chiSquareTail(chi2, 35));
    EXPECT_EQ(line, expected);
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_TRUE(std::regex_match(line, std::regex("rows below q 0\\.05: [0-9]+"))) << line;

    // An archive is tested instead of the table; a damaged one is named.
    const std::string archive = "bd/5_36/bd_archive/bd_archive.txt";
    std::string lines;
    for (int i = 0; i < 12; ++i)
        lines += "0" + std::to_string(1 + i % 9) + ".0" + std::to_string(1 + i / 9) +
                 ".2024;1;2;3;4;" + std::to_string(5 + i) + "\r\n";
    std::filesystem::create_directories(std::filesystem::path(archive).parent_path());
    testing::writeBytesRaw(archive, lines);
    const auto overArchive = testing::runCliCapturingErr("randomness");
    ASSERT_EQ(overArchive.exitCode, 0) << overArchive.err;
    EXPECT_NE(overArchive.out.find("numbers: draws 12; "), std::string::npos);
    testing::writeBytesRaw(archive, lines + "30.02.2024;1;2;3;4;5\r\n");
    const auto damaged = testing::runCliCapturingErr("randomness");
    EXPECT_EQ(damaged.exitCode, 2);
    EXPECT_EQ(damaged.out, "");
    EXPECT_NE(damaged.err.find(archive + ", строка 13"), std::string::npos) << damaged.err;

    std::filesystem::remove(archive);
    testing::writeDraws(testing::makeDraws(9));
    const auto few = testing::runCliCapturingErr("randomness");
    EXPECT_EQ(few.exitCode, 2);
    EXPECT_EQ(few.out, "");
    EXPECT_NE(few.err.find("В таблице тиражей 9 - для проверки случайности нужно не меньше 10."),
              std::string::npos)
        << few.err;
}

TEST(RandomnessMenu, WritesAndOpensTheReport) {
    testing::StartedApp s;
    s.start();
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kRandomnessMenuItem));
    EXPECT_EQ(s.platform.opened, std::vector<std::string>{commands::kRandomnessReport});
    const std::string page = fromCp1251(testing::readBytes(commands::kRandomnessReport));
    EXPECT_NE(page.find("Проверка случайности"), std::string::npos);
    EXPECT_NE(page.find("<rect"), std::string::npos); // the bars of the smallest p
    if (const char* build = std::getenv("VARGIS_BUILD_DIR")) {
        std::filesystem::create_directories(std::filesystem::path(build) / "reports");
        std::filesystem::copy_file(commands::kRandomnessReport,
                                   std::filesystem::path(build) / "reports" /
                                       commands::kRandomnessReport,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    // The default table's draws: no row below q 0.05, said in plain words.
    EXPECT_NE(page.find("Ни один фильтр не отличает прошлые тиражи от случайных перестановок"),
              std::string::npos);
    EXPECT_TRUE(s.platform.errors().empty());
}

} // namespace
} // namespace vargis
