#include "flightdata/FlightPlotData.h"

#include <algorithm>

std::vector<QPointF> decimateForWidth(const std::vector<double> &time, const std::vector<double> &height, double from,
                                      double to, int columns)
{
    std::vector<QPointF> points;
    const std::size_t n = std::min(time.size(), height.size());
    if (n == 0 || columns <= 0 || !(to > from))
        return points;
    // One sample beyond each edge, so the line runs to the border of the view.
    std::size_t begin =
        std::size_t(std::lower_bound(time.begin(), time.begin() + std::ptrdiff_t(n), from) - time.begin());
    std::size_t end = std::size_t(std::upper_bound(time.begin(), time.begin() + std::ptrdiff_t(n), to) - time.begin());
    begin = begin > 0 ? begin - 1 : 0;
    end = std::min(n, end + 1);
    if (end - begin <= 4 * std::size_t(columns)) {
        for (std::size_t i = begin; i < end; ++i)
            points.emplace_back(time[i], height[i]);
        return points;
    }
    points.reserve(4 * std::size_t(columns) + 2);
    const double columnWidth = (to - from) / columns;
    std::size_t i = begin;
    while (i < end) {
        const long column = long((time[i] - from) / columnWidth);
        const std::size_t first = i;
        std::size_t low = i;
        std::size_t high = i;
        while (i < end && long((time[i] - from) / columnWidth) == column) {
            if (height[i] < height[low])
                low = i;
            if (height[i] > height[high])
                high = i;
            ++i;
        }
        const std::size_t last = i - 1;
        std::size_t picks[] = {first, std::min(low, high), std::max(low, high), last};
        std::size_t previous = end;
        for (const std::size_t pick : picks) {
            if (pick != previous)
                points.emplace_back(time[pick], height[pick]);
            previous = pick;
        }
    }
    return points;
}
