// The guidance on a copy of the bundled working folder: the walkthrough box
// and its fifteen pages, the help images, the hints switch, the help
// documents and the web address of the menu, the About box and the
// name-and-version message.

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "guidance/GuidanceLayout.h"
#include "guidance/HelpDocuments.h"
#include "guidance/ProgramInfo.h"
#include "guidance/Walkthrough.h"
#include "guidance/WalkthroughPages.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vargis::guidance {
namespace {

using testing::StartedApp;

// The titles of the fifteen pages, letter for letter.
const std::vector<std::string> kTitles = {
    "- выбор даты прогноза",
    "- выбор чисел для игры",
    "- выбор чисел для игры. АНАЛИЗ",
    "- выбор чисел. \"Числа-Дополнительная панель\", левая",
    "- выбор чисел. \"Числа-Дополнительная панель\", правая",
    "- Страница \"ЦИФРЫ\". выбор цифр для игры",
    "- Страница \"статические\". Анализ чисел",
    "- Страница \"количество в рядах\". Анализ чисел",
    "- Страница \"нумерология и дата\"",
    "- Страница \"повторы\". Анализ чисел",
    "- Страница \"разности\". Анализ чисел",
    "- Исполнительная кнопка \"Фильтры объединить\".",
    "- Блок Наложения Графиков фильтров.",
    "- Блок Графиков фильтров.",
    "- Дополнительная информация.",
};

// Every help image of the main window and the page it opens.
const std::map<std::string, int> kImagePages = {
    {"Image54", 0},  {"Image22", 1},  {"Image57", 2},  {"Image38", 5},  {"Image39", 6},
    {"Image40", 7},  {"Image41", 8},  {"Image42", 9},  {"Image47", 10}, {"Image56", 11},
    {"Image36", 12}, {"Image7", 13},  {"Image48", 14}, {"Image49", 14}, {"Image50", 14},
    {"Image51", 14}, {"Image52", 14},
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(WalkthroughPages, TitlesLineCountsAndTheSharedLinesOfTheFilterPages) {
    const std::vector<std::size_t> lineCounts = {7, 8, 9, 7, 8, 9, 7, 8, 8, 8, 8, 4, 5, 4, 6};
    const auto closing = filterPageClosingLines();
    ASSERT_EQ(closing.size(), 4u);
    for (int page = 0; page < kWalkthroughPageCount; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(walkthroughTitle(page), kTitles[static_cast<std::size_t>(page)]);
        const auto lines = walkthroughLines(page);
        ASSERT_EQ(lines.size(), lineCounts[static_cast<std::size_t>(page)]);
        // Pages 11..14 begin with an empty line; no other line of any page
        // is empty.
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].empty(), page >= 11 && i == 0) << "line " << i;
        const bool endsWithClosing =
            std::equal(closing.begin(), closing.end(), lines.end() - 4, lines.end());
        EXPECT_EQ(endsWithClosing, page >= 5 && page <= 10);
    }
    EXPECT_THROW(walkthroughTitle(15), RangeError);
    EXPECT_THROW(walkthroughLines(-1), RangeError);
}

class GuidanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        ASSERT_EQ(s_.platform.errors(), std::vector<std::string>{});
    }
    ui::Control& box() { return s_.control(kWalkthroughBox); }
    std::string title() { return s_.control(kWalkthroughTitle).caption; }
    std::vector<std::string> memo() { return s_.control(kWalkthroughMemo).lines; }
    int page() { return s_.ws().walkthroughPage; }
    void click(const std::string& name) { EXPECT_TRUE(s_.app.click("Form1", name)) << name; }
    // The box shows page k in full, its text from the top.
    void expectShowing(int k) {
        EXPECT_TRUE(box().visible);
        EXPECT_EQ(page(), k);
        EXPECT_EQ(title(), kTitles[static_cast<std::size_t>(k)]);
        EXPECT_EQ(memo(), walkthroughLines(k));
        EXPECT_EQ(s_.control(kWalkthroughMemo).position, 0);
    }

    StartedApp s_;
};

TEST_F(GuidanceTest, BoxAndImagesAtStart) {
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(box().caption, "  Работа с программой  ");
    EXPECT_EQ(box().color, 0x11DAF7u);
    EXPECT_EQ(box().fontColor, ui::colors::Maroon);
    EXPECT_EQ(box().width, 338);
    EXPECT_EQ(box().height, 180);
    // Over the right part of the draw statistics box, at its top edge.
    const ui::Control& statistics = s_.control("GroupBox3");
    EXPECT_EQ(box().top, statistics.top);
    EXPECT_EQ(box().left + box().width, statistics.left + statistics.width);
    EXPECT_EQ(s_.control(kForwardButton).caption, "Вперед");
    EXPECT_EQ(s_.control(kBackButton).caption, "Назад");
    EXPECT_EQ(s_.control(kCloseButton).caption, "Закрыть");
    // Along the bottom in this order.
    EXPECT_LT(s_.control(kForwardButton).left, s_.control(kBackButton).left);
    EXPECT_LT(s_.control(kBackButton).left, s_.control(kCloseButton).left);
    EXPECT_EQ(s_.control(kWalkthroughMemo).color, ui::colors::White);

    EXPECT_EQ(s_.control(kHintsItem).caption, "Подсказки вЫключить");
    EXPECT_TRUE(hintsOn(s_.form1()));
    ASSERT_EQ(mainWindowHelpImages().size(), kImagePages.size());
    for (const auto& [name, k] : kImagePages) {
        const ui::Control& image = s_.control(name);
        EXPECT_EQ(image.kind, ui::ControlKind::Image) << name;
        EXPECT_TRUE(image.visible) << name;
        EXPECT_EQ(image.hint, "Помощь + пример") << name;
    }
    // The filter pages carry their image at one place.
    for (const char* name : {"Image39", "Image40", "Image41", "Image42", "Image47", "Image48"}) {
        EXPECT_EQ(s_.control(name).left, s_.control("Image38").left) << name;
        EXPECT_EQ(s_.control(name).top, s_.control("Image38").top) << name;
    }
}

TEST_F(GuidanceTest, EveryImageOpensTheBoxAtItsPageWithTheTextFromTheTop) {
    for (const auto& [name, k] : kImagePages) {
        SCOPED_TRACE(name);
        click(kCloseButton);
        EXPECT_FALSE(box().visible);
        s_.control(kWalkthroughMemo).position = 57; // scrolled down meanwhile
        click(name);
        expectShowing(k);
    }
    // The images of the numbers panel use the same entry.
    openWalkthrough(s_.app, 3);
    expectShowing(3);
    openWalkthrough(s_.app, 4);
    expectShowing(4);
    EXPECT_THROW(openWalkthrough(s_.app, 15), RangeError);
    expectShowing(4);
    // A page number outside 0..14 shows nothing and changes nothing.
    s_.ws().walkthroughPage = 15;
    showWalkthroughPage(s_.ws(), s_.form1());
    EXPECT_EQ(title(), kTitles[4]);
    EXPECT_EQ(memo(), walkthroughLines(4));
    EXPECT_TRUE(s_.platform.dialogs.empty());
}

TEST_F(GuidanceTest, ForwardWrapsFromTheLastPageAndBackStopsAtTheFirst) {
    click("Image7"); // page 13
    click(kForwardButton);
    expectShowing(14);
    click(kForwardButton);
    expectShowing(0);
    // On page 0 "Назад" leaves the title and the text as they are: it does
    // not even refill them.
    s_.control(kWalkthroughTitle).caption = "title left alone";
    s_.control(kWalkthroughMemo).lines = {"text left alone"};
    click(kBackButton);
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(title(), "title left alone");
    EXPECT_EQ(memo(), std::vector<std::string>{"text left alone"});
    click(kForwardButton);
    click(kForwardButton);
    click(kBackButton);
    expectShowing(1);
    // The buttons page on from the page an image opened.
    click("Image47");
    click(kBackButton);
    expectShowing(9);
    for (int i = 0; i < 15; ++i)
        click(kForwardButton);
    expectShowing(9);
}

TEST_F(GuidanceTest, ClosingAndChangingTheNotebookPageKeepThePage) {
    click("Image40"); // page 7
    click(kCloseButton);
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(page(), 7);
    click("Image56");
    expectShowing(11);

    // Another notebook page hides the box without changing the page.
    EXPECT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet1"));
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(page(), 11);
    EXPECT_EQ(title(), kTitles[11]);
    // Hidden, the box's buttons still page on from where it was.
    click(kForwardButton);
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(page(), 12);
    click("Image36");
    expectShowing(12);
}

TEST_F(GuidanceTest, HintsSwitchHidesAndShowsTheImagesAndOpensPageZero) {
    click("Image41"); // page 8
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", kHintsItem));
    EXPECT_EQ(s_.control(kHintsItem).caption, "Подсказки вКлючить");
    EXPECT_FALSE(hintsOn(s_.form1()));
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(page(), 8);
    for (const auto& [name, k] : kImagePages)
        EXPECT_FALSE(s_.control(name).visible) << name;
    // The images of the numbers panel stay, and still open the box.
    for (const char* name : {"Image55", "Image3"}) {
        if (const ui::Control* image = s_.app.form("Form7").find(name)) {
            EXPECT_TRUE(image->visible) << name;
        }
    }
    openWalkthrough(s_.app, 4);
    expectShowing(4);

    // Switching the hints on opens page 0 whatever was shown before.
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", kHintsItem));
    EXPECT_EQ(s_.control(kHintsItem).caption, "Подсказки вЫключить");
    expectShowing(0);
    for (const auto& [name, k] : kImagePages)
        EXPECT_TRUE(s_.control(name).visible) << name;
    EXPECT_TRUE(s_.platform.dialogs.empty());
}

TEST_F(GuidanceTest, HelpDocumentsAndTheWebAddressGoToTheShellWithoutAMessage) {
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N15"));
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N25"));
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N19"));
    ASSERT_EQ(s_.platform.opened.size(), 3u);
    EXPECT_EQ(s_.platform.opened[0], "help/vargis_help.htm#Блоки");
    EXPECT_EQ(s_.platform.opened[1], "help/filters.htm#фильтры");
    EXPECT_EQ(s_.platform.opened[2].rfind("https://", 0), 0u);
    EXPECT_TRUE(s_.platform.dialogs.empty());
}

TEST_F(GuidanceTest, AboutBoxOpensFrontAndCloses) {
    ui::Form& about = s_.app.form("Form2");
    EXPECT_FALSE(about.self().visible);
    EXPECT_EQ(about.self().caption, "  Варгис - лото 5r36.1.1");
    EXPECT_EQ(about.self().width, 315);
    EXPECT_EQ(about.self().height, 183);
    EXPECT_EQ(about.self().color, 0x11DAF7u);
    struct Label {
        const char* name;
        const char* caption;
        ui::Color color;
        bool bold;
    };
    for (const Label& l : {Label{"Label4", "О программе", ui::colors::White, true},
                           Label{"StaticText1", "X", ui::colors::Maroon, false},
                           Label{"Label1", "Варгис - лото", ui::colors::Navy, true},
                           Label{"Label2", "ver. 5r36.1.1", ui::colors::Navy, true},
                           Label{"Label6", "Удачи ВСЕМ", ui::colors::White, true}}) {
        EXPECT_EQ(about.at(l.name).caption, l.caption) << l.name;
        EXPECT_EQ(about.at(l.name).fontColor, l.color) << l.name;
        EXPECT_EQ(about.at(l.name).bold, l.bold) << l.name;
    }
    EXPECT_TRUE(about.at("StaticText1").italic);
    EXPECT_TRUE(about.at("StaticText1").underline);
    EXPECT_EQ(about.at("Panel1").color, ui::colors::White);
    for (const char* name : {"Image1", "Label1", "Label2", "Label3", "Label5"})
        EXPECT_EQ(about.at(name).parent, "Panel1") << name;
    EXPECT_EQ(about.at("Label3").caption, makerNotice());
    EXPECT_EQ(about.at("Label5").fontColor, ui::colors::Navy);
    EXPECT_EQ(about.at("Label5").caption.rfind("https://", 0), 0u);

    const int raised = about.self().raiseCount;
    click("StaticText106");
    EXPECT_TRUE(about.self().visible);
    click("StaticText106"); // already open: brought to the front again
    EXPECT_EQ(about.self().raiseCount, raised + 2);
    EXPECT_TRUE(s_.app.click("Form2", "StaticText1"));
    EXPECT_FALSE(about.self().visible);
    EXPECT_TRUE(s_.platform.dialogs.empty());
}

TEST_F(GuidanceTest, MenuAndAboutLabelsTurnYellowUnderTheMouse) {
    for (const char* name : {"StaticText23", "StaticText106"}) {
        EXPECT_EQ(s_.control(name).fontColor, ui::colors::Lime) << name;
        EXPECT_EQ(s_.control(name).hoverFontColor, ui::colors::Yellow) << name;
    }
}

TEST_F(GuidanceTest, PanelShowsTheNameAndVersionMessage) {
    const ui::Control& panel = s_.control(kProgramInfoPanel);
    EXPECT_EQ(panel.color, s_.control("StaticText23").color);
    EXPECT_EQ(panel.width, 14);
    EXPECT_EQ(panel.height, 34);
    click(kProgramInfoPanel);
    const auto messages = s_.platform.texts(testing::Dialog::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    const auto lines = splitLines(messages.front());
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Программа Варгис - Лото 5r36.1.1");
    EXPECT_EQ(lines[4], "-----------");
    EXPECT_EQ(lines[5], "Program Vargis - Lotto 5r36.1.1");
    // The three notice lines in Russian are those of the About box.
    EXPECT_EQ(lines[1] + "\r\n" + lines[2] + "\r\n" + lines[3], makerNotice());
    for (const auto& line : lines)
        EXPECT_FALSE(line.empty());
    EXPECT_EQ(s_.platform.dialogs.size(), 1u);
}

// The help documents: Russian with the encoding declared, their anchors,
// every page of the window named, and what the program writes into a new
// working folder is what data/help holds.
TEST(HelpDocuments, AnchorsEncodingAndEveryPageNamed) {
    const auto documents = helpDocuments();
    std::map<std::string, std::string> byPath;
    for (const auto& d : documents)
        byPath[d.path] = d.bytes;
    ASSERT_EQ(byPath.size(), 2u);
    const std::string& help = byPath.at("help/vargis_help.htm");
    const std::string& filters = byPath.at("help/filters.htm");
    for (const std::string* doc : {&help, &filters}) {
        EXPECT_NE(doc->find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_EQ(doc->rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_NE(doc->find("</html>"), std::string::npos);
    }
    EXPECT_NE(help.find("id=\"Блоки\""), std::string::npos);
    EXPECT_NE(filters.find("id=\"фильтры\""), std::string::npos);

    std::set<std::string> captions{"ВЫБРАТЬ ЧИСЛА"};
    for (const auto& page : catalogue::filterPages())
        if (page.tabSheet != "TabSheet2" && page.tabSheet != "TabSheet3" &&
            page.tabSheet != "TabSheet4" && page.tabSheet != "TabSheet5" &&
            page.tabSheet != "TabSheet6")
            captions.insert(std::string(page.tabCaption));
    for (const auto& caption : captions) {
        EXPECT_NE(help.find("«" + caption + "»"), std::string::npos) << caption;
        if (caption != "ВЫБРАТЬ ЧИСЛА") {
            EXPECT_NE(filters.find("«" + caption + "»"), std::string::npos) << caption;
        }
    }
    for (const char* block :
         {"Статистика тиражей", "Результат работы фильтра", "Прогноз на", "Работа с программой",
          "фильтры объединить", "наложение", "Числа - дополнительная панель", "bd_statist.txt",
          "bd_filters.txt", "bd_graphics.txt", "bd_digits.txt", "statistic.html", "result.html",
          "graphics.html"})
        EXPECT_NE(help.find(block), std::string::npos) << block;

    for (const auto& [path, bytes] : byPath)
        EXPECT_EQ(bytes, testing::readBytes((testing::sourceDir() / "data" / path).string()))
            << path;
}

} // namespace
} // namespace vargis::guidance
