#include "FormLayout.h"

#include "ImportCommand.h"
#include "Startup.h"
#include "catalogue/Catalogue.h"
#include "commands/BoundSuggestions.h"
#include "commands/RandomnessCheck.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategySearchCommand.h"
#include "commands/TicketCommands.h"
#include "filters/MarkBases.h"
#include "guidance/GuidanceLayout.h"
#include "numbers/NumberLayout.h"
#include "ui/MainFormControls.h"

#include <string>

namespace vargis::app {

using ui::Control;
using ui::ControlKind;
using ui::Form;
using ui::place;

namespace {

void addMenu(Form& form, const std::string& menu,
             std::initializer_list<std::pair<const char*, const char*>> items, bool radio) {
    Control& m = form.add(menu, ControlKind::PopupMenu, form.name());
    m.visible = false;
    for (const auto& [name, caption] : items) {
        Control& item = form.add(name, ControlKind::MenuItem, menu);
        item.caption = caption;
        item.radioItem = radio && std::string(caption) != "-";
        item.menu = menu;
        form.at(menu).items.push_back(name);
    }
}

// Two columns of filter rows on a page: check box, button, parameter label
// and up-down arrows.
void buildFilterPage(Form& form, const catalogue::PageInfo& page) {
    Control& sheet = form.add(std::string(page.tabSheet), ControlKind::TabSheet, ui::kPages);
    sheet.caption = std::string(page.tabCaption);
    sheet.hint = std::string(page.hint);
    form.at(ui::kPages).pages.push_back(sheet.name);

    const int count = page.lastRow - page.firstRow + 1;
    const int perColumn = (count + 1) / 2;
    for (int row = page.firstRow; row <= page.lastRow; ++row) {
        const auto& rc = catalogue::rowControls(row);
        const int index = row - page.firstRow;
        const int x = index < perColumn ? 4 : 226;
        const int y = 6 + (index % perColumn) * 28;
        const std::string parent(page.tabSheet);
        if (!rc.checkBox.empty()) {
            Control& box = place(form, std::string(rc.checkBox), ControlKind::CheckBox, parent, x,
                                 y + 3, 16, 16);
            box.visible = box.enabled = !rc.hidden;
            if (rc.alwaysOn) {
                box.checked = true;
                box.enabled = false;
            }
        }
        if (!rc.button.empty()) {
            Control& button = place(form, std::string(rc.button), ControlKind::BitBtn, parent,
                                    x + 18, y, 146, 22, std::string(rc.caption));
            button.hint = std::string(rc.hint);
            button.visible = button.enabled = !rc.hidden;
            button.popupMenu = rc.menu == catalogue::ConditionMenu::TwoWay
                                   ? ui::kTwoWayConditionMenu
                               : rc.menu == catalogue::ConditionMenu::FourWay ? ui::kConditionMenu
                                                                              : "";
        }
        if (!rc.paramLabel.empty()) {
            Control& label = place(form, std::string(rc.paramLabel), ControlKind::StaticText,
                                   parent, x + 168, y + 2, 30, 18, std::string(rc.paramInitial));
            label.visible = label.enabled = !rc.hidden;
        }
        if (!rc.upDown.empty()) {
            Control& arrows = place(form, std::string(rc.upDown), ControlKind::UpDown, parent,
                                    x + 200, y, 16, 22);
            arrows.min = rc.upMin;
            arrows.max = rc.upMax;
            arrows.position = rc.upInitial;
            arrows.associate = std::string(rc.paramLabel);
            arrows.visible = arrows.enabled = !rc.hidden;
        }
    }
    int extraX = 4;
    int extraY = 344;
    int unnamed = 0;
    for (const auto& extra : page.extras) {
        std::string name(extra.name);
        ControlKind kind = ControlKind::Label;
        int width = 8 + 6 * static_cast<int>(extra.caption.size() / 2 + 1);
        int height = 18;
        if (name.empty()) {
            // An explanatory note the program never refers to by name.
            name = std::string(page.tabSheet) + "Note" + std::to_string(++unnamed);
            kind = ControlKind::StaticText;
            width = 220;
            height = 34;
        } else if (name.rfind("Image", 0) == 0) {
            kind = ControlKind::Image;
            width = 20;
        } else if (name.rfind("BitBtn", 0) == 0) {
            kind = ControlKind::BitBtn;
            width = 24;
            height = 20;
        } else if (name.rfind("StaticText", 0) == 0) {
            kind = ControlKind::StaticText;
        }
        if (extraX + width > 440) {
            extraX = 4;
            extraY += 24;
        }
        Control& c = place(form, name, kind, std::string(page.tabSheet), extraX, extraY, width,
                           height, std::string(extra.caption));
        c.hint = std::string(extra.hint);
        extraX += width + 6;
    }
}

void buildMenus(Form& form) {
    addMenu(form, ui::kMainMenu,
            {{ui::kHelpItem, "Помощь"},
             {ui::kFiltersHelpItem, "Фильтры"},
             {ui::kSiteItem, "Сайт программы"},
             {"N4Separator1", "-"},
             {ui::kSaveDrawsItem, "Статистику тиражей сохранить"},
             {kImportMenuItem, "Импорт тиражей..."},
             {ui::kSaveFiltersItem, "Базу фильтров сохранить"},
             {"N4Separator4", "-"},
             {commands::kBacktestMenuItem, "Проверка стратегии"},
             {commands::kWorthMenuItem, "Эффективность фильтров"},
             {commands::kSuggestMenuItem, "Подбор границ..."},
             {commands::kSearchMenuItem, "Подбор стратегии..."},
             {commands::kTicketsMenuItem, "Билеты из оставшихся..."},
             {commands::kSaveRemainingMenuItem, "Сохранить оставшиеся..."},
             {commands::kRandomnessMenuItem, "Проверка случайности..."},
             {"N4Separator2", "-"},
             {"N22", "Подсказки вЫключить"},
             {kPositionPagesMenuItem, "Страницы позиций"},
             {"N4Separator3", "-"},
             {ui::kExitItem, "Выход"}},
            false);
    form.self().popupMenu = ui::kMainMenu;
    addMenu(form, ui::kConditionMenu, {{"n1", "<="}, {"n2", "="}, {"n3", "<>"}, {"N8", ">="}},
            true);
    addMenu(form, ui::kTwoWayConditionMenu, {{"n4", "<>"}, {"n5", "="}}, true);
    // The chart's menu: the lunar-day overlay on or off, neither marked at start.
    addMenu(form, ui::kLunarMenu,
            {{ui::kLunarOnItem, "Вкл. Лунные дни"}, {ui::kLunarOffItem, "Выкл. Лунные дни"}}, true);
    Control& kinds = form.add(ui::kKindMenu, ControlKind::PopupMenu, form.name());
    kinds.visible = false;
    for (const auto& kind : kKindItems) {
        const std::string folder = kind.folder;
        Control& item = form.add(kind.item, ControlKind::MenuItem, ui::kKindMenu);
        item.caption = "5 из " + folder.substr(2);
        item.radioItem = true;
        item.menu = ui::kKindMenu;
        kinds.items.push_back(kind.item);
    }
}

void buildStatisticsGroup(Form& form) {
    place(form, "GroupBox3", ControlKind::GroupBox, form.name(), 3, 446, 470, 202,
          "  Статистика тиражей ");
    place(form, ui::kEditDrawsLabel, ControlKind::Label, "GroupBox3", 10, 16, 90, 16,
          "редактировать");
    Control& add = place(form, ui::kAddDrawLabel, ControlKind::Label, "GroupBox3", 110, 16, 60, 16,
                         "добавить");
    add.hint = "Добавить тираж ";
    Control& slash =
        place(form, ui::kAddDrawSlash, ControlKind::Label, "GroupBox3", 170, 16, 14, 16, " / ");
    slash.hint = "Добавить тираж ";
    place(form, ui::kSaveDrawsImage, ControlKind::Image, "GroupBox3", 190, 14, 20, 18);
    place(form, ui::kSaveDrawsLabel, ControlKind::Label, "GroupBox3", 212, 16, 70, 16, "сохранить");
    Control& printImage =
        place(form, ui::kPrintDrawsImage, ControlKind::Image, "GroupBox3", 300, 14, 20, 18);
    printImage.hint = "Распечатать таблицу статистики тиражей";
    Control& print = place(form, ui::kPrintDrawsLabel, ControlKind::Label, "GroupBox3", 322, 16, 70,
                           16, "печатать");
    print.hint = "Распечатать таблицу статистики тиражей";
    Control& grid =
        place(form, ui::kDrawGrid, ControlKind::StringGrid, "GroupBox3", 6, 36, 458, 160);
    grid.grid.editable = true;
}

void buildChartArea(Form& form) {
    const std::string f = form.name();
    // The overlay button sits below the chart.
    place(form, ui::kChart, ControlKind::Chart, f, 478, 22, 427, 268).popupMenu = ui::kLunarMenu;
    Control& luck =
        place(form, ui::kGoodLuck, ControlKind::StaticText, f, 640, 120, 100, 20, " Удачи !!!");
    luck.visible = false;
    place(form, ui::kCombinationCount, ControlKind::StaticText, f, 800, 30, 90, 16, "");
    Control& busy = place(form, ui::kBusyLabel, ControlKind::StaticText, f, 560, 150, 260, 18,
                          "Обработка статистики ЗАВЕРШЕНА");
    busy.visible = false;
    Control& addImage =
        place(form, ui::kAddChartImageButton, ControlKind::BitBtn, f, 482, 26, 34, 20, "Доб");
    addImage.hint = "ДОБАВИТЬ график в базу";
    Control& printImages =
        place(form, ui::kPrintChartImagesButton, ControlKind::BitBtn, f, 518, 26, 34, 20, "Печ");
    printImages.hint = "РАСПЕЧАТАТЬ все графики";
    Control& clearImages =
        place(form, ui::kClearChartImagesButton, ControlKind::BitBtn, f, 554, 26, 34, 20, "Уд");
    clearImages.hint = "Очистить базу графиков";
    Control& overlay =
        place(form, ui::kOverlayButton, ControlKind::BitBtn, f, 480, 291, 90, 22, " наложение");
    overlay.hint = "Накладываются графики выбранных фильтров";
    // Wide enough for "Наложение" as well as "Фильтр: ".
    place(form, ui::kOrdinalsCaption, ControlKind::StaticText, f, 3, 652, 66, 18, "Фильтр: ");
    Control& ordinals = place(form, ui::kOrdinalsLine, ControlKind::RichEdit, f, 70, 650, 835, 20);
    ordinals.color = ui::colors::Navy;
    // The draw ordinals 1..50, yellow until a filter colours them.
    for (int j = 1; j <= 50; ++j)
        ordinals.caption += std::to_string(j) + (j < 50 ? " " : "");
    ordinals.enabled = true;
}

void buildResultGroup(Form& form) {
    place(form, "GroupBox2", ControlKind::GroupBox, form.name(), 478, 316, 427, 104,
          "  Результат работы фильтра  ");
    place(form, ui::kFilterHeader, ControlKind::StaticText, "GroupBox2", 8, 18, 410, 16,
          " Фильтр: Не выбран");
    struct Counter {
        const char* caption;
        const char* captionName;
        const char* value;
        int top;
    };
    constexpr Counter kCounters[] = {
        {" тиражей попало :", "StaticText3Caption", ui::kMatchedDraws, 38},
        {" перестановок :", "StaticText8Caption", ui::kCombinationsLeft, 56},
        {" чисел осталось :", "StaticText6Caption", ui::kNumbersLeft, 74},
    };
    for (const auto& c : kCounters) {
        place(form, c.captionName, ControlKind::Label, "GroupBox2", 8, c.top, 110, 16, c.caption);
        place(form, c.value, ControlKind::StaticText, "GroupBox2", 120, c.top, 80, 16, "");
    }
    Control& combine = place(form, ui::kCombineButton, ControlKind::BitBtn, "GroupBox2", 240, 48,
                             170, 30, "фильтры объединить");
    combine.hint = "Обрабатываются все престановки";
}

void buildForecastGroup(Form& form) {
    place(form, ui::kForecastGroup, ControlKind::GroupBox, form.name(), 478, 422, 220, 226,
          " Прогноз на ");
    Control& calendar = place(form, ui::kForecastCalendar, ControlKind::MonthCalendar,
                              ui::kForecastGroup, 6, 18, 208, 180);
    calendar.minDate = "10.10.2000";
    calendar.maxDate = "06.12.2099";
    calendar.hint = "Выбрать тираж для определения итоговых комбинаций";
    const std::string f = form.name();
    Control& rest = place(form, ui::kResultGrid, ControlKind::StringGrid, f, 702, 422, 203, 128);
    rest.grid.colCount = 6;
    rest.grid.rowCount = 2;
    place(form, ui::kRemainingInPlay, ControlKind::StaticText, f, 702, 554, 180, 16,
          "Перестановок в игре: ");
    struct Counter {
        const char* caption;
        const char* value;
    };
    constexpr Counter kCounters[] = {{"с 5-ю выигрышными", ui::kCounterLabels[0]},
                                     {"с 4-мя выигрышными", ui::kCounterLabels[1]},
                                     {"с 3-мя выигрышными", ui::kCounterLabels[2]},
                                     {"с 2-мя выигрышными", ui::kCounterLabels[3]}};
    int top = 572;
    for (const auto& c : kCounters) {
        place(form, std::string(c.value) + "Caption", ControlKind::Label, f, 702, top, 140, 16,
              c.caption);
        place(form, c.value, ControlKind::StaticText, f, 846, top, 59, 16, "-");
        top += 19;
    }
}

// ---- Controls of the combine command, the result table and the
// after-filter side of the numbers panel.

void buildCombineControls(Form& form) {
    const std::string f = form.name();
    place(form, ui::kNumbersInPlay, ControlKind::StaticText, "GroupBox2", 240, 82, 170, 16, "");
    Control& memo = place(form, ui::kTooManyMemo, ControlKind::Memo, f, 712, 440, 180, 90);
    memo.lines = {"", "Перестановок осталось", "больше 10500   !", "Настройте фильтры."};
    memo.visible = false;
    Control& print = place(form, ui::kPrintResultImage, ControlKind::Image, f, 884, 552, 20, 18);
    print.hint = "Распечатать ВСЕ оставшиеся перестановки для выбранного тиража";
}

} // namespace

void buildMainForm(Form& form) {
    Control& self = form.self();
    self.caption = kMainCaption;
    self.width = kMainClientWidth;
    self.height = kMainClientHeight;

    buildMenus(form);
    const std::string f = form.name();
    Control& menu =
        place(form, ui::kMainMenuCaption, ControlKind::StaticText, f, 6, 3, 40, 16, "Меню");
    menu.popupMenu = ui::kMainMenu;
    place(form, ui::kAboutLabel, ControlKind::StaticText, f, 56, 3, 80, 16, "О программе");
    place(form, ui::kKindCaption, ControlKind::StaticText, f, 150, 3, 70, 16, " 5 из 36");
    Control& lottery =
        place(form, ui::kKindMenuCaption, ControlKind::StaticText, f, 230, 3, 60, 16, "Лотерея");
    // The kind menu is offered: a click on "Лотерея" opens it.
    lottery.popupMenu = ui::kKindMenu;

    Control& pages = place(form, ui::kPages, ControlKind::PageControl, f, 3, 22, 452, 420);
    (void)pages;
    numbers::buildNumberPage(form);
    for (const auto& page : catalogue::filterPages())
        buildFilterPage(form, page);
    // Save controls that no filter page placed belong to the number page ("сохр.").
    int x = 300;
    for (const char* name : kSaveControls) {
        if (form.has(name))
            continue;
        const bool image = std::string(name).rfind("Image", 0) == 0;
        Control& c = place(form, name, image ? ControlKind::Image : ControlKind::Label,
                           "TabSheet11", x, 250, image ? 20 : 40, 18, image ? "" : "сохр.");
        c.hint = "СОХРАНИТЬ Базу фильтров и дату прогноза";
        x += image ? 22 : 44;
    }
    form.at(ui::kPages).activePage = "TabSheet11";

    Control& progress =
        place(form, ui::kProgressBar, ControlKind::ProgressBar, f, 459, 22, 12, 420);
    progress.min = 0;
    progress.max = 100;
    progress.color = ui::colors::White;

    buildStatisticsGroup(form);
    buildChartArea(form);
    buildResultGroup(form);
    buildForecastGroup(form);
    buildCombineControls(form);

    Control& timer = form.add(ui::kGoodLuckTimer, ControlKind::Timer, f);
    timer.interval = 1000;
    timer.enabled = false;
    timer.visible = false;

    // Last, as the help images stand on the pages and groups built above.
    guidance::addGuidanceControls(form);
}

void bindRowSettings(const Form& form, context::RowSettings& settings) {
    for (const auto& rc : catalogue::allRows()) {
        settings.bind(rc.row, rc.paramLabel, rc.checkBox);
        if (!rc.paramLabel.empty())
            settings.setParameter(rc.row, form.at(std::string(rc.paramLabel)).caption);
        if (!rc.checkBox.empty())
            settings.setEnabled(rc.row, form.at(std::string(rc.checkBox)).checked);
    }
}

void buildAboutForm(Form& form) {
    guidance::buildAboutBox(form);
}

void buildNumbersPanel(Form& form) {
    numbers::buildNumbersPanel(form);
}

} // namespace vargis::app
