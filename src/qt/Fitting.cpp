#include "qt/Fitting.h"

#include "qt/ChartView.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <vector>

namespace vargis::qt {

namespace {

constexpr double kSmallestPoints = 6;
// Only controls this close to the chart's top or bottom edge move the title
// or the footer; a label in the middle of the chart does not.
constexpr int kChartEdgeStrip = 40;
// Room around a tab's caption, both sides together.
constexpr int kTabCaptionMargin = 10;

// The faces tried for a long text: the font itself, its condensed face,
// then the condensed face half a point smaller at a time.
std::vector<QFont> shrinkingFaces(const QFont& base) {
    std::vector<QFont> faces{base};
    QFont condensed = base;
    condensed.setStretch(QFont::SemiCondensed);
    faces.push_back(condensed);
    condensed.setStretch(QFont::Condensed);
    faces.push_back(condensed);
    for (double size = base.pointSizeF() - 0.5; size >= kSmallestPoints; size -= 0.5) {
        condensed.setPointSizeF(size);
        faces.push_back(condensed);
    }
    return faces;
}

// The visible tabs side by side, each at its full width, within the page
// control.
bool allTabsFit(const QTabWidget* tabs) {
    const QTabBar* bar = tabs->tabBar();
    int total = 0;
    for (int i = 0; i < bar->count(); ++i)
        if (bar->isTabVisible(i))
            total += bar->tabRect(i).width();
    return total <= tabs->width() - 4;
}

// Tabs with a narrow margin around their captions, so that the pages'
// captions fit the page control at a readable size.
class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return kTabCaptionMargin;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

int buttonCaptionRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.features = QStyleOptionButton::None;
    if (button->autoDefault() || button->isDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    // The style draws the caption a pixel in from each side of its area.
    return std::max(0, contents.width() - 2);
}

void fitButtonCaption(QPushButton* button, const QFont& base) {
    const QString text = button->text();
    const int room = buttonCaptionRoom(button);
    const std::vector<QFont> faces = shrinkingFaces(base);
    for (const QFont& face : faces) {
        if (QFontMetrics(face).horizontalAdvance(text) <= room) {
            button->setFont(face);
            return;
        }
    }
    button->setFont(faces.back());
}

void fitLabelToBox(QLabel* label, const QFont& base, int left) {
    // Only a group box has its size from the start; a page of a page control
    // is sized when first shown.
    const auto* box = qobject_cast<const QGroupBox*>(label->parentWidget());
    const int room = box ? box->width() - left - 4 : 0;
    const QString text = label->text();
    if (room <= 0 || text.contains(QLatin1Char('\n')) ||
        QFontMetrics(base).horizontalAdvance(text) <= room) {
        if (label->font() != base)
            label->setFont(base);
        return;
    }
    const std::vector<QFont> faces = shrinkingFaces(base);
    QFont chosen = faces.back();
    for (const QFont& face : faces) {
        if (QFontMetrics(face).horizontalAdvance(text) <= room) {
            chosen = face;
            break;
        }
    }
    label->setFont(chosen);
    label->resize(room, label->height());
}

void fitTabCaptions(QTabWidget* tabs) {
    QTabBar* bar = tabs->tabBar();
    if (!dynamic_cast<CompactTabStyle*>(bar->style())) {
        auto* style = new CompactTabStyle;
        style->setParent(bar);
        bar->setStyle(style);
    }
    // A caption never loses letters: the face shrinks instead.
    bar->setElideMode(Qt::ElideNone);
    const QFont base = tabs->font();
    const std::vector<QFont> faces = shrinkingFaces(base);
    for (const QFont& face : faces) {
        bar->setFont(face);
        if (allTabsFit(tabs))
            return;
    }
}

void keepChartTitleClear(ChartView* chart) {
    QWidget* parent = chart->parentWidget();
    if (!parent)
        return;
    const QRect area = chart->rect();
    // The controls lying on the chart, in the chart's coordinates: its
    // siblings that overlap it and its own named children.
    std::vector<QRect> covers;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget != chart && !widget->isHidden() &&
            widget->geometry().intersects(chart->geometry()))
            covers.push_back(widget->geometry().translated(-chart->pos()));
    }
    for (QObject* child : chart->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // Only the controls of the form have names; the view's own parts do not.
        if (widget && !widget->isHidden() && !widget->objectName().isEmpty() &&
            widget != static_cast<QWidget*>(chart->footerLabel()))
            covers.push_back(widget->geometry());
    }
    int top = 0;
    int footerLeft = 0;
    int footerRight = 0;
    for (const QRect& r : covers) {
        if (!r.intersects(area))
            continue;
        if (r.top() <= kChartEdgeStrip)
            top = std::max(top, r.bottom() + 1);
        if (r.bottom() >= area.bottom() - kChartEdgeStrip) {
            if (r.center().x() < area.center().x())
                footerLeft = std::max(footerLeft, r.right() + 1);
            else
                footerRight = std::max(footerRight, area.right() + 1 - r.left());
        }
    }
    chart->setCoveredEdges(top, footerLeft, footerRight);
}

QPoint placeBeside(const QRect& owner, int ownerTitleHeight, const QSize& frame,
                   const QRect& area) {
    const int roomRight = area.right() - owner.right();
    const int roomLeft = owner.left() - area.left();
    int x = 0;
    if (roomRight >= frame.width())
        x = owner.right() + 1;
    else if (roomLeft >= frame.width())
        x = owner.left() - frame.width();
    else if (roomRight >= roomLeft)
        x = area.right() + 1 - frame.width();
    else
        x = area.left();
    const int lowest = area.bottom() + 1 - frame.height();
    const int y = std::max(area.top(), std::min(owner.top() + ownerTitleHeight, lowest));
    return {std::max(area.left(), x), y};
}

QPoint roomBeside(const QRect& owner, int width, const QRect& area) {
    const bool roomRight = area.right() - owner.right() >= width;
    const bool roomLeft = owner.left() - area.left() >= width;
    if (roomRight || roomLeft || owner.width() + width > area.width())
        return owner.topLeft();
    return {area.left() + (area.width() - owner.width() - width) / 2, owner.top()};
}

QPoint placeBesideWindow(const QWidget* owner, const QWidget* window) {
    QRect frame = owner->frameGeometry();
    int title = owner->geometry().top() - frame.top();
    if (title <= 0) {
        title = owner->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        frame = owner->geometry().adjusted(-1, -title, 1, 1);
    }
    const QSize decorations = frame.size() - owner->size();
    const QRect area = owner->screen() ? owner->screen()->availableGeometry()
                                       : QRect(frame.topLeft(), window->size());
    const QPoint at = placeBeside(frame, title, window->size() + decorations, area);
    const bool framed = window->frameGeometry() != window->geometry();
    return framed ? at : at + QPoint(decorations.width() / 2, title);
}

} // namespace vargis::qt
