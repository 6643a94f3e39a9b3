#pragma once
// Builds the controls of the three forms. The filter pages are generated
// from the catalogue tables; positions are the layout the desktop program
// renders.

#include "base/ProductInfo.h"
#include "ui/Form.h"

namespace vargis::app {

inline constexpr int kMainClientWidth = 908;
inline constexpr int kMainClientHeight = 673;

inline constexpr const char* kMainCaption = "  " VARGIS_NAME " - лото " VARGIS_RELEASE;
inline constexpr const char* kApplicationTitle = base::kProgramTitle;

void buildMainForm(ui::Form& form);
void buildAboutForm(ui::Form& form);
void buildNumbersPanel(ui::Form& form);

// Names of the kind menu items with their folders, in menu order.
struct KindItem {
    const char* item;
    const char* folder;
};
inline constexpr KindItem kKindItems[] = {
    {"N6421", "5_28"}, {"N5301", "5_30"}, {"N6452", "5_31"}, {"N5321", "5_32"}, {"N5341", "5_34"},
    {"N5351", "5_35"}, {"N5362", "5_36"}, {"N5371", "5_37"}, {"N5361", "5_38"}, {"N6451", "5_39"},
    {"N5401", "5_40"}, {"N5441", "5_44"}, {"N5451", "5_45"}, {"N5471", "5_47"}, {"N5501", "5_50"},
};

// The save label/image pairs of the filter pages and the number page.
inline constexpr const char* kSaveControls[] = {
    "Image13", "Label14", "Image43", "Label10", "Image44", "Label9",  "Image21", "Label15",
    "Image26", "Label16", "Image28", "Label17", "Image4",  "Label6",  "Image29", "Label18",
    "Image31", "Label19", "Image33", "Label13", "Image34", "Label12", "Image35", "Label11",
};

} // namespace vargis::app
