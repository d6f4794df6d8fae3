#include "ui/VoltageChartView.h"

#include <QPainter>

#include "qtprint/VoltageChart.h"

VoltageChartView::VoltageChartView(QWidget* parent) : QWidget(parent) {
    setObjectName("picVoltageChart");
    setAccessibleName("Voltage along the loop");
    setMinimumSize(260, 160);
}

void VoltageChartView::ShowProfile(const VoltageProfile& profile) {
    if (profile == profile_) return;
    profile_ = profile;
    layout_ = LayOutVoltageChart(profile_, quantity_);
    update();
}

void VoltageChartView::ShowQuantity(ChartQuantity quantity) {
    if (quantity == quantity_) return;
    quantity_ = quantity;
    layout_ = LayOutVoltageChart(profile_, quantity_);
    update();
}

void VoltageChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    DrawVoltageChart(painter, QRectF(rect()), layout_);
}
