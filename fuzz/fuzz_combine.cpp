// The whole combine command, both passes included, on a working folder whose
// kind (5 of 28 or 5 of 36), numbers in play, draws, forecast target and
// filter settings come from the input: draw numbers may be 0 or above N,
// dates and parameters may be malformed. Every
// input must end in a result, a stop or an error box, never in a crash or
// undefined behaviour.

#include "FuzzSupport.h"
#include "app/Application.h"
#include "app/LotteryKind.h"
#include "base/Combinatorics.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"

#include <string>

namespace {

using namespace vargis;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    int next() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string twoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::enterWorkingFolderCopy();
    static fuzz::SilentPlatform platform;
    static app::Application* app = [] {
        auto* a = new app::Application(platform);
        a->start();
        return a;
    }();
    static const context::Workspace initial = app->workspace();
    static const ui::Form initialForm = app->mainForm();

    context::Workspace& ws = app->workspace();
    ws = initial;
    Input in(data, size);

    // The kind: mostly 5 of 28, whose 98 280 combinations keep the fuzzer at
    // many runs a second; every eighth input 5 of 36, with the count-in-ranges
    // rows that only the larger kinds show.
    const int highest = in.next() % 8 == 0 ? 36 : 28;
    ws.highestNumber = static_cast<std::uint8_t>(highest);
    ws.combinationCount = countCombinations(ws.highestNumber, std::uint8_t{5});
    app::applyNumberRange(app->mainForm(), highest);
    app::applyKindAdjustments(app->mainForm(), ws, highest);

    // Draws: numbers 0..59 as texts, dates one day apart.
    const int draws = in.next() % 51;
    ws.history.drawCount = static_cast<std::uint8_t>(draws);
    for (int d = 1; d <= draws; ++d) {
        auto& record = ws.history.record(d);
        record.field(2) = twoDigits(1 + (d - 1) % 28) + "." + twoDigits(1 + (d - 1) / 28) + ".2026";
        for (int k = 3; k <= 7; ++k)
            record.field(k) = std::to_string(in.next() % 60);
    }
    for (int d = 1; d <= draws; ++d)
        for (int k = 0; k < 5; ++k)
            ws.history.rankedRow(d)[static_cast<std::size_t>(k)] =
                static_cast<std::uint8_t>(std::stoi(ws.history.record(d).field(k + 3)));

    // The target: any ordinal, a date whose day and month may be out of range.
    ws.forecastOrdinal = static_cast<std::uint8_t>(1 + in.next() % (draws + 2));
    ws.forecastDate = twoDigits(in.next() % 33) + "." + twoDigits(in.next() % 14) + ".2026";
    app->mainForm().at("MonthCalendar2").date = ws.forecastDate;

    // The numbers in play: a run of 5..N numbers from any start, the rest
    // excluded as the number page does.
    const int first = in.next() % ws.highestNumber;
    const int playing = 5 + in.next() % (ws.highestNumber - 4);
    for (int n = 1; n <= ws.highestNumber; ++n)
        ws.digits.row(n).fields[2] =
            (n - 1 - first + ws.highestNumber) % ws.highestNumber < playing ? "1" : "0";

    // Row settings: row, then enabled flag, condition and parameter.
    static const char* conditions[] = {"<=", "=", "<>", ">=", "=>"};
    while (in.more()) {
        const int row = 1 + (in.next() * 256 + in.next()) % 287;
        const int setting = in.next();
        auto& r = ws.filters.row(row);
        r.field(4) = (setting & 1) != 0 ? "True" : "False";
        r.field(5) = conditions[(setting >> 1) % 5];
        r.field(3) = (setting >> 4) == 15 ? "x" : std::to_string((setting >> 4) * 20);
        if ((setting & 0x80) != 0 && row >= 32 && row <= 150)
            r.field(2) = std::to_string(setting);
    }
    app->guarded([] { commands::combineFilters(*app, commands::ExclusionQuestion::AnswerYes); });

    // What the run kept (the result lists, the grid's rows, the chart) is
    // released now, so that every run frees what it allocated and the leak
    // check has no reason to run an input twice.
    // Fresh copies, not assignments: an assignment would keep the buffers
    // the run grew.
    commands::combineState(*app) = commands::CombineState{};
    ui::Form form = initialForm;
    std::swap(app->mainForm(), form);
    context::Workspace fresh = initial;
    std::swap(ws, fresh);
    return 0;
}
