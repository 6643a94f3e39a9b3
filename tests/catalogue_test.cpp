#include "catalogue/Catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vargis::catalogue {
namespace {

std::string name(const char* prefix, int number) {
    return prefix + std::to_string(number);
}

bool isRankedSlot0(int row) {
    return row == 31 || row == 55 || row == 79 || row == 103 || row == 127;
}

std::set<int> hiddenRows() {
    std::set<int> rows{171, 172, 173, 174, 245, 250, 254, 257, 259, 260, 267};
    for (int first = 31; first <= 127; first += 24) {
        for (int slot = 21; slot <= 23; ++slot) {
            rows.insert(first + slot);
        }
    }
    return rows;
}

TEST(Catalogue, EveryRowOnceInOrder) {
    const auto rows = allRows();
    ASSERT_EQ(rows.size(), 287u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].row, static_cast<int>(i) + 1);
        EXPECT_EQ(&rowControls(rows[i].row), &rows[i]);
    }
    EXPECT_THROW(rowControls(0), std::out_of_range);
    EXPECT_THROW(rowControls(288), std::out_of_range);
}

TEST(Catalogue, FamilyTablesHoldTheirRanges) {
    struct Range {
        std::span<const FilterControls> table;
        int first;
        int last;
    };
    const Range ranges[] = {
        {staticRows(), 1, 24},
        {settingRows(), 25, 30},
        {rankedRowsFirstPages(), 31, 102},
        {rankedRowsLastPages(), 103, 150},
        {numerologyRows(), 151, 174},
        {repeatRows(), 175, 198},
        {unusedRows(), 199, 222},
        {countRangeRows(), 223, 245},
        {differenceRows(), 246, 267},
        {digitRows(), 268, 287},
    };
    for (const auto& range : ranges) {
        ASSERT_EQ(range.table.size(), static_cast<std::size_t>(range.last - range.first + 1));
        for (std::size_t i = 0; i < range.table.size(); ++i) {
            EXPECT_EQ(range.table[i].row, range.first + static_cast<int>(i));
        }
    }
}

TEST(Catalogue, FamiliesAndMenus) {
    for (const auto& c : allRows()) {
        SCOPED_TRACE(c.row);
        const int r = c.row;
        // The settings and the rows of the unused block no family took.
        if ((r >= 25 && r <= 30) || (r >= 199 && r <= 222 && c.family == Family::Unused)) {
            EXPECT_EQ(c.page, Page::None);
            EXPECT_EQ(c.menu, ConditionMenu::None);
            EXPECT_TRUE(c.button.empty() && c.checkBox.empty() && c.paramLabel.empty());
            EXPECT_TRUE(c.upDown.empty() && c.caption.empty() && c.defaultCondition.empty());
            EXPECT_EQ(c.family, r == 30   ? Family::PageSetting
                                : r <= 29 ? Family::ForecastSetting
                                          : Family::Unused);
            continue;
        }
        if (r >= 31 && r <= 150) {
            const int slot = (r - 31) % 24;
            const Family expected = r == 31      ? Family::RankedDate
                                    : slot == 0  ? Family::RankedPosition
                                    : slot <= 20 ? Family::RankedLink
                                                 : Family::RankedPlaceholder;
            EXPECT_EQ(c.family, expected);
            EXPECT_EQ(c.menu,
                      slot == 0 && r != 31 ? ConditionMenu::FourWay : ConditionMenu::TwoWay);
        } else {
            EXPECT_EQ(c.menu, ConditionMenu::FourWay);
        }
        if (c.menu == ConditionMenu::TwoWay) {
            EXPECT_TRUE(c.defaultCondition == "<>" || c.defaultCondition == "=");
        } else {
            const std::set<std::string_view> four{"<=", "=", "<>", ">="};
            EXPECT_TRUE(four.contains(c.defaultCondition));
        }
        EXPECT_FALSE(c.caption.empty());
        EXPECT_EQ(c.hidden, hiddenRows().contains(r));
        EXPECT_EQ(c.alwaysOn, r == 1 || r == 2);
        // A computed row tells on the chart what it shows.
        if (!c.hidden) {
            EXPECT_FALSE(c.footer.empty());
        }
    }
}

TEST(Catalogue, ButtonAndCheckBoxNames) {
    const int staticButtons[] = {1, 2, 23, 11, 3, 25, 14, 15, 24, 16, 22, 6,
                                 7, 8, 5,  18, 4, 19, 20, 21, 10, 13, 12, 9};
    for (int r = 1; r <= 24; ++r) {
        EXPECT_EQ(rowControls(r).button, name("BitBtn", staticButtons[r - 1]));
        EXPECT_EQ(rowControls(r).checkBox, name("CheckBox", r));
        EXPECT_EQ(rowControls(r).paramLabel, name("StaticText", r + 32));
    }
    for (int r = 31; r <= 198; ++r) {
        EXPECT_EQ(rowControls(r).button, name("BitBtn", r));
        EXPECT_EQ(rowControls(r).checkBox, name("CheckBox", r - 6));
    }
    for (int r = 223; r <= 245; ++r) {
        const auto& c = rowControls(r);
        EXPECT_EQ(c.button, name("BitBtn", r + 3));
        EXPECT_EQ(c.checkBox, name("CheckBox", r - 5));
        EXPECT_EQ(c.paramLabel, name("StaticText", r - 108));
        EXPECT_EQ(c.upDown, name("UpDown", r - 144));
        EXPECT_EQ(c.upMin, 0);
        EXPECT_EQ(c.upMax, 6);
    }
    for (int r = 246; r <= 267; ++r) {
        EXPECT_EQ(rowControls(r).button, name("BitBtn", r + 5));
        EXPECT_EQ(rowControls(r).checkBox, name("CheckBox", r + 2));
    }
    const int digitButtons[] = {305, 306, 290, 291, 292, 293, 294, 295, 296, 297,
                                298, 299, 285, 286, 287, 288, 289, 27,  28,  29};
    const int digitChecks[] = {306, 307, 291, 292, 293, 294, 295, 296, 297, 298,
                               299, 300, 286, 287, 288, 289, 290, 193, 242, 243};
    for (int r = 268; r <= 287; ++r) {
        EXPECT_EQ(rowControls(r).button, name("BitBtn", digitButtons[r - 268]));
        EXPECT_EQ(rowControls(r).checkBox, name("CheckBox", digitChecks[r - 268]));
    }
}

TEST(Catalogue, ControlNamesAreUnique) {
    std::map<std::string_view, int> owner;
    for (const auto& c : allRows()) {
        for (std::string_view control : {c.button, c.checkBox, c.paramLabel, c.upDown}) {
            if (control.empty()) {
                continue;
            }
            const auto [it, inserted] = owner.emplace(control, c.row);
            EXPECT_TRUE(inserted) << control << " in rows " << it->second << " and " << c.row;
        }
    }
    for (const auto& page : filterPages()) {
        for (const auto& extra : page.extras) {
            if (!extra.name.empty()) {
                EXPECT_FALSE(owner.contains(extra.name)) << extra.name;
            }
        }
    }
}

TEST(Catalogue, ParameterControls) {
    for (const auto& c : allRows()) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(c.paramLabel.empty(), c.upDown.empty());
        if (c.upDown.empty()) {
            EXPECT_TRUE(c.paramInitial.empty());
            continue;
        }
        EXPECT_LE(c.upMin, c.upInitial);
        EXPECT_LE(c.upInitial, c.upMax);
        EXPECT_EQ(c.paramInitial, std::to_string(c.upInitial));
    }
    // Only the link rows and the date row of the ranked pages have no parameter.
    for (int r = 31; r <= 150; ++r) {
        EXPECT_EQ(rowControls(r).paramLabel.empty(), !isRankedSlot0(r) || r == 31) << r;
    }
}

TEST(Catalogue, LinkCodesFollowPageAndSlot) {
    std::set<std::string_view> codes;
    for (const auto& c : allRows()) {
        SCOPED_TRACE(c.row);
        if (c.family != Family::RankedLink) {
            EXPECT_TRUE(c.linkCode.empty());
            continue;
        }
        const int page = (c.row - 31) / 24 + 1;
        ASSERT_EQ(c.linkCode.size(), 4u);
        EXPECT_EQ(c.linkCode[0], static_cast<char>('0' + page));
        EXPECT_TRUE(c.linkCode[1] == '1' || c.linkCode[1] == '2');
        EXPECT_TRUE(c.linkCode[2] >= '1' && c.linkCode[2] <= '5');
        EXPECT_TRUE(c.linkCode[3] >= '1' && c.linkCode[3] <= '3');
        EXPECT_TRUE(codes.insert(c.linkCode).second);
        // Every page repeats page 1's links for its own position.
        const auto& first = rowControls(c.row - 24 * (page - 1));
        EXPECT_EQ(c.caption, first.caption);
        EXPECT_EQ(c.linkCode.substr(1), first.linkCode.substr(1));
        // The footer names the position and the draw the link reaches back to.
        const std::string from = std::string(1, c.linkCode[1]);
        EXPECT_TRUE(c.footer.starts_with(std::to_string(page) + "-я поз."));
        EXPECT_NE(c.footer.find("\"N- " + from + "\""), std::string_view::npos);
    }
    EXPECT_EQ(codes.size(), 100u);
}

TEST(Catalogue, ExactTexts) {
    EXPECT_EQ(rowControls(4).caption, "сумма чисел");
    EXPECT_EQ(rowControls(4).hint, "Сумма чисел тиража");
    EXPECT_EQ(rowControls(1).caption, "макс. \"n\"");
    EXPECT_EQ(rowControls(17).footer,
              "Чисел при: \"m\"(текущ)=(\"n\"(пред.)*0.38). Ном. тиража >=2.");
    EXPECT_EQ(rowControls(18).hint,
              "Количество чисел по условию: число пред. тиража 2/.62 = числу текущего ");

    const auto& link = rowControls(37);
    EXPECT_EQ(link.caption, "1-у ч. тир (N-1) x0.62");
    EXPECT_EQ(link.linkCode, "1112");
    EXPECT_EQ(link.footer, "1-я поз. ранж. тиража \"N\" и ( 1-е число РЕАЛЬНОГО тиража \"N- 1\" "
                           ") x 0.62. По оси Х от \"2\"");
    EXPECT_EQ(rowControls(71).linkCode, "2211");
    EXPECT_EQ(rowControls(71).footer.substr(rowControls(71).footer.size() - 3), "\"3\"");
    EXPECT_EQ(rowControls(32).hint, "1-я поз. ранжированного тиража и 1-ое число тир. (N-1)");
    EXPECT_TRUE(rowControls(90).hint.empty()); // page 3, slot 11
    EXPECT_EQ(rowControls(31).caption, "Дата тир. | mod=9 +");
    EXPECT_EQ(rowControls(127).caption, "5-я поз. mod 9");
    EXPECT_EQ(rowControls(127).upMin, 5);
    EXPECT_EQ(rowControls(127).upMax, 44);

    EXPECT_EQ(rowControls(160).upMax, 15);
    EXPECT_EQ(rowControls(159).upMax, 300);
    EXPECT_EQ(rowControls(175).upMax, 5);
    EXPECT_EQ(rowControls(176).upMax, 500);
    EXPECT_EQ(rowControls(189).upDown, "UpDown66");
    EXPECT_EQ(rowControls(242).caption, "кол. в (26 -:- 30/34)+");
    EXPECT_EQ(rowControls(242).footer, "Чисел из [29..34] в каждом тираже.");
    EXPECT_EQ(rowControls(223).upInitial, 2);
    EXPECT_EQ(rowControls(245).caption, "чисел подря +");
    EXPECT_EQ(rowControls(246).paramLabel, "StaticText57");
    EXPECT_EQ(rowControls(246).upDown, "UpDown25");

    EXPECT_EQ(rowControls(270).caption, "кол  \"1\"");
    EXPECT_EQ(rowControls(279).caption, "кол  \"0\"");
    EXPECT_EQ(rowControls(279).hint, "Количество -0-  в  тираже");
    EXPECT_EQ(rowControls(274).footer, "Количество цифр \"5\" в тираже");
    EXPECT_EQ(rowControls(269).caption, "доп к цифрам даты ");
    EXPECT_EQ(rowControls(269).footer, "Количество совпадений \"дополнениий до 9\" к цифрам даты "
                                       "(без повторов) с  цифрами тиража. ");
    EXPECT_EQ(rowControls(287).upMax, 12);
}

TEST(Catalogue, Pages) {
    // The pages of the form, then any a family brings (without save controls).
    const auto pages = filterPages();
    ASSERT_EQ(std::count_if(pages.begin(), pages.end(),
                            [](const PageInfo& p) { return p.page != Page::Added; }),
              11);
    std::set<int> covered;
    std::set<std::string_view> extras;
    for (const auto& page : pages) {
        SCOPED_TRACE(page.tabSheet);
        EXPECT_EQ(findPage(page.tabSheet), &page);
        EXPECT_FALSE(page.showFooter.empty());
        for (int r = page.firstRow; r <= page.lastRow; ++r) {
            EXPECT_TRUE(covered.insert(r).second);
            EXPECT_EQ(rowControls(r).page, page.page);
            EXPECT_EQ(&pageOfRow(r), &page);
        }
        if (page.page == Page::Added)
            continue;
        int saveLabels = 0;
        for (const auto& extra : page.extras) {
            if (!extra.name.empty()) {
                EXPECT_TRUE(extras.insert(extra.name).second) << extra.name;
            }
            if (extra.caption == "сохранить >>") {
                EXPECT_EQ(extra.hint, "СОХРАНИТЬ Базу фильтров и дату прогноза");
                ++saveLabels;
            }
        }
        EXPECT_EQ(saveLabels, 1);
    }
    // Every row but the settings and the unused rows no family took.
    const auto unused =
        std::count_if(allRows().begin(), allRows().end(),
                      [](const FilterControls& c) { return c.family == Family::Unused; });
    EXPECT_EQ(covered.size(), 287u - 6u - static_cast<std::size_t>(unused));

    EXPECT_EQ(pageOfRow(37).tabSheet, "TabSheet2");
    EXPECT_EQ(pageOfRow(245).tabCaption, "кол-во в рядах");
    EXPECT_EQ(pageOfRow(1).showFooter, "Обрабатываются ВСЕ ЧИСЛА для ВСЕХ тиражей");
    EXPECT_EQ(pageOfRow(31).chartTitle, "Обрабатывается 1-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража");
    EXPECT_THROW(pageOfRow(25), std::out_of_range);
    EXPECT_THROW(pageOfRow(210), std::out_of_range);
    EXPECT_THROW(pageOfRow(0), std::out_of_range);
    ASSERT_NE(findPage("TabSheet13"), nullptr);
    EXPECT_EQ(findPage("TabSheet13")->tabCaption, "ЦИФРЫ");
    EXPECT_EQ(findPage("TabSheet7")->hint, "Нумерология, звуки, цифры и  дата тиража");
    EXPECT_EQ(findPage("TabSheet11"), nullptr);
    EXPECT_EQ(findPage("tabsheet1"), nullptr);

    // Help images of the filter pages.
    const std::map<std::string_view, std::string_view> help{
        {"TabSheet1", "Image39"},  {"TabSheet7", "Image41"},  {"TabSheet8", "Image42"},
        {"TabSheet10", "Image40"}, {"TabSheet12", "Image47"}, {"TabSheet13", "Image38"}};
    for (const auto& [tab, image] : help) {
        bool found = false;
        for (const auto& extra : findPage(tab)->extras) {
            found = found || (extra.name == image && extra.hint == "Помощь + пример");
        }
        EXPECT_TRUE(found) << tab;
    }
}

} // namespace
} // namespace vargis::catalogue

namespace vargis::catalogue {
namespace {

// A base written before a family took row 199 stores the unused line there;
// only such a line of an added row is taken for the row's default line, and
// a built-in row whose line lost its control names stays an error.
TEST(Catalogue, AnAddedRowReplacesOnlyTheUnusedLineItTook) {
    const FilterControls added{.row = 199,
                               .family = Family::Added,
                               .button = "TopTwoButton",
                               .caption = "n4+n5>=",
                               .checkBox = "TopTwoBox",
                               .paramLabel = "TopTwoLabel",
                               .paramInitial = "2",
                               .defaultCondition = ">="};
    EXPECT_TRUE(storesUnusedLineOfAddedRow(added, "", "", ""));
    EXPECT_FALSE(storesUnusedLineOfAddedRow(added, "TopTwoLabel", "TopTwoButton", "TopTwoBox"));
    EXPECT_FALSE(storesUnusedLineOfAddedRow(rowControls(4), "", "", ""));
    EXPECT_FALSE(storesUnusedLineOfAddedRow(rowControls(199), "", "", ""));
    const std::array<std::string, 9> expected{
        "199", "TopTwoLabel", "2", "False", ">=", "TopTwoButton", "n4+n5>=", "TopTwoBox", ""};
    EXPECT_EQ(defaultRowFields(added), expected);
}

} // namespace
} // namespace vargis::catalogue
