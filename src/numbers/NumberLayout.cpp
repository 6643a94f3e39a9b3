#include "numbers/NumberLayout.h"

#include "filters/MarkBases.h"

#include <string>

namespace vargis::numbers {

using ui::Control;
using ui::ControlKind;
using ui::Form;
using ui::place;

namespace {

Control& placeArrows(Form& form, const std::string& name, const std::string& parent, int left,
                     int top, const std::string& label, int min, int max, int initial) {
    Control& arrows = place(form, name, ControlKind::UpDown, parent, left, top, 16, 22);
    arrows.min = min;
    arrows.max = max;
    arrows.position = initial;
    arrows.associate = label;
    return arrows;
}

// The analysis panel: the exclusion threshold, the draws counted before the
// reference draw, "учесть" and the switch-off image.
void buildAnalysisPanel(Form& form) {
    const std::string g = kAnalysisPanel;
    place(form, g, ControlKind::GroupBox, kNumberPage, 3, 275, 440, 90, " Анализатор ");
    place(form, "StaticText259Caption", ControlKind::Label, g, 8, 20, 214, 18,
          "Исключать ЧИСЛА с повторениями");
    place(form, kThresholdSign, ControlKind::StaticText, g, 226, 20, 18, 18, "=");
    place(form, kThresholdLabel, ControlKind::StaticText, g, 246, 20, 22, 18, "0");
    placeArrows(form, kThresholdArrows, g, 270, 18, kThresholdLabel, 0, 10, 0);

    place(form, "StaticText166Caption", ControlKind::Label, g, 8, 52, 62, 18, "Повторы в");
    place(form, kDrawsLabel, ControlKind::StaticText, g, 72, 52, 22, 18, "15");
    placeArrows(form, kDrawsArrows, g, 96, 50, kDrawsLabel, 1, 49, 15);
    place(form, "StaticText262Caption", ControlKind::Label, g, 118, 52, 160, 18,
          "тир. перед тир. с N п/п = ");
    place(form, kReferenceLabel, ControlKind::StaticText, g, 280, 52, 22, 18, "30");
    placeArrows(form, kReferenceArrows, g, 304, 50, kReferenceLabel, 10, 50, 30);

    Control& apply = place(form, kApplyButton, ControlKind::BitBtn, g, 326, 14, 80, 26, "учесть");
    apply.hint = "Повторы в предыдущих тиражах";
    place(form, "Image37Caption", ControlKind::Label, g, 350, 56, 56, 18, "выкл. =>");
    Control& off = place(form, kAnalyzerOffImage, ControlKind::Image, g, 410, 52, 22, 22);
    off.hint = "Выключить панель анализа";
}

// The switch panel covers the analysis panel while the analyzer is off; it
// paints its own background so that nothing of the panel under it shows.
void buildSwitchPanel(Form& form) {
    const std::string g = kSwitchPanel;
    Control& group = place(form, g, ControlKind::GroupBox, kNumberPage, 3, 275, 440, 90);
    group.visible = false;
    group.color = 0xE8E8E8;
    Control& on = place(form, kAnalyzerOnImage, ControlKind::Image, g, 10, 20, 22, 22);
    on.hint = "Включить панель анализа";
    place(form, "Image24Caption", ControlKind::Label, g, 36, 24, 80, 18, "анализатор");
    place(form, "StaticText13Caption", ControlKind::Label, g, 130, 18, 300, 18,
          "Выбранные числа играют во всех тиражах");
    place(form, kAnalyzerNote, ControlKind::StaticText, g, 130, 38, 200, 18,
          "начиная с N п/п= 1 до N п/п= ");
    Control& chart =
        place(form, kHitsChartButton, ControlKind::BitBtn, g, 338, 58, 94, 26, "график");
    chart.hint = "Выбранные числа играют во ВСЕХ тиражах";
}

// One group of the panel: three lines of captions with a value, a memo or
// two, images and the grid of combinations.
struct GridArea {
    const char* group;
    const char* grid;
    int top;
};

void buildCombinationGrid(Form& form, const GridArea& area) {
    Control& grid = place(form, area.grid, ControlKind::StringGrid, area.group, 8, area.top, 238,
                          340 - area.top);
    grid.grid.colCount = 6;
    grid.grid.rowCount = 2;
    grid.grid.cells = {{"N п/п", "1-е", "2-е", "3-е", "4-е", "5-е"}, {"", "", "", "", "", ""}};
    grid.grid.colWidths = {33, 36, 36, 36, 36, 36};
    grid.grid.leftCol = 1;
}

Control& placeImage(Form& form, const std::string& name, const std::string& parent, int left,
                    int top, const char* hint) {
    Control& image = place(form, name, ControlKind::Image, parent, left, top, 20, 20);
    image.hint = hint;
    return image;
}

void buildSelectedSide(Form& form) {
    const std::string g = "SelectedGroup";
    place(form, g, ControlKind::GroupBox, form.name(), 3, 3, 254, 347,
          " Выбранные  ДО обработки фильтрами  ");
    place(form, "Label14Caption", ControlKind::Label, g, 8, 18, 150, 16,
          "Играют (выбраны), всего ");
    place(form, ui::kPlayingCount, ControlKind::Label, g, 158, 18, 22, 16, " ??");
    place(form, "Label14Unit", ControlKind::Label, g, 182, 18, 64, 16, "чисел, ЭТО:");
    place(form, ui::kPlayingMemo, ControlKind::Memo, g, 8, 34, 238, 36);
    place(form, "Memo2Caption", ControlKind::Label, g, 8, 72, 238, 16, "Не играют (не выбраны):");
    place(form, ui::kExcludedMemo, ControlKind::Memo, g, 8, 88, 238, 48);
    place(form, "Label3Caption", ControlKind::Label, g, 8, 138, 238, 16,
          "Перестановок из выбранных чисел по 5,  ");
    place(form, "Label3Prefix", ControlKind::Label, g, 8, 154, 90, 16, "всего  =>>  ");
    place(form, ui::kSelectedCombinations, ControlKind::Label, g, 100, 154, 70, 16, " ??  ");
    place(form, "StringGrid1Caption", ControlKind::Label, g, 8, 172, 238, 16,
          "Перестановки из выбранных чисел по 5,  ");
    place(form, "StringGrid1Limit", ControlKind::Label, g, 8, 188, 160, 16,
          "если их меньше 10.000 : ");
    placeImage(form, ui::kClearSelectedImage, g, 170, 186, "Очистить таблицу");
    placeImage(form, ui::kPrintSelectedImage, g, 196, 186,
               "Распечатать перестановки из выбранных чисел");
    placeImage(form, ui::kSelectedHelpImage, g, 222, 186, "Помощь + пример");
    buildCombinationGrid(form, {g.c_str(), ui::kSelectedGrid, 208});
}

void buildAfterFilterSide(Form& form) {
    const std::string g = "AfterFilterGroup";
    place(form, g, ControlKind::GroupBox, form.name(), 259, 3, 254, 347,
          "  ПОСЛЕ обработки фильтрами  ");
    place(form, "Memo4Caption", ControlKind::Label, g, 8, 18, 238, 16,
          "Числа, оставшиеся после фильтров:");
    place(form, ui::kAfterFilterMemo, ControlKind::Memo, g, 8, 36, 238, 62);
    place(form, "Label7Caption", ControlKind::Label, g, 8, 104, 238, 16,
          "Осталось чисел в перестановках");
    place(form, "Label7Prefix", ControlKind::Label, g, 8, 120, 160, 16,
          "после фильтров, всего =>> ");
    place(form, ui::kAfterFilterCount, ControlKind::Label, g, 176, 120, 60, 16, "??");
    place(form, "Label13Caption", ControlKind::Label, g, 8, 138, 238, 16,
          "Перестановок из оставшихся чисел по 5,  ");
    place(form, "Label13Prefix", ControlKind::Label, g, 8, 154, 90, 16, "всего  =>>  ");
    place(form, ui::kAfterFilterCombinations, ControlKind::Label, g, 100, 154, 70, 16, "??");
    place(form, "StringGrid2Caption", ControlKind::Label, g, 8, 172, 238, 16,
          "Перестановки из оставшихся чисел по 5,  ");
    place(form, "StringGrid2Limit", ControlKind::Label, g, 8, 188, 160, 16,
          "если их меньше 10.000 : ");
    placeImage(form, ui::kClearAfterFilterImage, g, 170, 186, "Очистить таблицу");
    placeImage(form, ui::kPrintAfterFilterImage, g, 196, 186,
               "Распечатать перестановки из оставшихся после фильтров чисел");
    placeImage(form, ui::kAfterFilterHelpImage, g, 222, 186, "Помощь + пример");
    buildCombinationGrid(form, {g.c_str(), ui::kAfterFilterGrid, 208});
}

} // namespace

void buildNumberPage(Form& form) {
    Control& sheet = form.add(kNumberPage, ControlKind::TabSheet, ui::kPages);
    sheet.caption = "ВЫБРАТЬ ЧИСЛА";
    form.at(ui::kPages).pages.push_back(sheet.name);
    // Five columns of ten numbers, each label with its box to the right.
    for (int n = 1; n <= filters::kNumbers; ++n) {
        const int column = (n - 1) / 10;
        const int line = (n - 1) % 10;
        const int x = 8 + column * 86;
        const int y = 8 + line * 24;
        place(form, filters::numberLabelName(n), ControlKind::StaticText, kNumberPage, x, y, 24, 18,
              std::to_string(n));
        Control& box =
            place(form, ui::numberedName(ui::kCheckBoxPrefix, filters::numberCheckBoxSuffix(n)),
                  ControlKind::CheckBox, kNumberPage, x + 26, y, 18, 18);
        // Every number plays until the digits base says otherwise.
        box.checked = true;
        box.color = ui::colors::Yellow;
    }
    place(form, kAllNumbersButton, ControlKind::BitBtn, kNumberPage, 8, 248, 60, 22, "все +");
    // The analysis panel first: the switch panel is drawn over it.
    buildAnalysisPanel(form);
    buildSwitchPanel(form);
    place(form, "TabSheet11Legend", ControlKind::StaticText, kNumberPage, 6, 370, 432, 18,
          "* - играют выбранные;  * - 'клик на числе' -> частота выпадения числа");
}

void buildNumbersPanel(Form& form) {
    Control& self = form.self();
    self.caption = kNumbersPanelCaption;
    self.width = kPanelClientWidth;
    self.height = kPanelClientHeight;
    self.stayOnTop = true;
    self.minimizeBox = true;
    buildSelectedSide(form);
    buildAfterFilterSide(form);
}

} // namespace vargis::numbers
