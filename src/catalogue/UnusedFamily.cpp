// Rows 199..222: rows of the filter base without controls or values. The
// overlay of the enabled filters still leaves out first draws for most of
// them, as it does for the ranked rows in the same places of their pages.

#include "catalogue/FilterFamily.h"

namespace vargis::catalogue {

namespace {

class UnusedFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "unused"; }
    std::span<const FilterControls> rows() const override { return unusedRows(); }
    bool hasDrawValue(int) const override { return false; }
    int drawValue(int row, const DrawSource&, int) const override { throwNoDrawValue(row); }
    std::optional<int> overlaySkip(int row) const override {
        if ((row >= 200 && row <= 214) || (row >= 220 && row <= 222))
            return 1;
        if (row >= 215 && row <= 219)
            return 2;
        return std::nullopt;
    }
};

} // namespace

const FilterFamily& unusedFamily() {
    static const UnusedFamily family;
    return family;
}

} // namespace vargis::catalogue
