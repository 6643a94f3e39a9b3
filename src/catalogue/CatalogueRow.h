#pragma once
// One entry per filter-base row: the controls that show the row on its page
// and the kind of row it is within its family's table. The forms, the
// default filter file and the sweep are all built from these tables, so a
// name or a caption exists exactly once in the program. What a row does is
// its family's (catalogue/FilterFamily.h).

#include <span>
#include <string_view>

namespace vargis::catalogue {

enum class Family {
    Static,            // rows 1..24
    ForecastSetting,   // row 25 (forecast date) and 26..29 (reserved)
    PageSetting,       // row 30 (number page positions)
    RankedDate,        // row 31
    RankedPosition,    // rows 55, 79, 103, 127
    RankedLink,        // link slots 1..20 of the ranked pages
    RankedPlaceholder, // link slots 21..23 (hidden, never computed)
    Numerology,        // rows 151..174
    Repeat,            // rows 175..198
    Unused,            // rows 199..222
    CountInRange,      // rows 223..245
    Difference,        // rows 246..267
    Digit,             // rows 268..287
    Added,             // a row of a family added after these
};

enum class ConditionMenu { None, FourWay, TwoWay };

// Pages of PageControl1 that hold filter rows.
enum class Page {
    None,
    Static,  // TabSheet1 "статические"
    Ranked1, // TabSheet2 .. TabSheet6
    Ranked2,
    Ranked3,
    Ranked4,
    Ranked5,
    Numerology,  // TabSheet7 "нумерология и дата"
    Repeats,     // TabSheet8 "повторы"
    CountRanges, // TabSheet10 "кол-во в рядах"
    Differences, // TabSheet12 "разности"
    Digits,      // TabSheet13 "ЦИФРЫ"
    Added,       // a page a filter family brings (FilterFamily::page), after these
};

struct FilterControls {
    int row = 0;
    Family family = Family::Static;
    Page page = Page::None;
    std::string_view button{};       // BitBtn name, empty when the row has none
    std::string_view caption{};      // the form's initial caption (the stem, no condition)
    std::string_view hint{};         // empty when the button carries none
    std::string_view checkBox{};     // CheckBox name, empty when none
    std::string_view paramLabel{};   // StaticText name, empty when none
    std::string_view paramInitial{}; // initial caption of the parameter label
    std::string_view upDown{};       // UpDown name, empty when none
    int upMin = 0;
    int upMax = 0;
    int upInitial = 0;
    ConditionMenu menu = ConditionMenu::None;
    bool hidden = false;         // button, check box, label and arrows hidden and disabled
    bool alwaysOn = false;       // check box checked and disabled: the sweep always applies the row
    std::string_view linkCode{}; // field 2 of linked ranked rows (four digits), else empty
    std::string_view defaultCondition{}; // condition written into the bundled filter file
    std::string_view footer{}; // chart footer when the filter is computed (empty: none given)
};

// One table per family; every row 1..287 appears in exactly one of them.
std::span<const FilterControls> staticRows();
std::span<const FilterControls> settingRows();          // rows 25..30
std::span<const FilterControls> rankedRowsFirstPages(); // rows 31..102
std::span<const FilterControls> rankedRowsLastPages();  // rows 103..150
std::span<const FilterControls> numerologyRows();       // rows 151..174
std::span<const FilterControls> repeatRows();           // rows 175..198
std::span<const FilterControls> unusedRows();           // rows 199..222
std::span<const FilterControls> countRangeRows();       // rows 223..245
std::span<const FilterControls> differenceRows();       // rows 246..267
std::span<const FilterControls> digitRows();            // rows 268..287

} // namespace vargis::catalogue

namespace vargis::catalogue {

// A filter page of PageControl1 and the extra controls it carries besides
// its filter rows (save label and image, help image, notes).
struct PageExtra {
    std::string_view name{};    // e.g. Label14, Image13; empty if never looked up by name
    std::string_view caption{}; // text shown (empty for images)
    std::string_view hint{};
};

struct PageInfo {
    Page page = Page::None;
    std::string_view tabSheet{};   // TabSheet1 and so on
    std::string_view tabCaption{}; // "статические"
    std::string_view hint{};       // page hint, empty when none given
    std::string_view chartTitle{}; // chart title while the page is shown, empty when none given
    std::string_view showFooter{}; // chart footer set when the page is shown
    int firstRow = 0;
    int lastRow = 0;
    std::span<const PageExtra> extras{};
};

// The pages above in order, then the pages the filter families bring.
std::span<const PageInfo> filterPages();

} // namespace vargis::catalogue
