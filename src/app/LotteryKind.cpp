#include "LotteryKind.h"

#include "FormLayout.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RangeCounts.h"
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

// The four controls of a count-in-ranges row.
void showRow(ui::Form& form, int row, bool shown) {
    const auto& rc = catalogue::rowControls(row);
    for (auto name : {rc.checkBox, rc.button, rc.paramLabel, rc.upDown})
        if (!name.empty())
            form.at(std::string(name)).visible = shown;
}

// The stem of a count-in-ranges row that names the range the kind gives it,
// e.g. "кол. в (26 -:- 30)".
void setRangeStem(ui::Form& form, context::Workspace& ws, int row, int n) {
    const auto range = catalogue::countedRange(row, n);
    if (!range)
        return;
    auto& filterRow = ws.filters.row(row);
    filterRow.field(7) =
        "кол. в (" + std::to_string(range->lo) + " -:- " + std::to_string(range->hi) + ")";
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

void applyKindAdjustments(ui::Form& form, context::Workspace& ws, int n) {
    auto label = [&](const char* text) { form.at(ui::kKindCaption).caption = text; };
    checkKindItem(form, n);
    // The count-in-ranges rows that follow the kind are shown where it has them.
    constexpr int kDependentRows[] = {226, 227, 232, 233, 234, 242, 243, 244};
    for (int row : kDependentRows)
        showRow(form, row, catalogue::rangeRowShown(row, n));
    if (n == 28) {
        label("5 из 28");
    }
    if (n == 30) {
        label("5 из 30");
        setRangeStem(form, ws, 242, n);
    }
    if (n == 31) {
        label("5 из 31");
        setRangeStem(form, ws, 242, n);
    }
    if (n == 32) {
        label("5 из 32");
        setRangeStem(form, ws, 242, n);
    }
    if (n >= 34) {
        label("5 из 34");
        setRangeStem(form, ws, 242, n);
    }
    if (n == 35) {
        label("5 из 35");
    }
    if (n == 36) {
        label("5 из 36");
    }
    if (n == 37) {
        label("5 из 37");
        setRangeStem(form, ws, 243, n);
    }
    if (n == 38) {
        label("5 из 38");
        setRangeStem(form, ws, 243, n);
    }
    if (n == 39) {
        label("5 из 39");
        setRangeStem(form, ws, 233, n);
    }
    if (n == 40) {
        label("5 из 40");
        setRangeStem(form, ws, 233, n);
    }
    if (n == 44) {
        label("5 из 44");
        setRangeStem(form, ws, 244, n);
    }
    if (n >= 45) {
        label("5 из 45");
        setRangeStem(form, ws, 244, n);
    }
    if (n == 47) {
        label("5 из 47");
    }
    if (n == 50) {
        label("5 из 50");
    }
}

} // namespace vargis::app
