#pragma once
// The number page "ВЫБРАТЬ ЧИСЛА": marking the playing numbers, the
// frequency chart of one number, the hits chart of the selection, the
// analyzer's switch and the page's own show, hide and exit.

#include "context/AppContext.h"

#include <string>

namespace vargis::numbers {

// The analyzer is on while its switch panel is hidden.
bool analyzerOn(const ui::Form& mainForm);

// CheckBox246Click: the click of any of the 50 number check boxes.
void numberBoxClick(context::AppContext& app, const std::string& sender);

// BitBtn199Click "все +": every number 1..N plays.
void markAllNumbers(context::AppContext& app);

// StaticText191Click: how the number of the clicked label fell in draws 1..50.
void numberFrequency(context::AppContext& app, const std::string& sender);

// DrawSelectedHits: per draw, how many of its numbers play; also the panel's
// lists and StaticText8.
void drawSelectedHits(context::AppContext& app);

// ListSelection: Memo1 the playing numbers, Memo2 the excluded ones.
void listSelection(context::AppContext& app);

// Steps 5 to 7 of the click: the counters on the page and on the panel, the
// panel's grid of combinations, the hits chart while the analyzer is off and
// the panel's after-filter side emptied.
void showSelection(context::AppContext& app);

// Image24Click and Image37Click: the analyzer on (after the question) and off.
void analyzerSwitchOn(context::AppContext& app);
void analyzerSwitchOff(context::AppContext& app);

// TabSheet11Show, TabSheet11Hide, TabSheet11Exit.
void numberPageShow(context::AppContext& app);
void numberPageHide(context::AppContext& app);
void numberPageExit(context::AppContext& app);

// StaticText13: the span of draws the analyzer reads, 1 to DrawCount.
void showAnalyzerSpan(context::AppContext& app);

} // namespace vargis::numbers
