#pragma once
// Keeping every text whole within the window's fixed sizes: a button's
// caption takes a narrower or smaller face when it is too long for the
// button, the tab bar's captions do the same when the visible tabs do not
// fit the page control, and the chart's title moves below the controls
// that sit on the chart's top edge.

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QLabel;
class QWidget;
class QPushButton;
class QTabWidget;

namespace vargis::qt {

class ChartView;

// The width the button's style leaves for its caption.
int buttonCaptionRoom(const QPushButton* button);
// The font, from `base` down to a condensed 6 points, in which the
// button's caption fits its width.
void fitButtonCaption(QPushButton* button, const QFont& base);

// A label whose text would run past the group box it lies in (from `left`
// to the box's right edge) takes the largest face from `base` down to a
// condensed 6 points that fits, and that width; otherwise `base`.
void fitLabelToBox(QLabel* label, const QFont& base, int left);

// Every visible tab's caption shown whole on one row, in the largest face
// from the page control's font down to a condensed 6 points that allows it.
void fitTabCaptions(QTabWidget* tabs);

// The chart's title starts below the visible controls that lie on the
// chart's top edge (its picture buttons and labels).
void keepChartTitleClear(ChartView* chart);

// Where a window of `frame` size (decorations included) that accompanies
// the window framed by `owner` appears: beside it, right or left, where the
// screen's `area` has room; otherwise on the side with more room, at the
// edge of the screen, covering as little of the owner as it can. Its top
// stays below the owner's title bar and within the screen.
QPoint placeBeside(const QRect& owner, int ownerTitleHeight, const QSize& frame, const QRect& area);

// Where the owner's frame moves so that a window `width` wide fits beside
// it: when neither side of the screen's `area` has room but the two fit side
// by side, the pair is centred; otherwise the owner stays where it is.
QPoint roomBeside(const QRect& owner, int width, const QRect& area);

// The position to move `window` to so that it stands beside the shown window
// `owner`, on the owner's screen. A window the window manager has not framed
// yet is taken with the frame it is about to get, like the owner's; such a
// window is moved by its inside, which the frame then surrounds.
QPoint placeBesideWindow(const QWidget* owner, const QWidget* window);

} // namespace vargis::qt
