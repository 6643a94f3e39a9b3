#include "context/RowSettings.h"

#include "base/Errors.h"

#include <set>

namespace vargis::context {

namespace {

int find(const std::map<std::string, int, std::less<>>& names, std::string_view name) {
    const auto found = names.find(name);
    return found == names.end() ? 0 : found->second;
}

} // namespace

std::size_t RowSettings::index(int row) const {
    if (row < 1 || row > kRows)
        throw RangeError("Строка фильтра " + std::to_string(row) + " вне 1.." +
                         std::to_string(kRows));
    return static_cast<std::size_t>(row - 1);
}

void RowSettings::bind(int row, std::string_view label, std::string_view checkBox) {
    index(row);
    if (!label.empty())
        labels_[std::string(label)] = row;
    if (!checkBox.empty())
        checkBoxes_[std::string(checkBox)] = row;
}

int RowSettings::rowOfLabel(std::string_view label) const {
    return find(labels_, label);
}

int RowSettings::rowOfCheckBox(std::string_view checkBox) const {
    return find(checkBoxes_, checkBox);
}

const std::string& RowSettings::parameter(int row) const {
    return rows_[index(row)].parameter;
}

bool RowSettings::enabled(int row) const {
    return rows_[index(row)].enabled;
}

void RowSettings::setParameter(int row, std::string text) {
    rows_[index(row)].parameter = std::move(text);
}

void RowSettings::setEnabled(int row, bool enabled) {
    rows_[index(row)].enabled = enabled;
}

std::vector<int> RowSettings::rowsNotShownBy(const ui::Form& form) const {
    std::set<int> rows;
    for (const auto& [name, row] : labels_) {
        const ui::Control* label = form.find(name);
        if (!label || label->caption != parameter(row))
            rows.insert(row);
    }
    for (const auto& [name, row] : checkBoxes_) {
        const ui::Control* box = form.find(name);
        if (!box || box->checked != enabled(row))
            rows.insert(row);
    }
    return {rows.begin(), rows.end()};
}

void RowSettings::showCaption(ui::Control& control, std::string text) {
    if (const int row = rowOfLabel(control.name))
        setParameter(row, text);
    control.caption = std::move(text);
}

void RowSettings::showChecked(ui::Control& control, bool checked) {
    if (const int row = rowOfCheckBox(control.name))
        setEnabled(row, checked);
    control.checked = checked;
}

} // namespace vargis::context
