#pragma once
// The whole filter base in row order, assembled once from the family tables,
// and the lookups of rows and pages.

#include "catalogue/CatalogueRow.h"

#include <span>
#include <string_view>

namespace vargis::catalogue {

inline constexpr int kFirstRow = 1;
inline constexpr int kLastRow = 287;

// The controls of filter-base row `row` (1..287); std::out_of_range otherwise.
const FilterControls& rowControls(int row);

// Whether a row's button computes a filter of its own: not a setting, an
// unused row, a hidden row or a placeholder.
bool hasOwnFilter(const FilterControls& rc);

// Rows 1..287 in order; element i is row i + 1.
std::span<const FilterControls> allRows();

// The page that shows `row`; std::out_of_range for a row without a page
// (25..30, 199..222) or outside 1..287.
const PageInfo& pageOfRow(int row);

// The filter page held by tab sheet `tabSheet` (TabSheet1 and so on), or nullptr.
const PageInfo* findPage(std::string_view tabSheet);

} // namespace vargis::catalogue
