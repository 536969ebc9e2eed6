#include "charts/AxisTicks.h"

#include <algorithm>
#include <cmath>

namespace {
// The tick count may miss by a rounding error: 0.1 * 3 is not 0.3.
constexpr double kSlack = 1e-9;
} // namespace

CAxisTicks roundAxisTicks(double low, double high, int maxSteps)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0;
        high = 1;
    }
    if (low > high)
        std::swap(low, high);
    if (high - low <= 0) {
        low -= 0.5;
        high += 0.5;
    }
    maxSteps = std::max(1, maxSteps);

    const double rough = (high - low) / maxSteps;
    int exponent = int(std::floor(std::log10(rough)));
    CAxisTicks ticks;
    for (;; ++exponent) {
        const double scale = std::pow(10.0, exponent);
        for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
            const double step = mantissa * scale;
            const double first = std::floor(low / step + kSlack) * step;
            const int steps = int(std::ceil((high - first) / step - kSlack));
            if (steps <= maxSteps) {
                ticks.first = first == 0 ? 0.0 : first; // no "-0"
                ticks.step = step;
                ticks.count = std::max(1, steps) + 1;
                // 2.5 x 10^n needs one decimal more than 10^n.
                const int places = -exponent + (mantissa == 2.5 ? 1 : 0);
                ticks.decimals = std::max(0, places);
                return ticks;
            }
        }
    }
}
