#include "filters/FilterBase.h"

#include "base/AtomicSave.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/TextFile.h"
#include "catalogue/FilterFamily.h"
#include "context/ProgressBar.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "filters/RemainingViews.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <map>
#include <vector>

namespace vargis::filters {

namespace {

void setCaption(context::Workspace& ws, ui::Form& form, const std::string& name,
                const std::string& caption) {
    if (ui::Control* c = form.find(name))
        ws.settings.showCaption(*c, caption);
}

// The up-downs of the form by the label they are bound to.
std::map<std::string, std::vector<ui::Control*>> upDownsByLabel(ui::Form& form) {
    std::map<std::string, std::vector<ui::Control*>> index;
    for (const auto& name : form.order()) {
        ui::Control& c = form.at(name);
        if (c.kind == ui::ControlKind::UpDown && !c.associate.empty())
            index[c.associate].push_back(&c);
    }
    return index;
}

// An up-down follows a restored parameter, as the arrows read their label.
void syncUpDowns(const std::vector<ui::Control*>& upDowns, const std::string& value) {
    for (ui::Control* c : upDowns) {
        try {
            c->position = std::clamp(std::stoi(value), c->min, c->max);
        } catch (const std::exception&) {
        }
    }
}

} // namespace

void restoreFilterControls(context::Workspace& ws, ui::Form& form, int first, int last) {
    const auto upDowns = upDownsByLabel(form);
    for (int i = first; i <= last; ++i) {
        if (!catalogue::familyOfRow(i).restoresCaptions(i))
            continue;
        const auto& row = ws.filters.row(i);
        const auto& captionRow = i == 25 ? ws.filters.row(24) : row;
        const std::string& label = row.labelName();
        const std::string& value = row.parameter();
        const std::string& button = captionRow.buttonName();
        const std::string& stem = captionRow.stem();
        const std::string& condition = captionRow.condition();
        if (catalogue::familyOfRow(i).look(i).conditionFirst) {
            setCaption(ws, form, button, condition + stem);
            continue;
        }
        if (!label.empty()) {
            setCaption(ws, form, label, value);
            if (auto it = upDowns.find(label); it != upDowns.end())
                syncUpDowns(it->second, value);
        }
        setCaption(ws, form, button, stem + condition);
    }
}

void restoreFilterChecks(context::AppContext& app, int first, int last) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    for (int i = first; i <= last; ++i) {
        if (!catalogue::familyOfRow(i).hasControls(i))
            continue;
        const auto& row = ws.filters.row(i);
        // Only a check box is restored: field 8 naming any other control
        // must not run that control's command.
        const ui::Control* box = form.find(row.checkBoxName());
        if (!box || box->kind != ui::ControlKind::CheckBox)
            continue;
        if (row.enabled() == "True")
            app.setChecked(form, row.checkBoxName(), true);
        else if (row.enabled() == "False")
            app.setChecked(form, row.checkBoxName(), false);
    }
    for (int n = 1; n <= filters::kNumbers; ++n) {
        const auto& digits = ws.digits.row(n);
        const std::string name = ui::numberedName(ui::kCheckBoxPrefix, digits.fields[1]);
        const ui::Control* box = form.find(name);
        if (box && box->kind == ui::ControlKind::CheckBox)
            app.setChecked(form, name, digits.fields[2] == "1");
    }
}

void saveFilterBases(context::AppContext& app, bool withProgress, bool announce) {
    context::Workspace& ws = app.workspace();
    ui::Control* progress = withProgress ? &app.mainForm().at(ui::kProgressBar) : nullptr;
    auto step = [&](int position) {
        if (progress)
            context::showProgress(app, position);
    };
    // A base refused at the start holds nothing of its file; saving it
    // would write empty rows over the file.
    if (ws.filters.fileLineCount == 0)
        throw FileError("База фильтров \"" + filters::filterFileSavePath(ws.dataFolder) +
                        "\" не загружена - файлы данных не сохранены");
    if (progress)
        progress->max = 3;
    {
        const FolderLock lock;
        settleInterruptedSaves(ws.dataFolder);
        SaveSet bases;
        const std::string filterPath = filters::filterFileSavePath(ws.dataFolder);
        bases.stage(filterPath, joinLines(filters::filterFileLines(ws.filters, filterPath)));
        step(1);
        bases.stage(filters::graphicsPath(ws.dataFolder),
                    joinLines(filters::graphicsBaseLines(ws.failMarks)));
        step(2);
        bases.stage(filters::digitsPath(ws.dataFolder),
                    joinLines(filters::digitsBaseLines(ws.digits)));
        bases.commit();
    }
    if (announce)
        app.platform().showInformation("Файлы данных сохранены");
    step(3);
    step(0);
}

void filterCheckBoxClick(context::AppContext& app, const std::string& sender) {
    context::Workspace& ws = app.workspace();
    const int row = ws.filters.findRowByCheckBox(sender);
    if (row != 0)
        ws.filters.row(row).field(4) = app.mainForm().at(sender).checked ? "True" : "False";
    clearResultTable(app.mainForm());
}

} // namespace vargis::filters
