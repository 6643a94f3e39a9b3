// Rows 31..150, the five ranked-position pages of 24 rows each: the date
// row (31), the position-value rows (55, 79, 103, 127), the link slots 1..20
// and the hidden placeholders 21..23 of every page.

#include "catalogue/FilterFamily.h"
#include "catalogue/RankedPositionValues.h"

namespace vargis::catalogue {

namespace {

constexpr int kFirstRankedRow = 31;
constexpr int kRowsPerPage = 24;

// Place 0..23 of a row on its page: 0 is the date or position-value row.
int slotOf(int row) {
    return (row - kFirstRankedRow) % kRowsPerPage;
}

int pageNumberOf(int row) {
    return (row - kFirstRankedRow) / kRowsPerPage + 1;
}

class RankedFamily final : public FilterFamily {
public:
    RankedFamily(std::string_view name, std::span<const FilterControls> rows)
        : name_(name), rows_(rows) {}

    std::string_view name() const override { return name_; }
    std::span<const FilterControls> rows() const override { return rows_; }

    bool hasDrawValue(int row) const override {
        const Family family = rowOf(row).family;
        return family == Family::RankedDate || family == Family::RankedPosition ||
               family == Family::RankedLink;
    }

    int drawValue(int row, const DrawSource& draws, int f) const override {
        const FilterControls& rc = rowOf(row);
        switch (rc.family) {
        case Family::RankedDate:
            return rankedDateValue(draws.history, 1, f);
        case Family::RankedPosition: {
            const int position = pageNumberOf(row);
            return positionValue(draws.history.rankedRow(f), position, position == 5);
        }
        case Family::RankedLink:
            return rankedLinkValue(draws.history, decodeLinkCode(rc.linkCode), f);
        default:
            throwNoDrawValue(row);
        }
    }

    // A link row looks a draws back; its first a draws hold 2 on the chart.
    int firstDraw(int row) const override {
        const FilterControls& rc = rowOf(row);
        return rc.family == Family::RankedLink ? decodeLinkCode(rc.linkCode).offset + 1 : 1;
    }

    // The overlay goes by the place on the page, not by the link code:
    // slots 1..15 and 21..23 leave out one draw, slots 16..20 two.
    std::optional<int> overlaySkip(int row) const override {
        const int slot = slotOf(row);
        if (slot == 0)
            return std::nullopt;
        return slot >= 16 && slot <= 20 ? 2 : 1;
    }

    PassUse pass(int row, int) const override {
        const FilterControls& rc = rowOf(row);
        switch (rc.family) {
        case Family::RankedDate:
            return {Pass::Second, {}, {SecondTerm::DateRoot, 1}};
        case Family::RankedPosition: {
            // Row 127 reduces the largest number by Root9.
            const int position = pageNumberOf(row);
            if (position == 5)
                return {Pass::First, value::root9Largest(), {}};
            return {Pass::First, value::position(position), {}};
        }
        case Family::RankedLink:
            // The code is read from field 2 of the row in the filter file.
            return {Pass::Second, {}, {SecondTerm::Link}};
        default:
            return {};
        }
    }

    SweepDifference difference(int row, int) const override {
        switch (rowOf(row).family) {
        case Family::RankedDate:
            return SweepDifference::Equality;
        case Family::RankedLink:
            return SweepDifference::LinkProduct;
        case Family::RankedPlaceholder:
            return SweepDifference::NotSwept;
        default:
            return SweepDifference::None;
        }
    }

    Press press(int row) const override {
        switch (rowOf(row).family) {
        case Family::RankedDate:
            return Press::RankedDate;
        case Family::RankedPosition:
            return Press::RankedPosition;
        case Family::RankedLink:
            return Press::RankedLink;
        default:
            return Press::None;
        }
    }
    // A link or date row's caption reads the condition before the stem and
    // its header leaves out the parameter.
    ButtonLook look(int row) const override {
        if (rowOf(row).family == Family::RankedPosition)
            return {"Фильтр: ", true, false, true};
        return {"Фильтр: ", false, true, true};
    }
    bool comparesValue(int row) const override {
        return rowOf(row).family == Family::RankedPosition;
    }
    bool ownsFilter(int row) const override {
        return rowOf(row).family != Family::RankedPlaceholder;
    }

    // Each page's position row is a step of its own, after the numerology
    // step (24), in page order.
    std::vector<FirstStepLine> firstPassLines() const override {
        std::vector<FirstStepLine> lines;
        for (const FilterControls& rc : rows_)
            if (rc.family == Family::RankedPosition)
                lines.push_back({23 + pageNumberOf(rc.row),
                                 EnabledBy::CheckBox,
                                 ParameterFrom::Caption,
                                 {rc.row},
                                 -1,
                                 0});
        return lines;
    }
    // The date row (step 15), then the link rows of every page (step 16).
    std::vector<SecondStepLine> secondPassLines() const override {
        std::vector<SecondStepLine> lines;
        SecondStepLine links{16, 51, 0, {}};
        for (const FilterControls& rc : rows_) {
            if (rc.family == Family::RankedDate)
                lines.push_back({15, 50, 0, {rc.row}});
            if (rc.family == Family::RankedLink)
                links.rows.push_back(rc.row);
        }
        lines.push_back(std::move(links));
        return lines;
    }

private:
    const FilterControls& rowOf(int row) const {
        const int index = row - rows_.front().row;
        if (index < 0 || index >= static_cast<int>(rows_.size()))
            throwNoDrawValue(row);
        return rows_[static_cast<std::size_t>(index)];
    }

    std::string_view name_;
    std::span<const FilterControls> rows_;
};

} // namespace

const FilterFamily& rankedFirstPagesFamily() {
    static const RankedFamily family("ranked positions 1, 2, 3", rankedRowsFirstPages());
    return family;
}

const FilterFamily& rankedLastPagesFamily() {
    static const RankedFamily family("ranked positions 4, 5", rankedRowsLastPages());
    return family;
}

} // namespace vargis::catalogue
