#pragma once
// Draws a laid-out chart of the voltage along a loop with a QPainter: the same routine serves
// the loop editor, the printer and the PDF. Sizes follow the painter's font, so the chart reads
// alike on a screen and on paper.
#include <QRectF>

#include "print/VoltageChartLayout.h"

class QPainter;

void DrawVoltageChart(QPainter& painter, const QRectF& area, const VoltageChartLayout& chart);
