// The filter pages of PageControl1: tab, hint, chart texts, row range and the
// controls each page carries besides its filter rows.
//
// Every filter page has a save image and a "сохранить >>" label; the pairs go
// to the pages in the order of their tab sheets. (The number page, which holds
// no filter rows, has the last pair, Image35 and Label11 "сохр.".)

#include "catalogue/CatalogueRow.h"
#include "catalogue/FilterFamily.h"

#include <iterator>
#include <vector>

namespace vargis::catalogue {

namespace {

constexpr PageExtra kStaticExtras[] = {
    {.name = "Image13", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label14",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Image39", .caption = "", .hint = "Помощь + пример"},
    {.name = "StaticText16", .caption = "* -  фильтры настроить и выбрать", .hint = ""},
};

constexpr PageExtra kRanked1Extras[] = {
    {.name = "Image43", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label10",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
};

constexpr PageExtra kRanked2Extras[] = {
    {.name = "Image44", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label9",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
};

constexpr PageExtra kRanked3Extras[] = {
    {.name = "Image21", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label15",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
};

constexpr PageExtra kRanked4Extras[] = {
    {.name = "Image26", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label16",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
};

constexpr PageExtra kRanked5Extras[] = {
    {.name = "Image28", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label17",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
};

constexpr PageExtra kNumerologyExtras[] = {
    {.name = "Image4", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label6",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Image41", .caption = "", .hint = "Помощь + пример"},
};

constexpr PageExtra kRepeatsExtras[] = {
    {.name = "Image29", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label18",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Image42", .caption = "", .hint = "Помощь + пример"},
};

constexpr PageExtra kCountRangesExtras[] = {
    {.name = "Image31", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label19",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Image40", .caption = "", .hint = "Помощь + пример"},
};

constexpr PageExtra kDifferencesExtras[] = {
    {.name = "Image33", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label13",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Image47", .caption = "", .hint = "Помощь + пример"},
};

constexpr PageExtra kDigitsExtras[] = {
    {.name = "Image34", .caption = "", .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Label12",
     .caption = "сохранить >>",
     .hint = "СОХРАНИТЬ Базу фильтров и дату прогноза"},
    {.name = "Image38", .caption = "", .hint = "Помощь + пример"},
    {.name = "BitBtn307", .caption = "+", .hint = ""},
    // The memo explaining "полное число" is never referred to by name.
    {.name = "",
     .caption = " Полное число - сумма всех чисел\n тиража, взятая по модулю.   ",
     .hint = ""},
};

constexpr PageInfo kPages[] = {
    {.page = Page::Static,
     .tabSheet = "TabSheet1",
     .tabCaption = "статические",
     .hint = "Панель статических фильтров",
     .showFooter = "Обрабатываются ВСЕ ЧИСЛА для ВСЕХ тиражей",
     .firstRow = 1,
     .lastRow = 24,
     .extras = kStaticExtras},
    {.page = Page::Ranked1,
     .tabSheet = "TabSheet2",
     .tabCaption = "1я поз ранж.",
     .hint = "Обработка позиции ранжированной перестановки",
     .chartTitle = "Обрабатывается 1-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 31,
     .lastRow = 54,
     .extras = kRanked1Extras},
    {.page = Page::Ranked2,
     .tabSheet = "TabSheet3",
     .tabCaption = "2я поз ранж.",
     .hint = "Обработка позиции ранжированной перестановки",
     .chartTitle = "Обрабатывается 2-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 55,
     .lastRow = 78,
     .extras = kRanked2Extras},
    {.page = Page::Ranked3,
     .tabSheet = "TabSheet4",
     .tabCaption = "3я поз ранж.",
     .hint = "Обработка позиции ранжированной перестановки",
     .chartTitle = "Обрабатывается 3-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 79,
     .lastRow = 102,
     .extras = kRanked3Extras},
    {.page = Page::Ranked4,
     .tabSheet = "TabSheet5",
     .tabCaption = "4я поз ранж.",
     .hint = "Обработка позиции ранжированной перестановки",
     .chartTitle = "Обрабатывается 4-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 103,
     .lastRow = 126,
     .extras = kRanked4Extras},
    {.page = Page::Ranked5,
     .tabSheet = "TabSheet6",
     .tabCaption = "5я поз ранж.",
     .hint = "Обработка позиции ранжированной перестановки",
     .chartTitle = "Обрабатывается 5-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 127,
     .lastRow = 150,
     .extras = kRanked5Extras},
    {.page = Page::Numerology,
     .tabSheet = "TabSheet7",
     .tabCaption = "нумерология и дата",
     .hint = "Нумерология, звуки, цифры и  дата тиража",
     .chartTitle = "Обрабатываются ЦИФРЫ и ДАТЫ ВСЕХ тиражей",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 151,
     .lastRow = 174,
     .extras = kNumerologyExtras},
    {.page = Page::Repeats,
     .tabSheet = "TabSheet8",
     .tabCaption = "повторы",
     .hint = "Повторы чисел тиража в предыдущих тиражах",
     .chartTitle = "Повторение чисел из предыдущих тиражей",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 175,
     .lastRow = 198,
     .extras = kRepeatsExtras},
    {.page = Page::CountRanges,
     .tabSheet = "TabSheet10",
     .tabCaption = "кол-во в рядах",
     .chartTitle = "Обрабатываются ВСЕ ЧИСЛА для ВСЕХ тиражей",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 223,
     .lastRow = 245,
     .extras = kCountRangesExtras},
    {.page = Page::Differences,
     .tabSheet = "TabSheet12",
     .tabCaption = "разности",
     .chartTitle = "Разности между числами в тираже",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 246,
     .lastRow = 267,
     .extras = kDifferencesExtras},
    {.page = Page::Digits,
     .tabSheet = "TabSheet13",
     .tabCaption = "ЦИФРЫ",
     .chartTitle = "Обрабатываются цифры и числа тиража",
     .showFooter = "Результат работы выбранного фильтра. ",
     .firstRow = 268,
     .lastRow = 287,
     .extras = kDigitsExtras},
};

} // namespace

std::span<const PageInfo> filterPages() {
    static const std::vector<PageInfo> pages = [] {
        std::vector<PageInfo> all(std::begin(kPages), std::end(kPages));
        for (const FilterFamily* family : builtInFamilies())
            if (auto page = family->page())
                all.push_back(*page);
        return all;
    }();
    return pages;
}

} // namespace vargis::catalogue
