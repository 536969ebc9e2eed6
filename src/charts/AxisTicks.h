#pragma once

// Where a plot's axis puts its ticks: at round numbers, steps of 1, 2, 2.5 or 5
// times a power of ten, so that every label reads at a glance (0, 250, 500 ft
// rather than 0, 287, 574 ft). Pure arithmetic, shared by every plot.
struct CAxisTicks
{
    double first = 0; // the lowest tick, at or below the range's start
    double step = 1;
    int count = 2; // ticks from first, the last at or above the range's end
    int decimals = 0; // what a label needs to show the step exactly

    double last() const { return first + step * (count - 1); }
};

// The smallest round step that covers [low, high] in at most maxSteps steps,
// and the ticks that enclose the range with it. A range of no width (one
// value) is widened to one unit about it; maxSteps below 1 counts as 1.
// Non-finite input gives the ticks of [0, 1].
CAxisTicks roundAxisTicks(double low, double high, int maxSteps);
