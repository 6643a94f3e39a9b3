#include "guidance/GuidanceLayout.h"

#include "base/ProductInfo.h"
#include "guidance/ProgramInfo.h"
#include "guidance/Walkthrough.h"

#include <array>
#include <string>
#include <tuple>

namespace vargis::guidance {

using ui::Control;
using ui::ControlKind;
using ui::Form;
using ui::place;

namespace {

constexpr std::array<HelpImage, 17> kHelpImages = {{
    {"Image54", 0},  // forecast date box
    {"Image22", 1},  // page "ВЫБРАТЬ ЧИСЛА"
    {"Image57", 2},  // its analysis panel
    {"Image38", 5},  // page "ЦИФРЫ"
    {"Image39", 6},  // page "статические"
    {"Image40", 7},  // page "кол-во в рядах"
    {"Image41", 8},  // page "нумерология и дата"
    {"Image42", 9},  // page "повторы"
    {"Image47", 10}, // page "разности"
    {"Image56", 11}, // beside "фильтры объединить"
    {"Image36", 12}, // beside " наложение" and the draw ordinals
    {"Image7", 13},  // on the chart, beside "Доб", "Печ", "Уд"
    {"Image48", 14}, // the five ranked-position pages
    {"Image49", 14},
    {"Image50", 14},
    {"Image51", 14},
    {"Image52", 14},
}};

// A help image at its place; an image the page already carries is moved
// there instead of being added a second time.
void placeHelpImage(Form& form, const std::string& name, const std::string& parent, int left,
                    int top, int width = 20, int height = 22) {
    Control* image = form.find(name);
    if (!image)
        image = &form.add(name, ControlKind::Image, parent);
    image->parent = parent;
    image->left = left;
    image->top = top;
    image->width = width;
    image->height = height;
    image->hint = kHelpImageHint;
    image->visible = true;
}

// The walkthrough box lies over the right part of the draw statistics box,
// at its top edge.
void addWalkthroughBox(Form& form) {
    const Control& statistics = form.at("GroupBox3");
    constexpr int kWidth = 338;
    constexpr int kHeight = 180;
    Control& box = place(form, kWalkthroughBox, ControlKind::GroupBox, form.name(),
                         statistics.left + statistics.width - kWidth, statistics.top, kWidth,
                         kHeight, "  Работа с программой  ");
    box.color = kGuidanceColor;
    box.fontColor = ui::colors::Maroon;
    box.visible = false;
    Control& title =
        place(form, kWalkthroughTitle, ControlKind::StaticText, kWalkthroughBox, 8, 18, 322, 16);
    title.fontColor = ui::colors::Maroon;
    title.bold = true;
    Control& memo =
        place(form, kWalkthroughMemo, ControlKind::Memo, kWalkthroughBox, 8, 36, 322, 110);
    memo.color = ui::colors::White;
    memo.fontColor = ui::colors::Maroon;
    place(form, kForwardButton, ControlKind::BitBtn, kWalkthroughBox, 8, 150, 76, 24, "Вперед");
    place(form, kBackButton, ControlKind::BitBtn, kWalkthroughBox, 88, 150, 76, 24, "Назад");
    place(form, kCloseButton, ControlKind::BitBtn, kWalkthroughBox, 254, 150, 76, 24, "Закрыть");
}

// Filter pages carry their help image at one place, right of the page's
// save controls under the filter rows.
constexpr int kFilterPageImageLeft = 420;
constexpr int kFilterPageImageTop = 346;

void addHelpImages(Form& form) {
    placeHelpImage(form, "Image54", "GroupBox1", 6, 200);
    placeHelpImage(form, "Image22", "TabSheet11", 420, 6);
    placeHelpImage(form, "Image57", form.has("GroupBox4") ? "GroupBox4" : "GroupBox6", 412, 12);
    constexpr const char* kFilterPageImages[][2] = {
        {"Image38", "TabSheet13"}, {"Image39", "TabSheet1"}, {"Image40", "TabSheet10"},
        {"Image41", "TabSheet7"},  {"Image42", "TabSheet8"}, {"Image47", "TabSheet12"},
        {"Image48", "TabSheet2"},  {"Image49", "TabSheet3"}, {"Image50", "TabSheet4"},
        {"Image51", "TabSheet5"},  {"Image52", "TabSheet6"},
    };
    for (const auto& [image, sheet] : kFilterPageImages)
        placeHelpImage(form, image, sheet, kFilterPageImageLeft, kFilterPageImageTop);
    placeHelpImage(form, "Image56", "GroupBox2", 214, 52);
    // Beside the overlay button when the window has one, else at the left end
    // of the line of draw ordinals. Pictures are drawn under the chart, so
    // one beside a button that lies on the chart is placed on the chart.
    if (const Control* overlay = form.find("BitBtn275")) {
        std::string parent = overlay->parent;
        int left = overlay->left + overlay->width + 2;
        int top = overlay->top;
        const Control* chart = form.find(ui::kChart);
        if (chart && parent == form.name() && left >= chart->left &&
            left < chart->left + chart->width && top >= chart->top &&
            top < chart->top + chart->height) {
            parent = chart->name;
            left -= chart->left;
            top -= chart->top;
        }
        placeHelpImage(form, "Image36", parent, left, top);
    } else {
        placeHelpImage(form, "Image36", form.name(), 56, 627);
    }
    // On the chart, right of its buttons "Доб", "Печ", "Уд".
    placeHelpImage(form, "Image7", ui::kChart, 114, 4, 19, 20);
}

// "Меню" and "О программе" read lime on navy and turn yellow under the
// mouse; Panel14 is a small navy patch at the right end of the same strip
// (its lower part lies under the chart).
void styleTopLabels(Form& form) {
    for (const char* name : {ui::kMainMenuCaption, ui::kAboutLabel}) {
        Control& label = form.at(name);
        label.color = ui::colors::Navy;
        label.fontColor = ui::colors::Lime;
        label.hoverFontColor = ui::colors::Yellow;
    }
    Control& panel = place(form, kProgramInfoPanel, ControlKind::StaticText, form.name(),
                           form.self().width - 14, 1, 14, 34);
    panel.color = ui::colors::Navy;
}

} // namespace

std::span<const HelpImage> mainWindowHelpImages() {
    return kHelpImages;
}

void addGuidanceControls(Form& main) {
    addWalkthroughBox(main);
    addHelpImages(main);
    styleTopLabels(main);
}

void buildAboutBox(Form& about) {
    Control& self = about.self();
    self.caption = kAboutCaption;
    self.width = 315;
    self.height = 183;
    self.color = kGuidanceColor;
    self.visible = false;
    // A single border without title-bar buttons: "X" closes the box.
    self.closeBox = false;
    const std::string f = about.name();

    Control& heading = place(about, "Label4", ControlKind::Label, f, 8, 6, 120, 16, "О программе");
    heading.fontColor = ui::colors::White;
    heading.bold = true;
    Control& close =
        place(about, kAboutCloseLabel, ControlKind::StaticText, f, 293, 4, 14, 16, "X");
    close.fontColor = ui::colors::Maroon;
    close.italic = true;
    close.underline = true;

    Control& panel = place(about, "Panel1", ControlKind::GroupBox, f, 8, 26, 299, 132);
    panel.color = ui::colors::White;
    Control& icon = place(about, "Image1", ControlKind::Image, "Panel1", 10, 10, 36, 36);
    icon.hint = base::kProgramTitle;
    for (const auto& [name, caption, top] :
         {std::tuple{"Label1", kProgramName, 10}, std::tuple{"Label2", kProgramVersion, 28}}) {
        Control& label =
            place(about, name, ControlKind::Label, "Panel1", 56, top, 200, 16, caption);
        label.fontColor = ui::colors::Navy;
        label.bold = true;
    }
    Control& notice =
        place(about, "Label3", ControlKind::Label, "Panel1", 10, 52, 282, 52, makerNotice());
    notice.fontColor = ui::colors::Navy;
    Control& address = place(about, "Label5", ControlKind::Label, "Panel1", 10, 108, 282, 16,
                             base::kProductAddress);
    address.fontColor = ui::colors::Navy;

    Control& luck = place(about, "Label6", ControlKind::Label, f, 216, 162, 92, 16, "Удачи ВСЕМ");
    luck.fontColor = ui::colors::White;
    luck.bold = true;
}

} // namespace vargis::guidance
