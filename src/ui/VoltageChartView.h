#pragma once
// The chart of the voltage along a loop in a window: it keeps the last profile it was given and
// draws it, as the drop from the panel or as the voltage left, with the shared drawing routine.
#include <QWidget>

#include "print/VoltageChartLayout.h"

class VoltageChartView : public QWidget {
    Q_OBJECT
public:
    explicit VoltageChartView(QWidget* parent = nullptr);

    void ShowProfile(const VoltageProfile& profile);
    void ShowQuantity(ChartQuantity quantity);
    const VoltageChartLayout& Layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    VoltageProfile profile_;
    ChartQuantity quantity_ = ChartQuantity::Drop;
    VoltageChartLayout layout_ = LayOutVoltageChart(profile_, quantity_);
};
