// Rows 199..222 have no use in a five-number system: they have no controls
// and are only loaded and saved.

#include "catalogue/CatalogueRow.h"

namespace vargis::catalogue {

namespace {

constexpr FilterControls kRows[] = {
    {.row = 199, .family = Family::Unused}, {.row = 200, .family = Family::Unused},
    {.row = 201, .family = Family::Unused}, {.row = 202, .family = Family::Unused},
    {.row = 203, .family = Family::Unused}, {.row = 204, .family = Family::Unused},
    {.row = 205, .family = Family::Unused}, {.row = 206, .family = Family::Unused},
    {.row = 207, .family = Family::Unused}, {.row = 208, .family = Family::Unused},
    {.row = 209, .family = Family::Unused}, {.row = 210, .family = Family::Unused},
    {.row = 211, .family = Family::Unused}, {.row = 212, .family = Family::Unused},
    {.row = 213, .family = Family::Unused}, {.row = 214, .family = Family::Unused},
    {.row = 215, .family = Family::Unused}, {.row = 216, .family = Family::Unused},
    {.row = 217, .family = Family::Unused}, {.row = 218, .family = Family::Unused},
    {.row = 219, .family = Family::Unused}, {.row = 220, .family = Family::Unused},
    {.row = 221, .family = Family::Unused}, {.row = 222, .family = Family::Unused},
};

} // namespace

std::span<const FilterControls> unusedRows() {
    return kRows;
}

} // namespace vargis::catalogue
