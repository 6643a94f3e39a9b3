// The import of a result archive of 160 000 lines (a game drawn every 15
// minutes for four and a half years), newest first, each line a draw
// number, a date with its time and five numbers: reading and checking the
// file alone, and the whole import that writes the archive and the table.
// The counters give the file's size and the process's peak memory before
// the first run and after the last (the growth is what the import takes).

#include "app/Analysis.h"
#include "app/Application.h"
#include "app/DefaultData.h"
#include "history/DrawImport.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace vargis;

constexpr int kLines = 160000;

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A working folder in a temporary folder with the archive file in it; the
// current directory is moved there for the benchmark's life.
class ImportFolder {
public:
    ImportFolder() {
        namespace fs = std::filesystem;
        previous_ = fs::current_path();
        path_ = fs::temp_directory_path() / ("vargis-import-bench-" + std::to_string(getpid()));
        fs::remove_all(path_);
        app::writeWorkingFolder(path_.string());
        fs::current_path(path_);
        std::ofstream out("archive.csv", std::ios::binary);
        out << "Тираж;Дата;Шар 1;Шар 2;Шар 3;Шар 4;Шар 5\r\n";
        // Newest first: minute m after 01.01.2020 00:00 is draw m / 15.
        for (int i = kLines - 1; i >= 0; --i) {
            const int day = i / 96;
            const int minutes = (i % 96) * 15;
            // Days from 01.01.2020 as a calendar date, 365-day years are close
            // enough here: every month of 28 days keeps the dates valid.
            const int year = 2020 + day / (12 * 28);
            const int month = 1 + day / 28 % 12;
            char line[96];
            std::snprintf(line, sizeof line, "%d;%02d.%02d.%04d %02d:%02d;%d;%d;%d;%d;%d\r\n",
                          i + 1, 1 + day % 28, month, year, minutes / 60, minutes % 60, 1 + i % 7,
                          8 + i % 5, 14 + i % 9, 24 + i % 3, 28 + i % 9);
            out << line;
        }
        bytes_ = static_cast<double>(out.tellp());
    }
    ~ImportFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    double bytes() const { return bytes_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
    double bytes_ = 0;
};

void BM_ReadArchiveFile(benchmark::State& state) {
    const ImportFolder folder;
    const double before = peakMegabytes();
    for (auto _ : state) {
        const history::DrawFile file = history::readDrawFile("archive.csv", 36);
        benchmark::DoNotOptimize(file.draws.data());
    }
    state.counters["file_MB"] = folder.bytes() / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_before_MB"] = before;
}
BENCHMARK(BM_ReadArchiveFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportArchiveFile(benchmark::State& state) {
    const ImportFolder folder;
    ui::SilentPlatform platform;
    app::Application application(platform);
    application.offersImport = false;
    application.start();
    const double before = peakMegabytes();
    for (auto _ : state) {
        const app::ImportRun run =
            app::importDraws(application, history::readDrawFile("archive.csv", 36));
        if (run.archived != static_cast<std::size_t>(kLines))
            state.SkipWithError("not every draw was imported");
    }
    state.counters["file_MB"] = folder.bytes() / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_before_MB"] = before;
}
BENCHMARK(BM_ImportArchiveFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
