#pragma once

#include "charts/AxisTicks.h"

#include <Qt>

class QChart;
class QValueAxis;

// How many steps an axis of `pixels` length over [low, high] can show with
// every label whole: the widest label and a gap per step across, two lines per
// step upright; from 2 to 10.
int stepsThatFit(const QValueAxis *axis, Qt::Orientation orientation, double pixels, double low, double high);

// The axis runs from round tick to round tick around [low, high].
CAxisTicks setRoundRange(QValueAxis *axis, double low, double high, int maxSteps);
// The axis keeps exactly [low, high] (a zoomed view) with ticks at the round
// numbers inside it.
CAxisTicks setRoundTicks(QValueAxis *axis, double low, double high, int maxSteps);

// The length the chart gives an axis: its plot area once laid out, otherwise
// a guess from the chart's size less room for labels and titles.
double axisLength(const QChart *chart, Qt::Orientation orientation);
