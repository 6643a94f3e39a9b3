// The whole combine command, both passes included, on a working folder whose
// kind (5 of 28 to 5 of 50), numbers in play, draws, forecast target and
// filter settings come from the input: draw numbers may be 0 or above N,
// dates and parameters may be malformed. The run sweeps a part of the
// combinations the input chooses (at most 16 384 of them, spread over the
// whole list or a run of neighbours), so that an input costs a few
// milliseconds whatever its kind. Every input must end in a result, a stop
// or an error box, never in a crash or undefined behaviour.

#include "FuzzSupport.h"
#include "app/Application.h"
#include "app/LotteryKind.h"
#include "base/Combinatorics.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

// C(n, k) for n <= 50, k <= 5.
std::int64_t choose(int n, int k) {
    static const auto table = [] {
        std::array<std::array<std::int64_t, 6>, engine::kMaxNumber + 1> t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            t[i][0] = 1;
            for (std::size_t j = 1; i > 0 && j < t[i].size(); ++j)
                t[i][j] = t[i - 1][j - 1] + t[i - 1][j];
        }
        return t;
    }();
    return table[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

// The combination at `index` of the lexicographic list of 5 of n.
engine::Combination combinationAt(std::int64_t index, int n) {
    engine::Combination c{};
    int v = 1;
    for (int j = 0; j < 5; ++j, ++v) {
        for (std::int64_t count; index >= (count = choose(n - v, 4 - j)); ++v)
            index -= count;
        c[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(v);
    }
    return c;
}

// The part of the combinations a run sweeps: `count` entries `stride` apart
// from `start`, in the order of the whole list.
struct Part {
    std::int64_t start = 0;
    std::int64_t stride = 1;
    std::int64_t count = 0;

    engine::CombinationList list(int n, const std::function<void(int)>& afterFirst) const {
        engine::CombinationList part;
        part.reserve(static_cast<std::size_t>(count));
        for (std::int64_t i = 0; i < count; ++i) {
            part.push_back(combinationAt(start + i * stride, n));
            if (afterFirst && part.size() > 1 && part[part.size() - 2][0] != part.back()[0])
                afterFirst(part[part.size() - 2][0]);
        }
        if (afterFirst && !part.empty())
            afterFirst(part.back()[0]);
        return part;
    }
};

// Puts back a control or a part of the workspace a run may have changed.
// A part that differs is replaced by a fresh copy rather than assigned, so
// that what the run grew is freed (the leak check would otherwise run the
// input again); a part that did not change costs a comparison.
template <class T> void restore(T& value, const T& initial) {
    if (!(value == initial)) {
        T fresh = initial;
        std::swap(value, fresh);
    }
}

// Every member of the workspace, as loaded.
void restoreWorkspace(context::Workspace& ws, const context::Workspace& initial) {
    restore(ws.kindFolder, initial.kindFolder);
    ws.numbersPerDraw = initial.numbersPerDraw;
    ws.highestNumber = initial.highestNumber;
    restore(ws.dataFolder, initial.dataFolder);
    for (std::size_t i = 0; i < ws.history.rows.size(); ++i)
        restore(ws.history.rows[i].fields, initial.history.rows[i].fields);
    ws.history.ranked = initial.history.ranked;
    ws.history.drawCount = initial.history.drawCount;
    for (std::size_t i = 0; i < ws.filters.rows.size(); ++i)
        restore(ws.filters.rows[i].fields, initial.filters.rows[i].fields);
    ws.filters.fileLineCount = initial.filters.fileLineCount;
    restore(ws.settings, initial.settings);
    for (std::size_t i = 0; i < ws.failMarks.marks.size(); ++i)
        restore(ws.failMarks.marks[i], initial.failMarks.marks[i]);
    for (std::size_t i = 0; i < ws.digits.rows.size(); ++i)
        restore(ws.digits.rows[i].fields, initial.digits.rows[i].fields);
    ws.currentFilterRow = initial.currentFilterRow;
    restore(ws.forecastDate, initial.forecastDate);
    ws.forecastOrdinal = initial.forecastOrdinal;
    ws.combinationCount = initial.combinationCount;
    restore(ws.filterValues, initial.filterValues);
    ws.matchCount = initial.matchCount;
    ws.firstCountedDraw = initial.firstCountedDraw;
    ws.previousDrawOffset = initial.previousDrawOffset;
    ws.stopFlag = initial.stopFlag;
    ws.panelHiddenByMinimise = initial.panelHiddenByMinimise;
    ws.walkthroughPage = initial.walkthroughPage;
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
    // Each control of the main form with its loaded state. A form never
    // drops a control, so the pairs hold; the form's focus, which the
    // command moves to a stopping row's button, is read by nothing here.
    static const auto controls = [] {
        std::vector<std::pair<ui::Control*, const ui::Control*>> pairs;
        for (const std::string& name : initialForm.order())
            pairs.emplace_back(&app->mainForm().at(name), &initialForm.at(name));
        return pairs;
    }();

    // The previous input left the workspace as it was loaded.
    context::Workspace& ws = app->workspace();
    Input in(data, size);

    // The kind: mostly 5 of 28 or 5 of 36, the others 5 of 28 to 5 of 50
    // (the count-in-ranges rows differ from 34 and from 45 on).
    const int kind = in.next();
    const int highest = kind % 8 == 0 ? 36 : kind % 8 <= 4 ? 28 : 28 + (kind >> 3) % 23;
    ws.highestNumber = static_cast<std::uint8_t>(highest);
    ws.combinationCount = countCombinations(ws.highestNumber, std::uint8_t{5});

    // The part swept: 32 to 16 384 entries (more than the result grid
    // shows), spread evenly over the whole list or a run of neighbours.
    const int shape = in.next();
    const std::int64_t place = in.next() * 256 + in.next();
    const std::int64_t total = choose(highest, 5);
    Part part;
    part.count = std::min<std::int64_t>(total, std::int64_t{32} << (shape % 10));
    if ((shape / 10) % 2 == 0) {
        part.stride = total / part.count;
        part.start = place % part.stride;
    } else {
        part.start = place * (total - part.count) / 65535;
    }
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
    app->guarded([&part] {
        commands::combineFilters(*app, commands::ExclusionQuestion::AnswerYes,
                                 [&part](int n, const std::function<void(int)>& afterFirst) {
                                     return part.list(n, afterFirst);
                                 });
    });

    // What the run kept (the result lists, the grid's rows, the chart) is
    // released now, so that every run frees what it allocated and the leak
    // check has no reason to run an input twice.
    commands::combineState(*app) = commands::CombineState{};
    for (const auto& [control, loaded] : controls)
        restore(*control, *loaded);
    restoreWorkspace(ws, initial);
    return 0;
}
