#include "LotteryKind.h"

#include "FormLayout.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "filters/MarkBases.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <iterator>

namespace vargis::app {

ParsedKind parseKindFolder(const std::string& folder) {
    const auto underscore = folder.find('_');
    if (underscore == std::string::npos || folder.size() < 3)
        throw ConversionError("'" + folder + "' - неверное имя лотереи");
    return {toByte(folder.substr(0, underscore)), toByte(folder.substr(2))};
}

void applyNumberRange(ui::Form& form, int highestNumber) {
    for (int n = 29; n <= filters::kNumbers; ++n) {
        const bool shown = n <= highestNumber;
        form.at(filters::numberLabelName(n)).visible = shown;
        form.at(ui::numberedName(ui::kCheckBoxPrefix, filters::numberCheckBoxSuffix(n))).visible =
            shown;
    }
}

namespace {

// The four controls of a row.
void showRow(ui::Form& form, int row, bool shown) {
    const auto& rc = catalogue::rowControls(row);
    for (auto name : {rc.checkBox, rc.button, rc.paramLabel, rc.upDown})
        if (!name.empty())
            form.at(std::string(name)).visible = shown;
}

// Sets a row's stem in the filter base and its button's caption.
void setRangeStem(ui::Form& form, context::Workspace& ws, int row, const std::string& stem) {
    auto& filterRow = ws.filters.row(row);
    filterRow.field(7) = stem;
    const std::string button = filterRow.buttonName();
    if (ui::Control* c = form.find(button))
        c->caption = filterRow.stem() + filterRow.condition();
}

const KindItem* kindItemOf(int n) {
    const std::string folder = "5_" + std::to_string(n);
    const auto* kind = std::find_if(std::begin(kKindItems), std::end(kKindItems),
                                    [&](const KindItem& k) { return folder == k.folder; });
    return kind == std::end(kKindItems) ? nullptr : kind;
}

// The kind menu's item of 5 of n is checked, the others not. A kind the menu
// does not offer checks the item its rules fall back on: that of 5 of 45
// from 45 on, that of 5 of 34 from 34 on; below, the menu stays as it is.
void checkKindItem(ui::Form& form, int n) {
    const KindItem* kind = kindItemOf(n);
    if (!kind && n >= 34)
        kind = kindItemOf(n >= 45 ? 45 : 34);
    if (!kind)
        return;
    for (const auto& name : form.at(ui::kKindMenu).items)
        form.at(name).checked = name == kind->item;
}

} // namespace

std::vector<std::pair<int, std::string>> kindStems(int n) {
    std::vector<std::pair<int, std::string>> stems;
    for (const auto& rc : catalogue::allRows())
        if (auto stem = catalogue::familyOfRow(rc.row).kindStem(rc.row, n))
            stems.emplace_back(rc.row, std::move(*stem));
    return stems;
}

std::string kindLabel(int n) {
    return "5 из " + std::to_string(n);
}

void applyKindAdjustments(ui::Form& form, context::Workspace& ws, int n) {
    checkKindItem(form, n);
    // The rows that follow the kind are shown where it has them.
    for (const auto& rc : catalogue::allRows())
        if (const auto shown = catalogue::familyOfRow(rc.row).shownForKind(rc.row, n))
            showRow(form, rc.row, *shown);
    for (const auto& [row, stem] : kindStems(n))
        setRangeStem(form, ws, row, stem);
    // Every kind the menu offers is labelled "5 из N"; so is every other.
    ws.kindCaption = kindLabel(n);
    form.at(ui::kKindCaption).caption = ws.kindCaption;
}

} // namespace vargis::app
