#include "catalogue/Catalogue.h"

#include "catalogue/FilterFamily.h"

#include <array>
#include <stdexcept>
#include <string>

namespace vargis::catalogue {

namespace {

constexpr std::size_t kRowCount = kLastRow - kFirstRow + 1;

std::string rowText(int row) {
    return std::to_string(row);
}

void checkRowNumber(int row, const char* what) {
    if (row < kFirstRow || row > kLastRow) {
        throw std::out_of_range(std::string(what) + ": filter row " + rowText(row) +
                                " is outside 1..287");
    }
}

class Catalogue {
public:
    Catalogue() {
        std::array<bool, kRowCount> seen{};
        for (const FilterFamily* family : builtInFamilies()) {
            for (const FilterControls& controls : family->rows()) {
                const int row = controls.row;
                if (row < kFirstRow || row > kLastRow) {
                    throw std::logic_error("filter catalogue: a family table holds row " +
                                           rowText(row) + ", outside 1..287");
                }
                const auto index = static_cast<std::size_t>(row - kFirstRow);
                if (seen[index]) {
                    throw std::logic_error("filter catalogue: row " + rowText(row) +
                                           " appears twice");
                }
                seen[index] = true;
                rows_[index] = controls;
            }
        }
        for (std::size_t i = 0; i < kRowCount; ++i) {
            if (!seen[i]) {
                throw std::logic_error("filter catalogue: row " +
                                       rowText(static_cast<int>(i) + kFirstRow) + " is missing");
            }
        }
        for (const FilterControls& controls : rows_) {
            if (controls.page == Page::None) {
                continue;
            }
            const PageInfo* page = nullptr;
            for (const PageInfo& candidate : filterPages()) {
                if (candidate.page == controls.page &&
                    (controls.page != Page::Added ||
                     (controls.row >= candidate.firstRow && controls.row <= candidate.lastRow))) {
                    page = &candidate;
                }
            }
            if (page == nullptr || controls.row < page->firstRow || controls.row > page->lastRow) {
                throw std::logic_error("filter catalogue: row " + rowText(controls.row) +
                                       " lies outside the rows of its page");
            }
            pages_[static_cast<std::size_t>(controls.row - kFirstRow)] = page;
        }
    }

    const FilterControls& row(int row) const {
        return rows_[static_cast<std::size_t>(row - kFirstRow)];
    }
    std::span<const FilterControls> rows() const { return rows_; }
    const PageInfo* page(int row) const {
        return pages_[static_cast<std::size_t>(row - kFirstRow)];
    }

private:
    std::array<FilterControls, kRowCount> rows_{};
    std::array<const PageInfo*, kRowCount> pages_{};
};

const Catalogue& catalogue() {
    static const Catalogue instance;
    return instance;
}

} // namespace

std::array<std::string, 9> defaultRowFields(const FilterControls& rc) {
    return {std::to_string(rc.row),
            rc.linkCode.empty() ? std::string(rc.paramLabel) : std::string(rc.linkCode),
            std::string(rc.paramInitial),
            rc.checkBox.empty() ? "" : "False",
            std::string(rc.defaultCondition),
            std::string(rc.button),
            std::string(rc.caption),
            std::string(rc.checkBox),
            ""};
}

bool storesUnusedLineOfAddedRow(const FilterControls& rc, std::string_view field2,
                                std::string_view field6, std::string_view field8) {
    return rc.family == Family::Added && !rc.button.empty() && field2.empty() && field6.empty() &&
           field8.empty();
}

const FilterControls& rowControls(int row) {
    checkRowNumber(row, "rowControls");
    return catalogue().row(row);
}

std::span<const FilterControls> allRows() {
    return catalogue().rows();
}

const PageInfo& pageOfRow(int row) {
    checkRowNumber(row, "pageOfRow");
    const PageInfo* page = catalogue().page(row);
    if (page == nullptr) {
        throw std::out_of_range("pageOfRow: filter row " + rowText(row) +
                                " is shown on no filter page");
    }
    return *page;
}

const PageInfo* findPage(std::string_view tabSheet) {
    for (const PageInfo& page : filterPages()) {
        if (page.tabSheet == tabSheet) {
            return &page;
        }
    }
    return nullptr;
}

bool hasOwnFilter(const FilterControls& rc) {
    return !rc.hidden && !rc.button.empty() && familyOfRow(rc.row).ownsFilter(rc.row);
}

} // namespace vargis::catalogue
