#pragma once
// The chart control drawn with Qt Charts: the filter values (blue line with
// yellow points), the parameter (red line), the overlay dots joined by a
// white line with their values, the hatched forecast band, the bottom axis,
// the title lines and the footer under the plot.

#include "ui/Control.h"

#include <QChartView>
#include <QImage>

class QAreaSeries;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace vargis::qt {

class ChartView : public QChartView {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);

    // Shows the chart; whatever equals `before` (what is shown now) is left alone.
    void showChart(const ui::Chart& chart, const ui::Chart* before);

    // The chart drawn on white at the given size.
    static QImage renderImage(const ui::Chart& chart, QSize size);

    QLabel* footerLabel() const { return footer_; }

    // Room kept free for the controls that lie on the chart: `top` pixels
    // at the top (the title starts below them), and at the footer's line
    // `footerLeft` pixels from the left and `footerRight` from the right.
    void setCoveredEdges(int top, int footerLeft, int footerRight);
    int topReserve() const { return topReserve_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeFooter();
    void updateValueRange(const ui::Chart& chart);

    QLineSeries* values_;
    QScatterSeries* valuePoints_;
    QLineSeries* parameter_;
    QLineSeries* overlay_;
    QLineSeries* bandTop_;
    QLineSeries* bandBottom_;
    QAreaSeries* band_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    QLabel* footer_;
    void fitTitle();

    int topReserve_ = 0;
    int footerLeft_ = 0;
    int footerRight_ = 0;
    QFont titleBase_;
};

} // namespace vargis::qt
