// Reports and help documents the desktop cannot open: the user is told the
// file and where it lies; the web address stays silent.

#include "commands/CombineState.h"
#include "commands/ResultTable.h"
#include "filters/MarkBases.h"
#include "reports/ReportOpening.h"
#include "support/DataFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis {
namespace {

namespace fs = std::filesystem;
using testing::Dialog;
using testing::StartedApp;

std::string fullPath(const std::string& file) {
    return (fs::current_path() / file).lexically_normal().string();
}

// The information boxes shown after the last clear.
std::vector<std::string> informations(const testing::ScriptedPlatform& platform) {
    return platform.texts(Dialog::Kind::Information);
}

TEST(ReportOpening, AFailedOpenNamesTheFileAndItsFullPath) {
    testing::WorkFolder folder;
    testing::ScriptedPlatform platform;
    platform.shellOpens = false;
    reports::openReport(platform, "result.html");
    EXPECT_EQ(platform.opened, std::vector<std::string>{"result.html"});
    const auto shown = informations(platform);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], reports::reportNotOpenedText("result.html", fullPath("result.html")));
    EXPECT_NE(shown[0].find("result.html"), std::string::npos);
    EXPECT_NE(shown[0].find(fullPath("result.html")), std::string::npos);
    EXPECT_TRUE(fs::path(fullPath("result.html")).is_absolute());

    // An open the desktop accepts says nothing.
    platform.clear();
    platform.shellOpens = true;
    reports::openReport(platform, "graphics.html");
    EXPECT_EQ(platform.opened, std::vector<std::string>{"graphics.html"});
    EXPECT_TRUE(platform.dialogs.empty());
}

TEST(ReportOpening, ResultAndGraphicsReportsTellWhereTheyLieWhenNotOpened) {
    StartedApp s;
    s.start();
    ASSERT_TRUE(s.platform.errors().empty()) << s.platform.errors().front();
    s.platform.shellOpens = false;

    // graphics.html: the usual notice, then where the page lies.
    s.platform.clear();
    ASSERT_TRUE(s.app.click("Form1", "BitBtn249"));
    auto shown = informations(s.platform);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Выбранные графики подготовлены для печати");
    EXPECT_EQ(shown[1], reports::reportNotOpenedText("graphics.html", fullPath("graphics.html")));
    EXPECT_TRUE(fs::exists(fullPath("graphics.html")));

    // result.html after a run with a few combinations left.
    commands::CombineState& state = commands::combineState(s.app);
    state.remaining = {{1, 2, 3, 4, 5}, {2, 3, 4, 5, 6}};
    commands::buildResultTable(s.app, state);
    s.platform.clear();
    ASSERT_TRUE(s.app.click("Form1", "Image32"));
    EXPECT_EQ(s.platform.opened, std::vector<std::string>{"result.html"});
    shown = informations(s.platform);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], reports::reportNotOpenedText("result.html", fullPath("result.html")));
    EXPECT_TRUE(fs::exists(fullPath("result.html")));
}

TEST(ReportOpening, ThePanelsReportTellsWhereItLiesWhenNotOpened) {
    StartedApp s;
    s.start();
    ASSERT_TRUE(s.platform.errors().empty()) << s.platform.errors().front();
    // Six numbers play: the panel lists their six combinations.
    for (int n = 7; n <= 36; ++n)
        ASSERT_TRUE(
            s.app.toggleCheckBox("Form1", "CheckBox" + filters::numberCheckBoxSuffix(n), false));
    s.platform.shellOpens = false;
    s.platform.clear();
    ASSERT_TRUE(s.app.click("Form7", "Image4"));
    EXPECT_EQ(s.platform.opened, std::vector<std::string>{"var_v-l_5r36.html"});
    const auto shown = informations(s.platform);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              reports::reportNotOpenedText("var_v-l_5r36.html", fullPath("var_v-l_5r36.html")));
    EXPECT_TRUE(fs::exists(fullPath("var_v-l_5r36.html")));
}

// No message promises a file that the close then deletes: the reports the
// close removes say they last until then, the panel's simply where they lie.
TEST(ReportOpening, OnlyTheReportsTheCloseDeletesSayTheyLastUntilThen) {
    const std::string until = "до закрытия программы";
    for (const char* file :
         {"statistic.html", "result.html", "graphics.html", "backtest.html", "efficiency.html"})
        EXPECT_NE(reports::reportNotOpenedText(file, "/x").find(until), std::string::npos) << file;
    for (const char* file : {"var_v-l_5r36.html", "var2_v-l_5r36.html"})
        EXPECT_EQ(reports::reportNotOpenedText(file, "/x").find(until), std::string::npos) << file;
}

TEST(ReportOpening, HelpDocumentsNameTheirPathAndTheSiteItsAddress) {
    StartedApp s;
    s.start();
    ASSERT_TRUE(s.platform.errors().empty()) << s.platform.errors().front();
    s.platform.shellOpens = false;
    s.platform.clear();
    for (const char* item : {"N15", "N25", "N19"})
        ASSERT_TRUE(s.app.click("Form1", item)) << item;
    EXPECT_EQ(s.platform.opened.size(), 3u);
    EXPECT_EQ(informations(s.platform),
              (std::vector<std::string>{
                  reports::documentNotOpenedText("help/vargis_help.htm",
                                                 fullPath("help/vargis_help.htm")),
                  reports::documentNotOpenedText("help/filters.htm", fullPath("help/filters.htm")),
                  "Не удалось открыть сайт программы.\r\nЕго адрес:\r\n" + s.platform.opened[2]}));
    EXPECT_EQ(s.platform.opened[2].substr(0, 8), "https://");
    EXPECT_TRUE(fs::exists(fullPath("help/filters.htm")));
}

} // namespace
} // namespace vargis
