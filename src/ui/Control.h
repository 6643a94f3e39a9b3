#pragma once
// The headless control model that stands in for the window toolkit: every
// control of the three forms is a record of the properties the program
// touches. The front ends render these records; the core only changes them.

#include <cstdint>
#include <string>
#include <vector>

namespace vargis::ui {

using Color = std::uint32_t; // 0xRRGGBB

namespace colors {
inline constexpr Color Default = 0xFF000000; // "use the toolkit's default"
inline constexpr Color Black = 0x000000;
inline constexpr Color White = 0xFFFFFF;
inline constexpr Color Yellow = 0xFFFF00;
inline constexpr Color Red = 0xFF0000;
inline constexpr Color Navy = 0x000080;
inline constexpr Color Maroon = 0x800000;
inline constexpr Color Blue = 0x0000FF;
inline constexpr Color Grey = 0x808080;
inline constexpr Color Silver = 0xC0C0C0;
inline constexpr Color Green = 0x008000;
inline constexpr Color Lime = 0x00FF00;
} // namespace colors

enum class ControlKind {
    Form,
    Label,
    StaticText,
    BitBtn,
    CheckBox,
    UpDown,
    PageControl,
    TabSheet,
    GroupBox,
    StringGrid,
    ProgressBar,
    Memo,
    RichEdit,
    MonthCalendar,
    Image,
    Timer,
    PopupMenu,
    MenuItem,
    Chart,
};

struct ColorRange {
    int start = 0; // 0-based character index
    int length = 0;
    Color color = colors::Yellow;
    bool operator==(const ColorRange&) const = default;
};

struct Grid {
    int colCount = 0;
    int rowCount = 0;
    std::vector<std::vector<std::string>> cells; // [row][col]
    std::vector<int> colWidths;
    int selectedCol = 0;
    int selectedRow = 0;
    int topRow = 1;
    int leftCol = 0;
    bool editable = false;
    // The cell editor opens on the current cell without a double click.
    bool editorShown = false;
    int highlightRow = -1; // painted yellow with grey text; -1 none
    // Cells below the header and right of column 0 whose text is one of these
    // are painted yellow with navy bold text.
    std::vector<std::string> highlightTexts;
    // A column of row markers: its cells keep their text for the program but
    // are shown empty and cannot be edited; -1 none.
    int markerCol = -1;
    bool operator==(const Grid&) const = default;
};

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Band {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
    bool opaque = false; // hatching on a filled background instead of the chart's
    bool operator==(const Band&) const = default;
};

struct Series {
    std::vector<Point> points;
    int lineWidth = 2;
    bool visible = true;
    Color color = colors::Default; // the series' own colour below unless set
    bool operator==(const Series&) const = default;
};

struct Chart {
    Series series1; // filter values: blue line, small yellow points
    Series series2; // parameter: red line
    Series series4; // overlay dots joined by a white line, with value marks
    Band band;      // Series6: silver diagonal-cross hatching
    double axisMin = 1;
    double axisMax = 2;
    std::vector<std::string> title;
    std::vector<std::string> footer;
    bool operator==(const Chart&) const = default;
};

// A control record. Only the properties of its kind matter; the others keep
// their defaults.
struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent; // owning tab sheet, group box or form
    std::string caption;
    std::string hint;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color fontColor = colors::Default;
    // The text colour while the mouse is over the control (Default: none).
    Color hoverFontColor = colors::Default;
    Color color = colors::Default;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Form: bumped to bring the window to the front.
    int raiseCount = 0;

    // UpDown and ProgressBar
    int min = 0;
    int max = 100;
    int position = 0;
    std::string associate; // UpDown: the label that shows the position

    // PageControl
    std::vector<std::string> pages;
    std::string activePage;
    // Form: stays above the program's other windows; has a minimise button;
    // has the system menu and the close button.
    bool stayOnTop = false;
    bool minimizeBox = false;
    bool closeBox = true;

    // TabSheet
    bool tabVisible = true;

    // Memo; its caret is `position`, a character index the front end
    // scrolls into view.
    std::vector<std::string> lines;

    // RichEdit: caption holds the text
    std::vector<ColorRange> colorRanges;
    Color textColor = colors::Yellow;

    // MonthCalendar: dates as dd.mm.yyyy
    std::string date;
    std::string minDate;
    std::string maxDate;

    // Timer
    int interval = 0;

    // PopupMenu: item names in order; the control the menu was opened on
    std::vector<std::string> items;
    std::string popupComponent;
    // MenuItem
    bool radioItem = false;
    int groupIndex = 0;
    std::string menu; // owning menu of an item
    // Control with a pop-up menu (buttons, forms)
    std::string popupMenu;

    Grid grid;
    Chart chart;

    // Every property alike.
    bool operator==(const Control&) const = default;
};

} // namespace vargis::ui
