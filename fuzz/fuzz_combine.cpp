// The whole combine command, both passes included, on a working folder whose
// draws, forecast target and filter settings come from the input: draw
// numbers may be 0 or above N, dates and parameters may be malformed. Every
// input must end in a result, a stop or an error box, never in a crash or
// undefined behaviour.

#include "FuzzSupport.h"
#include "app/Application.h"
#include "engine/CombineCommand.h"

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

    context::Workspace& ws = app->workspace();
    ws = initial;
    Input in(data, size);

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
    app->guarded([] { engine::combineFilters(*app, engine::ExclusionQuestion::AnswerYes); });
    return 0;
}
