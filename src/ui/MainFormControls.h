#pragma once
// Names of the forms and of the main form's controls that code outside the
// layout touches. Every layer may include this header, so a misspelt name
// fails to compile instead of failing at run time. The catalogue's tables
// name the filter rows' own controls.

namespace vargis::ui {

inline constexpr const char* kMainForm = "Form1";
inline constexpr const char* kNumberForm = "Form2";
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

} // namespace vargis::ui
