// Rows 199..222: rows of the filter base without controls or values. The
// overlay of the enabled filters still leaves out first draws for most of
// them, as it does for the ranked rows in the same places of their pages.
// A new family of the filter base takes its rows from this block; the family
// keeps the rows no other family takes.

#include "catalogue/FilterFamily.h"

namespace vargis::catalogue {

namespace {

constexpr int kFirstUnusedRow = 199;

class UnusedFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "unused"; }
    std::span<const FilterControls> rows() const override {
        static const std::vector<FilterControls> kept = [this] {
            std::vector<FilterControls> rows;
            for (const FilterControls& rc : unusedRows())
                if (!takenByOther(rc.row))
                    rows.push_back(rc);
            return rows;
        }();
        return kept;
    }
    bool takenByOther(int row) const {
        for (const FilterFamily* family : builtInFamilies())
            if (family != this)
                for (const FilterControls& rc : family->rows())
                    if (rc.row == row)
                        return true;
        return false;
    }

    bool hasDrawValue(int) const override { return false; }
    int drawValue(int row, const DrawSource&, int) const override { throwNoDrawValue(row); }
    std::optional<int> overlaySkip(int row) const override {
        if ((row >= 200 && row <= 214) || (row >= 220 && row <= 222))
            return 1;
        if (row >= 215 && row <= 219)
            return 2;
        return std::nullopt;
    }

    Press press(int) const override { return Press::None; }
    ButtonLook look(int) const override { return {}; }
    bool ownsFilter(int) const override { return false; }
    bool hasControls(int) const override { return false; }
    // The first row of the block keeps the marks of a value row.
    bool comparesValue(int row) const override { return row == kFirstUnusedRow; }
};

} // namespace

const FilterFamily& unusedFamily() {
    static const UnusedFamily family;
    return family;
}

} // namespace vargis::catalogue
