#include "LotteryKind.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "filters/MarkBases.h"

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
        form.at("CheckBox" + filters::numberCheckBoxSuffix(n)).visible = shown;
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

void setStem(ui::Form& form, context::Workspace& ws, int row, const char* stem) {
    auto& filterRow = ws.filters.row(row);
    filterRow.field(7) = stem;
    const std::string button = filterRow.buttonName();
    if (ui::Control* c = form.find(button))
        c->caption = filterRow.stem() + filterRow.condition();
}

void checkKindItem(ui::Form& form, const char* item) {
    for (const auto& name : form.at("PopupMenu6").items)
        form.at(name).checked = name == item;
}

} // namespace

void applyKindAdjustments(ui::Form& form, context::Workspace& ws, int n) {
    auto label = [&](const char* text) { form.at("StaticText108").caption = text; };
    constexpr int kDependentRows[] = {226, 227, 232, 233, 234, 242, 243, 244};
    for (int row : kDependentRows)
        showRow(form, row, false);
    if (n == 28) {
        label("5 из 28");
        checkKindItem(form, "N6421");
    }
    if (n >= 30)
        showRow(form, 242, true);
    if (n == 30) {
        label("5 из 30");
        checkKindItem(form, "N5301");
        setStem(form, ws, 242, "кол. в (26 -:- 30)");
    }
    if (n == 31) {
        label("5 из 31");
        checkKindItem(form, "N6452");
        setStem(form, ws, 242, "кол. в (27 -:- 31)");
    }
    if (n == 32) {
        label("5 из 32");
        checkKindItem(form, "N5321");
        setStem(form, ws, 242, "кол. в (28 -:- 32)");
    }
    if (n >= 34) {
        label("5 из 34");
        checkKindItem(form, "N5341");
        setStem(form, ws, 242, "кол. в (29 -:- 34)");
    }
    if (n == 35) {
        label("5 из 35");
        checkKindItem(form, "N5351");
    }
    if (n >= 35)
        showRow(form, 232, true);
    if (n == 36) {
        label("5 из 36");
        checkKindItem(form, "N5362");
    }
    if (n >= 36)
        showRow(form, 226, true);
    if (n >= 37)
        showRow(form, 243, true);
    if (n == 37) {
        label("5 из 37");
        checkKindItem(form, "N5371");
        setStem(form, ws, 243, "кол. в (34 -:- 37)");
    }
    if (n == 38) {
        label("5 из 38");
        checkKindItem(form, "N5361");
        setStem(form, ws, 243, "кол. в (34 -:- 38)");
    }
    if (n == 39) {
        label("5 из 39");
        checkKindItem(form, "N6451");
        setStem(form, ws, 233, "кол. в (36 -:- 39)");
    }
    if (n == 40) {
        label("5 из 40");
        checkKindItem(form, "N5401");
        setStem(form, ws, 233, "кол. в (36 -:- 40)");
    }
    if (n >= 39)
        showRow(form, 233, true);
    if (n == 44) {
        label("5 из 44");
        checkKindItem(form, "N5441");
        setStem(form, ws, 244, "кол. в (40 -:- 44)");
    }
    if (n >= 45) {
        label("5 из 45");
        checkKindItem(form, "N5451");
        setStem(form, ws, 244, "кол. в (40 -:- 45)");
    }
    if (n >= 44)
        showRow(form, 244, true);
    if (n == 47) {
        label("5 из 47");
        checkKindItem(form, "N5471");
    }
    if (n >= 47)
        showRow(form, 227, true);
    if (n == 50) {
        label("5 из 50");
        checkKindItem(form, "N5501");
        showRow(form, 234, true);
    }
}

} // namespace vargis::app
