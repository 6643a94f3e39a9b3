#pragma once
// The whole filter base in row order, assembled once from the family tables,
// and the lookups of rows and pages.

#include "catalogue/CatalogueRow.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vargis::catalogue {

inline constexpr int kFirstRow = 1;
inline constexpr int kLastRow = 287;

// The controls of filter-base row `row` (1..287); std::out_of_range otherwise.
const FilterControls& rowControls(int row);

// Whether a row's button computes a filter of its own: not a setting, an
// unused row, a hidden row or a placeholder.
bool hasOwnFilter(const FilterControls& rc);

// The nine fields of a row's line in a new filter base: its control names,
// its initial parameter, a cleared check box and its default condition.
std::array<std::string, 9> defaultRowFields(const FilterControls& rc);

// Whether a stored line (fields 2, 6 and 8) names none of the controls of a
// row that a family added after the base was written took from the unused
// block: the loaders put the row's default line in its place, so working
// folders written before the family keep loading. Rows of the families the
// base was written with never match, so their damaged lines stay errors.
bool storesUnusedLineOfAddedRow(const FilterControls& rc, std::string_view field2,
                                std::string_view field6, std::string_view field8);

// Rows 1..287 in order; element i is row i + 1.
std::span<const FilterControls> allRows();

// The page that shows `row`; std::out_of_range for a row without a page
// (25..30, 199..222) or outside 1..287.
const PageInfo& pageOfRow(int row);

// The filter page held by tab sheet `tabSheet` (TabSheet1 and so on), or nullptr.
const PageInfo* findPage(std::string_view tabSheet);

} // namespace vargis::catalogue
