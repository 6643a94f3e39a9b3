#pragma once
// The two reports of the numbers panel: the combinations of the chosen
// numbers (var_v-l_5r36.html) and of the numbers left after the filters
// (var2_v-l_5r36.html), written as the common HTML report and opened.

#include "context/AppContext.h"
#include "reports/HtmlReport.h"

#include <string>

namespace vargis::numbers {

inline constexpr const char* kSelectedReport = "var_v-l_5r36.html";
inline constexpr const char* kAfterFilterReport = "var2_v-l_5r36.html";
inline constexpr int kReportQuestionRows = 501;

enum class PanelSide { Selected, AfterFilter };

// The report of a side's grid as it stands; `selected` is the text of Memo1
// (the left report names the chosen numbers).
reports::HtmlReport selectedReport(const context::Workspace& ws, const ui::Control& grid,
                                   const std::string& selected, const ui::DateTime& now);
reports::HtmlReport afterFilterReport(const context::Workspace& ws, const ui::Control& grid,
                                      const ui::DateTime& now);

// Image4Click and Image1Click: "Таблица пустая !" when the first data row
// is empty; the question above 500 rows; the file written and opened.
void printPanelReport(context::AppContext& app, PanelSide side);

} // namespace vargis::numbers
