// Saved chart images and the page that prints them.

#include "app/Application.h"
#include "base/Cp1251.h"
#include "base/TextFile.h"
#include "filters/ImageBase.h"
#include "support/ScriptedPlatform.h"
#include "support/WorkFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vargis {
namespace {

namespace fs = std::filesystem;
using testing::Dialog;

struct Started {
    testing::WorkFolder folder;
    testing::ScriptedPlatform platform;
    app::Application app{platform};
    Started() {
        app.start();
        platform.clear();
    }
    std::vector<std::string> images() { return filters::chartImages(app.workspace()); }
};

TEST(ImageBase, NumberingRestartsAfterClearingWithYes) {
    Started s;
    s.app.click("Form1", "BitBtn223");
    s.app.click("Form1", "BitBtn223");
    EXPECT_EQ(s.images(), (std::vector<std::string>{"1.bmp", "2.bmp"}));
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Information).back(), "Имидж добавлен в базу");

    writeBytes("graphics.html", "x");
    s.platform.answers = {false};
    s.app.click("Form1", "BitBtn273");
    EXPECT_EQ(s.images().size(), 2u);
    EXPECT_FALSE(fileExists("graphics.html"));
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Question).back(), "Удалить ВСЕ выбранные графики ?");

    s.platform.answers = {true};
    s.app.click("Form1", "BitBtn273");
    EXPECT_TRUE(s.images().empty());
    s.app.click("Form1", "BitBtn223");
    EXPECT_EQ(s.images(), (std::vector<std::string>{"1.bmp"}));
}

TEST(ImageBase, FullBaseRefusesTheFiftyFirst) {
    Started s;
    for (int k = 1; k <= 50; ++k)
        writeBytes("bd/5_36/bd_images/" + std::to_string(k) + ".bmp", "BM");
    s.app.click("Form1", "BitBtn223");
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Information).back(), "База имиджей заполнена");
    EXPECT_FALSE(fileExists("bd/5_36/bd_images/51.bmp"));
}

TEST(ImageBase, GraphicsPageLineByLine) {
    Started s;
    s.app.click("Form1", "BitBtn223");
    s.platform.clock = {2026, 12, 9, 7, 5, 3};
    s.app.click("Form1", "BitBtn249");
    std::vector<std::string> lines;
    for (const auto& line : readLines("graphics.html"))
        lines.push_back(fromCp1251(line));
    const std::vector<std::string> expected{
        "<html> <head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "<title>Варгис - Лото 5v36.1.1 Рабочие графики</title>",
        "</head><body>",
        "<div style=\"font-family: MS Sans Serif; font-size: 13px\">",
        "<small>Варгис - лото 5v36.1.1.  Сайт программы: https://vargis-loto.example.org/"
        "<br></small></div>",
        "<div align=\"center\"><center>",
        "<TABLE cellspacing=0 cellpadding=0 width=40% border=0>",
        "<tr><td bgcolor=\"white\">Прогноз на тираж (запись) N= 51.  Дата для прогноза: "
        "02.12.2026<table cellspacing=1 cellpadding=4 width=100% border=0>"
        "<p><img src=\"bd/5_36/bd_images/1.bmp\"width=\"587\" height=\"249\"></p></table>",
        "</td></tr></table>",
        "</div>",
        "<p>",
        "<small>",
        "Варгис - Лото 5v36.1.1<br>",
        "09.12.2026г., 7:05:03",
        "</small>",
        "",
        "",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(s.platform.sleptMs, 500);
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Information).back(),
              "Выбранные графики подготовлены для печати");
    EXPECT_EQ(s.platform.opened.back(), "graphics.html");
}

TEST(ImageBase, PrintWithoutImagesHasAnEmptyInnerTable) {
    Started s;
    s.app.click("Form1", "BitBtn249");
    const auto lines = readLines("graphics.html");
    ASSERT_GT(lines.size(), 8u);
    EXPECT_NE(fromCp1251(lines[8]).find("border=0></table>"), std::string::npos);
}

} // namespace
} // namespace vargis
