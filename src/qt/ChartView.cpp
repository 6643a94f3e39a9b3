#include "qt/ChartView.h"

#include "qt/QtText.h"
#include "qt/ValueAxisRange.h"

#include <QAreaSeries>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QTextDocumentFragment>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vargis::qt {

namespace {

const QColor kChartBackground(0xF4, 0xF6, 0xF8);
const QColor kPlotBackground(0xE4, 0xEA, 0xF0);

QList<QPointF> toPoints(const ui::Series& series) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(series.points.size()));
    for (const ui::Point& p : series.points)
        points.append(QPointF(p.x, p.y));
    return points;
}

bool samePoints(const ui::Series& a, const ui::Series& b) {
    return std::equal(
        a.points.begin(), a.points.end(), b.points.begin(), b.points.end(),
        [](const ui::Point& p, const ui::Point& q) { return p.x == q.x && p.y == q.y; });
}

bool sameSeries(const ui::Series& a, const ui::Series& b) {
    return a.lineWidth == b.lineWidth && a.visible == b.visible && a.color == b.color &&
           samePoints(a, b);
}

QColor seriesColor(const ui::Series& series, Qt::GlobalColor own) {
    return isDefaultColor(series.color) ? QColor(own) : toQColor(series.color);
}

bool sameBand(const ui::Band& a, const ui::Band& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1 && a.opaque == b.opaque;
}

// Silver diagonal-cross hatching; opaque: on white instead of the chart.
QBrush bandBrush(bool opaque) {
    const QColor silver(0xC0, 0xC0, 0xC0);
    if (!opaque)
        return QBrush(silver, Qt::DiagCrossPattern);
    QPixmap tile(8, 8);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    painter.fillRect(tile.rect(), QBrush(silver, Qt::DiagCrossPattern));
    return QBrush(tile);
}

QString joinLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list.append(displayText(line));
    return list.join(QLatin1Char('\n'));
}

// The chart's title is rich text: one line each, broken explicitly.
QString titleText(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list.append(displayText(line).toHtmlEscaped());
    return list.join(QStringLiteral("<br>"));
}

QPen linePen(const QColor& color, int width) {
    QPen pen(color);
    pen.setWidth(std::max(1, width));
    return pen;
}

// Room left of the first draw, in draws.
constexpr double kFirstPointRoom = 0.4;

// Tick spacing of the draw axis: every draw while they fit, then sparser.
double tickInterval(double span) {
    if (span <= 20)
        return 1;
    if (span <= 40)
        return 2;
    return 5;
}

} // namespace

ChartView::ChartView(QWidget* parent)
    : QChartView(parent), values_(new QLineSeries), valuePoints_(new QScatterSeries),
      parameter_(new QLineSeries), overlay_(new QLineSeries), bandTop_(new QLineSeries),
      bandBottom_(new QLineSeries), band_(new QAreaSeries), axisX_(new QValueAxis),
      axisY_(new QValueAxis), footer_(new QLabel(this)) {
    QChart* c = new QChart;
    c->legend()->hide();
    c->setBackgroundBrush(kChartBackground);
    c->setPlotAreaBackgroundBrush(kPlotBackground);
    c->setPlotAreaBackgroundVisible(true);
    c->setBackgroundRoundness(0);
    c->setBackgroundPen(Qt::NoPen);
    c->setDropShadowEnabled(false);
    c->setAnimationOptions(QChart::NoAnimation);
    titleBase_ = c->titleFont();

    band_->setUpperSeries(bandTop_);
    band_->setLowerSeries(bandBottom_);
    band_->setBrush(bandBrush(false));
    QPen bandPen(QColor(0x80, 0x80, 0x80));
    bandPen.setStyle(Qt::DashDotDotLine);
    band_->setPen(bandPen);

    values_->setPen(linePen(Qt::blue, 2));
    valuePoints_->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    valuePoints_->setMarkerSize(5);
    valuePoints_->setColor(Qt::yellow);
    valuePoints_->setBorderColor(QColor(0x80, 0x80, 0x00));
    parameter_->setPen(linePen(Qt::red, 2));
    overlay_->setPen(linePen(Qt::white, 1));
    // Small dots on the white line, each with its whole value in maroon.
    overlay_->setPointsVisible(true);
    overlay_->setMarkerSize(5);
    overlay_->setPointLabelsVisible(true);
    overlay_->setPointLabelsFormat(QStringLiteral("@yPoint"));
    overlay_->setPointLabelsColor(QColor(0x80, 0x00, 0x00));
    overlay_->setPointLabelsClipping(false);

    // The band first so that the curves are drawn over it.
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(band_), static_cast<QAbstractSeries*>(values_),
          static_cast<QAbstractSeries*>(valuePoints_), static_cast<QAbstractSeries*>(parameter_),
          static_cast<QAbstractSeries*>(overlay_)})
        c->addSeries(series);

    axisX_->setLabelFormat(QStringLiteral("%.0f"));
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setLabelFormat(QStringLiteral("%.0f"));
    c->addAxis(axisX_, Qt::AlignBottom);
    c->addAxis(axisY_, Qt::AlignLeft);
    for (QAbstractSeries* series : c->series()) {
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    }
    setChart(c);
    // A new title, axis range or series moves items whose old places the
    // scene would otherwise leave unpainted (half a title, a doubled tick
    // label): the whole chart is repainted on every change.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    setRenderHint(QPainter::Antialiasing);
    setFrameStyle(QFrame::NoFrame);

    footer_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    footer_->setAttribute(Qt::WA_TransparentForMouseEvents);
    footer_->hide();

    showChart(ui::Chart{}, nullptr);
}

void ChartView::showChart(const ui::Chart& now, const ui::Chart* before) {
    auto applySeries = [](QXYSeries* series, const ui::Series& model, const ui::Series* was) {
        if (!was || !samePoints(model, *was))
            series->replace(toPoints(model));
        if (!was || model.visible != was->visible)
            series->setVisible(model.visible);
    };
    applySeries(values_, now.series1, before ? &before->series1 : nullptr);
    applySeries(valuePoints_, now.series1, before ? &before->series1 : nullptr);
    applySeries(parameter_, now.series2, before ? &before->series2 : nullptr);
    applySeries(overlay_, now.series4, before ? &before->series4 : nullptr);
    if (!before || now.series1.lineWidth != before->series1.lineWidth ||
        now.series1.color != before->series1.color)
        values_->setPen(linePen(seriesColor(now.series1, Qt::blue), now.series1.lineWidth));
    if (!before || now.series2.lineWidth != before->series2.lineWidth ||
        now.series2.color != before->series2.color)
        parameter_->setPen(linePen(seriesColor(now.series2, Qt::red), now.series2.lineWidth));

    if (!before || !sameBand(now.band, before->band)) {
        const ui::Band& b = now.band;
        bandTop_->replace({QPointF(b.x0, b.y0), QPointF(b.x1, b.y0)});
        bandBottom_->replace({QPointF(b.x0, b.y1), QPointF(b.x1, b.y1)});
        band_->setBrush(bandBrush(b.opaque));
    }

    if (!before || now.axisMin != before->axisMin || now.axisMax != before->axisMax) {
        const double high = now.axisMax > now.axisMin ? now.axisMax : now.axisMin + 1;
        // A little room left of the first draw so that its point is drawn
        // whole; the ticks still start at the axis minimum.
        axisX_->setRange(now.axisMin - kFirstPointRoom, high);
        axisX_->setTickAnchor(now.axisMin);
        axisX_->setTickInterval(tickInterval(high - now.axisMin));
    }

    if (!before || !sameSeries(now.series1, before->series1) ||
        !sameSeries(now.series2, before->series2) || !sameSeries(now.series4, before->series4) ||
        !sameBand(now.band, before->band))
        updateValueRange(now);

    if (!before || now.title != before->title) {
        chart()->setTitle(titleText(now.title));
        fitTitle();
    }
    if (!before || now.footer != before->footer) {
        const QString text = joinLines(now.footer);
        footer_->setText(text);
        footer_->setVisible(!text.isEmpty());
        placeFooter();
    }
    viewport()->update();
}

void ChartView::updateValueRange(const ui::Chart& chart) {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    auto include = [&](double y) {
        low = std::min(low, y);
        high = std::max(high, y);
    };
    for (const ui::Series* series : {&chart.series1, &chart.series2, &chart.series4}) {
        if (!series->visible)
            continue;
        for (const ui::Point& p : series->points)
            include(p.y);
    }
    include(chart.band.y0);
    include(chart.band.y1);
    if (low > high) { // nothing shown
        low = 0;
        high = 1;
    }
    const ValueAxisRange range = valueAxisRange(low, high);
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(range.anchor);
    axisY_->setTickInterval(range.step);
    axisY_->setRange(range.min, range.max);
}

void ChartView::setCoveredEdges(int top, int footerLeft, int footerRight) {
    top = std::max(0, top);
    footerLeft = std::max(0, footerLeft);
    footerRight = std::max(0, footerRight);
    if (top == topReserve_ && footerLeft == footerLeft_ && footerRight == footerRight_)
        return;
    topReserve_ = top;
    footerLeft_ = footerLeft;
    footerRight_ = footerRight;
    placeFooter();
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    fitTitle();
    placeFooter();
}

void ChartView::fitTitle() {
    // A long title line takes a smaller font, down to 6 points, so that no
    // line is cut at the chart's edges.
    QStringList lines;
    for (const QString& line : chart()->title().split(QStringLiteral("<br>")))
        lines.append(QTextDocumentFragment::fromHtml(line).toPlainText());
    // The chart's margins and the title's own text margins take their share.
    const int room = width() - 32;
    QFont font = titleBase_;
    auto widest = [&lines](const QFont& f) {
        int most = 0;
        for (const QString& line : lines)
            most = std::max(most, QFontMetrics(f).horizontalAdvance(line));
        return most;
    };
    while (font.pointSizeF() > 6 && widest(font) > room)
        font.setPointSizeF(std::max(6.0, font.pointSizeF() - 0.5));
    if (font != chart()->titleFont())
        chart()->setTitleFont(font);
}

void ChartView::placeFooter() {
    // A long footer takes a smaller font, down to 6 points, to fit the width.
    QFont font = this->font();
    auto widest = [this](const QFont& f) {
        int most = 0;
        for (const QString& line : footer_->text().split(QLatin1Char('\n')))
            most = std::max(most, QFontMetrics(f).horizontalAdvance(line));
        return most;
    };
    const int room = std::max(0, width() - footerLeft_ - footerRight_);
    while (font.pointSizeF() > 6 && widest(font) > room - 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    footer_->setFont(font);
    // A footer still too wide at the smallest font wraps at its spaces.
    const bool wrap = widest(font) > room - 6;
    footer_->setWordWrap(wrap);
    // The footer sits under the bottom axis; the chart keeps room for it.
    const int lines = footer_->text().isEmpty()
                          ? 0
                          : static_cast<int>(footer_->text().count(QLatin1Char('\n'))) + 1;
    const int height = wrap ? footer_->heightForWidth(room) + 4
                            : lines * footer_->fontMetrics().height() + (lines > 0 ? 4 : 0);
    chart()->setMargins(QMargins(4, 4 + topReserve_, 4, 4 + height));
    footer_->setGeometry(footerLeft_, this->height() - height - 2, room, height);
    footer_->raise();
}

QImage ChartView::renderImage(const ui::Chart& chart, QSize size) {
    // A view of its own, laid out as if shown (title, plot, axes, footer),
    // painted into a bitmap of exactly `size` whatever the screen's scale.
    ChartView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(size);
    view.showChart(chart, nullptr);
    view.chart()->setBackgroundBrush(Qt::white);
    view.setBackgroundBrush(Qt::white);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    view.setPalette(palette);
    view.show();
    // A window system may have fitted the window to its screen on showing.
    view.setFixedSize(size);
    QCoreApplication::sendPostedEvents();
    view.chart()->resize(QSizeF(size));
    QCoreApplication::sendPostedEvents();
    QImage image(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::white);
    QPainter painter(&image);
    // The widget's own render, not the scene's: the footer is a child widget.
    static_cast<QWidget&>(view).render(&painter);
    painter.end();
    view.hide();
    return image;
}

} // namespace vargis::qt
