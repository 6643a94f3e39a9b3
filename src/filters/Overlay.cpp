#include "filters/Overlay.h"

#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "context/AppContext.h"
#include "context/Workspace.h"
#include "ui/Form.h"
#include "ui/MainFormControls.h"

#include <string>

namespace vargis::filters {

namespace {

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
    if (row < catalogue::kFirstRow || row > catalogue::kLastRow)
        return std::nullopt;
    return catalogue::familyOfRow(row).overlaySkip(row);
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

void registerOverlayHandlers(context::AppContext& app) {
    app.dispatcher().on(
        ui::kMainForm, kOverlayButton, ui::Event::Click,
        [&app](const std::string&) { overlayEnabledFilters(app.workspace(), app.mainForm()); });
}

} // namespace vargis::filters
