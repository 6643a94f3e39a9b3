// Rows 25..30: the forecast date, reserved rows and the number page's
// positions. They hold settings, not filters: no value, no pass.

#include "catalogue/FilterFamily.h"

namespace vargis::catalogue {

namespace {

class SettingFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "settings"; }
    std::span<const FilterControls> rows() const override { return settingRows(); }
    bool hasDrawValue(int) const override { return false; }
    int drawValue(int row, const DrawSource&, int) const override { throwNoDrawValue(row); }

    Press press(int) const override { return Press::None; }
    ButtonLook look(int) const override { return {}; }
    bool ownsFilter(int) const override { return false; }
    // The forecast date (25) shows the caption of row 24's button; the
    // other rows have no controls to restore.
    bool restoresCaptions(int row) const override { return row == rows().front().row; }
};

} // namespace

const FilterFamily& settingFamily() {
    static const SettingFamily family;
    return family;
}

} // namespace vargis::catalogue
