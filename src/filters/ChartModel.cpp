#include "filters/ChartModel.h"

namespace vargis::filters {

void resetBand(context::Workspace& ws, ui::Form& form) {
    ui::Band& band = form.at(kChart).chart.band;
    band.x0 = ws.forecastOrdinal - 1;
    band.y0 = 1;
    band.x1 = ws.drawCount() + 1;
    band.y1 = 0;
}

void clearChart(context::Workspace& ws, ui::Form& form) {
    ui::Chart& chart = form.at(kChart).chart;
    chart.series1.points.clear();
    chart.series2.points.clear();
    chart.series4.points.clear();
    chart.series1.color = ui::colors::Default;
    chart.series2.color = ui::colors::Default;
    resetBand(ws, form);
}

void resetChartAxis(context::Workspace& ws, ui::Form& form) {
    ui::Chart& chart = form.at(kChart).chart;
    chart.axisMin = 1;
    chart.axisMax = ws.drawCount() + 1;
    resetBand(ws, form);
}

void setChartFooter(ui::Form& form, const std::string& text) {
    form.at(kChart).chart.footer = {text};
}

} // namespace vargis::filters
