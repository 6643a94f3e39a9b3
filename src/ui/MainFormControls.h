#pragma once
// Names of the forms and of the controls that code below their layout
// touches: the main form's and the numbers panel's. Every layer may include
// this header, so a misspelt name fails to compile instead of failing at run
// time. The catalogue's tables name the filter rows' own controls; controls
// that only their own subsystem touches are named in its layout header.

#include <string>
#include <string_view>

namespace vargis::ui {

inline constexpr const char* kMainForm = "Form1";
inline constexpr const char* kAboutForm = "Form2";
inline constexpr const char* kNumbersPanelForm = "Form7";

// The main menu, the kind menu and the captions that open them.
inline constexpr const char* kMainMenu = "PopupMenu4";
inline constexpr const char* kMainMenuCaption = "StaticText23";
inline constexpr const char* kKindMenu = "PopupMenu6";
inline constexpr const char* kKindMenuCaption = "StaticText14";
inline constexpr const char* kKindCaption = "StaticText108"; // " 5 из 36"
inline constexpr const char* kSaveDrawsItem = "N9";
inline constexpr const char* kSaveDrawsLabel = "Label2"; // "сохранить" under the draw grid
inline constexpr const char* kSaveDrawsImage = "Image10";
inline constexpr const char* kSaveFiltersItem = "N10";
inline constexpr const char* kExitItem = "N12";

// The pages and the first of them.
inline constexpr const char* kPages = "PageControl1";
inline constexpr const char* kNumberChoicePage = "TabSheet1";
inline constexpr const char* kGoodLuck = "StaticText1";
inline constexpr const char* kWalkthroughGroup = "GroupBox6";

// The filter shown: its header and the counts under it.
inline constexpr const char* kFilterHeader = "StaticText4";
inline constexpr const char* kMatchedDraws = "StaticText3";      // " тиражей попало :"
inline constexpr const char* kCombinationsLeft = "StaticText8";  // " перестановок :"
inline constexpr const char* kNumbersLeft = "StaticText6";       // " чисел осталось :"
inline constexpr const char* kNumbersInPlay = "StaticText9";     // " N = count "
inline constexpr const char* kCombinationCount = "StaticText10"; // of the kind, by the chart

// The combine: its button, progress, busy note, the forecast and the note
// on too many remaining combinations.
inline constexpr const char* kCombineButton = "BitBtn17";
inline constexpr const char* kProgressBar = "ProgressBar1";
inline constexpr const char* kBusyLabel = "StaticText18";
inline constexpr const char* kForecastGroup = "GroupBox1";
inline constexpr const char* kForecastCalendar = "MonthCalendar2";
inline constexpr const char* kTooManyMemo = "Memo1";
inline constexpr const char* kRemainingInPlay = "StaticText20"; // "Перестановок в игре:"
inline constexpr const char* kPrintResultImage = "Image32";

// The ordinals line under the chart and its caption.
inline constexpr const char* kOrdinalsCaption = "StaticText168";
inline constexpr const char* kOrdinalsLine = "RichEdit1";
inline constexpr const char* kOverlayButton = "BitBtn275"; // " наложение"

// The timer that hides the good-luck note after start-up, and the captions
// of the title bar.
inline constexpr const char* kGoodLuckTimer = "Timer1";
inline constexpr const char* kAboutLabel = "StaticText106"; // "О программе"

// The help items of the main menu.
inline constexpr const char* kHelpItem = "N15";        // "Помощь"
inline constexpr const char* kFiltersHelpItem = "N25"; // "Фильтры"
inline constexpr const char* kSiteItem = "N19";        // "Сайт программы"

// The condition menus of the filter buttons (four conditions, or "<>" and
// "=") and the lunar-day menu of the chart.
inline constexpr const char* kConditionMenu = "PopupMenu1";
inline constexpr const char* kTwoWayConditionMenu = "PopupMenu2";
inline constexpr const char* kLunarMenu = "PopupMenu3";
inline constexpr const char* kLunarOnItem = "N6";
inline constexpr const char* kLunarOffItem = "N7";

// The chart and its image buttons "Доб", "Печ", "Уд".
inline constexpr const char* kChart = "Chart";
inline constexpr const char* kAddChartImageButton = "BitBtn223";
inline constexpr const char* kPrintChartImagesButton = "BitBtn249";
inline constexpr const char* kClearChartImagesButton = "BitBtn273";

// The draw statistics: the grid and its "редактировать", "добавить" " / ",
// and the print image and label.
inline constexpr const char* kDrawGrid = "StringGrid1";
inline constexpr const char* kEditDrawsLabel = "Label1";
inline constexpr const char* kAddDrawLabel = "Label7";
inline constexpr const char* kAddDrawSlash = "Label4";
inline constexpr const char* kPrintDrawsImage = "Image30";
inline constexpr const char* kPrintDrawsLabel = "Label3";

// The table of remaining combinations and its four counters (with 5, 4, 3
// and 2 winning numbers).
inline constexpr const char* kResultGrid = "StringGrid3";
inline constexpr const char* kCounterLabels[] = {"StaticText107", "StaticText141", "StaticText142",
                                                 "StaticText143"};

// The "+" button of the digit page.
inline constexpr const char* kDigitPlusButton = "BitBtn307";

// The walkthrough box: its title and its text.
inline constexpr const char* kWalkthroughBox = "GroupBox7";
inline constexpr const char* kWalkthroughTitle = "StaticText60";
inline constexpr const char* kWalkthroughMemo = "Memo4";

// The analyzer's arrows on the number page: h (draws counted), F
// (reference draw), t (threshold).
inline constexpr const char* kDrawsArrows = "UpDown102";
inline constexpr const char* kReferenceArrows = "UpDown125";
inline constexpr const char* kThresholdArrows = "UpDown124";

// The numbers panel Form7: the side of the selected numbers (playing and
// excluded numbers, their counts, the grid of their combinations) and the
// side after the filters (its numbers, their count, the combination count,
// the grid).
inline constexpr const char* kPlayingMemo = "Memo1";
inline constexpr const char* kExcludedMemo = "Memo2";
inline constexpr const char* kPlayingCount = "Label14";
inline constexpr const char* kSelectedCombinations = "Label3";
inline constexpr const char* kSelectedGrid = "StringGrid1";
inline constexpr const char* kClearSelectedImage = "Image58";
inline constexpr const char* kPrintSelectedImage = "Image4";
inline constexpr const char* kSelectedHelpImage = "Image55";
inline constexpr const char* kAfterFilterMemo = "Memo4";
inline constexpr const char* kAfterFilterCount = "Label7";
inline constexpr const char* kAfterFilterCombinations = "Label13";
inline constexpr const char* kAfterFilterGrid = "StringGrid2";
inline constexpr const char* kClearAfterFilterImage = "Image2";
inline constexpr const char* kPrintAfterFilterImage = "Image1";
inline constexpr const char* kAfterFilterHelpImage = "Image3";

// Controls numbered at run time: a kind's prefix and the number (or the
// suffix a stored file gives).
inline constexpr std::string_view kCheckBoxPrefix = "CheckBox";
inline constexpr std::string_view kStaticTextPrefix = "StaticText";
inline constexpr std::string_view kTabSheetPrefix = "TabSheet";
inline constexpr std::string_view kUpDownPrefix = "UpDown";

inline std::string numberedName(std::string_view prefix, std::string_view suffix) {
    std::string name(prefix);
    name += suffix;
    return name;
}
inline std::string numberedName(std::string_view prefix, int number) {
    return numberedName(prefix, std::to_string(number));
}

} // namespace vargis::ui
