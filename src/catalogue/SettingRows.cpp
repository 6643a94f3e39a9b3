// Rows 25..30 carry settings, not filters, and have no controls of their own:
// row 25 holds the forecast date, rows 26..29 are reserved (loaded and saved
// as they are), row 30 holds the three analyzer positions of the number page.

#include "catalogue/CatalogueRow.h"

namespace vargis::catalogue {

namespace {

constexpr FilterControls kRows[] = {
    // Forecast date in field 4.
    {.row = 25, .family = Family::ForecastSetting},
    // Reserved.
    {.row = 26, .family = Family::ForecastSetting},
    {.row = 27, .family = Family::ForecastSetting},
    {.row = 28, .family = Family::ForecastSetting},
    {.row = 29, .family = Family::ForecastSetting},
    // Analyzer settings of page "ВЫБРАТЬ ЧИСЛА" in fields 2..4.
    {.row = 30, .family = Family::PageSetting},
};

} // namespace

std::span<const FilterControls> settingRows() {
    return kRows;
}

} // namespace vargis::catalogue
