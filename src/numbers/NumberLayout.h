#pragma once
// The controls of the number page "ВЫБРАТЬ ЧИСЛА" of the main window and of
// the numbers panel Form7, with the positions the desktop program renders.

#include "ui/Form.h"
#include "ui/MainFormControls.h"

namespace vargis::numbers {

inline constexpr const char* kNumberPage = "TabSheet11";
inline constexpr const char* kNumbersPanelCaption = "Числа - дополнительная панель";

// The switch panel (shown while the analyzer is off) and the analysis panel
// under it.
inline constexpr const char* kSwitchPanel = "GroupBox6";
inline constexpr const char* kAnalysisPanel = "GroupBox4";

// Analyzer settings: h (draws counted), F (reference draw), t (threshold),
// each a label moved by its arrows; and the label of the threshold's sign.
// The arrows are named in ui/MainFormControls.h: the draw grid sets them.
inline constexpr const char* kDrawsLabel = "StaticText166";
using ui::kDrawsArrows;
inline constexpr const char* kReferenceLabel = "StaticText262";
using ui::kReferenceArrows;
inline constexpr const char* kThresholdLabel = "StaticText259";
using ui::kThresholdArrows;
inline constexpr const char* kThresholdSign = "StaticText190";

// "все +" under the numbers; "учесть" and the off image of the analysis
// panel; the on image, the note of the draws counted and "график" of the
// switch panel.
inline constexpr const char* kAllNumbersButton = "BitBtn199";
inline constexpr const char* kApplyButton = "BitBtn225";
inline constexpr const char* kAnalyzerOffImage = "Image37";
inline constexpr const char* kAnalyzerOnImage = "Image24";
inline constexpr const char* kAnalyzerNote = "StaticText13";
inline constexpr const char* kHitsChartButton = "BitBtn26";

inline constexpr int kPanelClientWidth = 515;
inline constexpr int kPanelClientHeight = 353;

// Adds the page TabSheet11 to PageControl1 of the main window: the 50
// number labels with their check boxes, "все +", the switch panel and the
// analysis panel, and the legend.
void buildNumberPage(ui::Form& form);

// The numbers panel: its window and both groups with their labels, memos,
// grids and images.
void buildNumbersPanel(ui::Form& form);

} // namespace vargis::numbers
