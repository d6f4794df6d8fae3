#include "qtprint/VoltageChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Maps chart values into the plot rectangle (y grows upwards).
struct Plot {
    QRectF box;
    double xMax;
    double yMax;
    QPointF At(double x, double y) const {
        return {box.left() + box.width() * x / xMax, box.bottom() - box.height() * y / yMax};
    }
};

void DrawAxes(QPainter& painter, const Plot& plot, const VoltageChartLayout& chart,
              const QFontMetricsF& metrics) {
    const double gap = metrics.height() / 4;
    painter.setPen(QPen(Qt::lightGray, 0));
    for (const ChartTick& t : chart.yTicks)
        painter.drawLine(plot.At(0, t.value), plot.At(chart.xMax, t.value));
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot.box);
    for (const ChartTick& t : chart.yTicks) {
        const QPointF p = plot.At(0, t.value);
        const QRectF label(p.x() - gap - 100 * metrics.averageCharWidth(), p.y() - metrics.height(),
                           100 * metrics.averageCharWidth(), 2 * metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, Q(t.text));
    }
    for (const ChartTick& t : chart.xTicks) {
        const QPointF p = plot.At(t.value, 0);
        painter.drawLine(p, p + QPointF(0, gap));
        const double w = metrics.horizontalAdvance(Q(t.text));
        painter.drawText(QPointF(p.x() - w / 2, p.y() + gap + metrics.ascent()), Q(t.text));
    }
}

void DrawCaptions(QPainter& painter, const QRectF& area, const Plot& plot,
                  const VoltageChartLayout& chart, const QFontMetricsF& metrics) {
    const QString x = Q(chart.xCaption);
    painter.drawText(QPointF(plot.box.center().x() - metrics.horizontalAdvance(x) / 2,
                             area.bottom() - metrics.descent()),
                     x);
    painter.save();
    painter.translate(area.left() + metrics.ascent(), plot.box.center().y());
    painter.rotate(-90);
    const QString y = Q(chart.yCaption);
    painter.drawText(QPointF(-metrics.horizontalAdvance(y) / 2, 0), y);
    painter.restore();
}

void DrawCurve(QPainter& painter, const Plot& plot, const VoltageChartLayout& chart,
               const QFontMetricsF& metrics) {
    // The permissible line.
    painter.setPen(QPen(Qt::red, 0, Qt::DashLine));
    painter.drawLine(plot.At(0, chart.limit), plot.At(chart.xMax, chart.limit));
    QPolygonF line;
    for (const ChartPoint& p : chart.points)
        line << plot.At(p.x, p.y);
    painter.setPen(QPen(Qt::darkBlue, 0));
    painter.drawPolyline(line);
    // Markers only while they stay apart; a full loop would otherwise draw a solid bar.
    const double radius = metrics.height() / 10;
    const std::size_t markers =
        chart.points.size() > chart.firstMarker ? chart.points.size() - chart.firstMarker : 0;
    if (markers > 0 && plot.box.width() / static_cast<double>(markers) > 2.5 * radius) {
        painter.setBrush(Qt::darkBlue);
        for (std::size_t i = chart.firstMarker; i < chart.points.size(); ++i)
            painter.drawEllipse(line[static_cast<int>(i)], radius, radius);
    }
    if (chart.failing && *chart.failing < chart.points.size()) {
        painter.setPen(QPen(Qt::red, 0));
        painter.setBrush(Qt::red);
        painter.drawEllipse(line[static_cast<int>(*chart.failing)], 2.5 * radius, 2.5 * radius);
    }
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

void DrawVoltageChart(QPainter& painter, const QRectF& area, const VoltageChartLayout& chart) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font(), painter.device());
    double labelWidth = 0;
    for (const ChartTick& t : chart.yTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(Q(t.text)));
    const double line = metrics.height();
    const double lastLabel =
        chart.xTicks.empty() ? 0 : metrics.horizontalAdvance(Q(chart.xTicks.back().text)) / 2;
    const QRectF box(area.left() + 1.5 * line + labelWidth, area.top() + line / 2,
                     area.width() - 1.5 * line - labelWidth - std::max(lastLabel, line / 2),
                     area.height() - 3 * line);
    if (box.width() > 0 && box.height() > 0) {
        const Plot plot{box, chart.xMax > 0 ? chart.xMax : 1, chart.yMax > 0 ? chart.yMax : 1};
        painter.setPen(QPen(Qt::black, 0));
        DrawAxes(painter, plot, chart, metrics);
        DrawCaptions(painter, area, plot, chart, metrics);
        if (!chart.points.empty()) DrawCurve(painter, plot, chart, metrics);
    }
    painter.restore();
}
