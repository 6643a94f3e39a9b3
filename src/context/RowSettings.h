#pragma once
// The settings of the filter rows as the main window shows them: per row the
// parameter its label shows and whether its check box is ticked. They can
// differ from fields 3 and 4 of the filter base (a parameter moved but not
// pressed, a base row the controls were not restored from), and every command
// that applies the rows reads them here, never from a control. The controls
// that show a row are bound to it by name, so the actions that change a
// control change its row here as well.

#include "ui/Control.h"
#include "ui/Form.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vargis::context {

class RowSettings {
public:
    static constexpr int kRows = 287;

    // Binds row `row` (1..287) to its parameter label and check box (either
    // may be empty).
    void bind(int row, std::string_view label, std::string_view checkBox);

    // The row a parameter label or a check box shows; 0 when none.
    int rowOfLabel(std::string_view label) const;
    int rowOfCheckBox(std::string_view checkBox) const;

    // RangeError outside 1..287.
    const std::string& parameter(int row) const;
    bool enabled(int row) const;
    void setParameter(int row, std::string text);
    void setEnabled(int row, bool enabled);

    // A control of the main window changes, and the row it shows with it.
    void showCaption(ui::Control& control, std::string text);
    void showChecked(ui::Control& control, bool checked);

    // The rows whose bound controls on `form` show other than their
    // settings, ascending; empty when the window shows the settings.
    std::vector<int> rowsNotShownBy(const ui::Form& form) const;

    bool operator==(const RowSettings&) const = default;

private:
    struct Row {
        std::string parameter;
        bool enabled = false;
        bool operator==(const Row&) const = default;
    };
    std::size_t index(int row) const;

    std::array<Row, kRows> rows_{};
    std::map<std::string, int, std::less<>> labels_;
    std::map<std::string, int, std::less<>> checkBoxes_;
};

} // namespace vargis::context
