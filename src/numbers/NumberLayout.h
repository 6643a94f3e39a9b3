#pragma once
// The controls of the number page "ВЫБРАТЬ ЧИСЛА" of the main window and of
// the numbers panel Form7, with the positions the desktop program renders.

#include "ui/Form.h"

namespace vargis::numbers {

inline constexpr const char* kNumberPage = "TabSheet11";
inline constexpr const char* kNumbersPanelCaption = "Числа - дополнительная панель";

// The switch panel (shown while the analyzer is off) and the analysis panel
// under it.
inline constexpr const char* kSwitchPanel = "GroupBox6";
inline constexpr const char* kAnalysisPanel = "GroupBox4";

// Analyzer settings: h (draws counted), F (reference draw), t (threshold),
// each a label moved by its arrows; and the label of the threshold's sign.
inline constexpr const char* kDrawsLabel = "StaticText166";
inline constexpr const char* kDrawsArrows = "UpDown102";
inline constexpr const char* kReferenceLabel = "StaticText262";
inline constexpr const char* kReferenceArrows = "UpDown125";
inline constexpr const char* kThresholdLabel = "StaticText259";
inline constexpr const char* kThresholdArrows = "UpDown124";
inline constexpr const char* kThresholdSign = "StaticText190";

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
