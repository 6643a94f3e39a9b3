#include "engine/Overlay.h"

#include "context/Application.h"
#include "context/Workspace.h"
#include "ui/Form.h"
#include "ui/MainFormControls.h"

#include <string>

namespace vargis::engine {

namespace {

struct SkipRange {
    int first;
    int last;
    int count;
};

// Rows not listed here leave the count as the previous enabled row set it.
constexpr SkipRange kSkipRanges[] = {
    {32, 46, 1},   {52, 54, 1},   {56, 70, 1},   {76, 78, 1},   {80, 94, 1},    {100, 102, 1},
    {104, 118, 1}, {124, 126, 1}, {128, 142, 1}, {148, 150, 1}, {200, 214, 1},  {220, 222, 1},
    {175, 175, 1}, {47, 51, 2},   {71, 75, 2},   {95, 99, 2},   {119, 123, 2},  {143, 147, 2},
    {215, 219, 2}, {176, 176, 2}, {179, 179, 2}, {177, 177, 3}, {180, 180, 3},  {182, 182, 3},
    {185, 185, 3}, {178, 178, 4}, {181, 181, 4}, {183, 184, 4}, {186, 186, 4},  {193, 193, 4},
    {187, 187, 5}, {194, 194, 5}, {188, 188, 6}, {195, 195, 6}, {189, 189, 7},  {196, 196, 7},
    {190, 190, 8}, {197, 197, 8}, {191, 191, 9}, {198, 198, 9}, {192, 192, 10},
};

constexpr ui::Color kOverlayYellow = ui::colors::Yellow; // 65535 in the toolkit's BGR
constexpr ui::Color kOverlayRed = ui::colors::Red;       // 255
constexpr ui::Color kOverlayNavy = ui::colors::Navy;     // 8388608, the line's background

// Ordinal j is found at the first occurrence of its decimal text in the line;
// ordinals 1..8 take one character, 9..50 two (9 with the space after it).
void colourOrdinal(ui::Control& edit, int ordinal, ui::Color color) {
    const auto at = edit.caption.find(std::to_string(ordinal));
    if (at == std::string::npos)
        return;
    edit.colorRanges.push_back({static_cast<int>(at), ordinal <= 8 ? 1 : 2, color});
}

} // namespace

std::optional<int> overlaySkipCount(int row) {
    for (const auto& range : kSkipRanges)
        if (row >= range.first && row <= range.last)
            return range.count;
    return std::nullopt;
}

void overlayEnabledFilters(const context::Workspace& ws, ui::Form& form) {
    form.at(ui::kOrdinalsCaption).caption = "Наложение";
    ui::Control& edit = form.at(ui::kOrdinalsLine);
    // Every ordinal is recoloured below, so the colours of the last filter
    // shown are dropped rather than piled up under the new ones.
    edit.colorRanges.clear();
    for (int j = 1; j <= context::kMarkColumns; ++j)
        colourOrdinal(edit, j, kOverlayYellow);

    // The count is carried from one enabled row to the next: a row outside
    // the table is overlaid from where the previous enabled row left it.
    int skip = 0;
    for (int r = 1; r <= context::kFilterRows; ++r) {
        if (ws.filters.row(r).enabled() != "True")
            continue;
        if (const auto count = overlaySkipCount(r))
            skip = *count;
        for (int j = skip + 1; j <= context::kMarkColumns; ++j)
            if (ws.failMarks.at(r, j) == "0")
                colourOrdinal(edit, j, kOverlayRed);
    }
    if (skip > 0)
        edit.colorRanges.push_back({0, 2 * skip + (skip == 10 ? 1 : 0), kOverlayNavy});
}

void registerOverlayHandlers(context::Application& app) {
    app.dispatcher().on(
        ui::kMainForm, kOverlayButton, ui::Event::Click,
        [&app](const std::string&) { overlayEnabledFilters(app.workspace(), app.mainForm()); });
}

} // namespace vargis::engine
