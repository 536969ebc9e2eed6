// Axis ticks at round numbers: steps of 1, 2, 2.5 or 5 times a power of ten
// that enclose the range in as few of them as the axis has room for.
#include "charts/AxisTicks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

std::vector<double> tickValues(const CAxisTicks &ticks)
{
    std::vector<double> values;
    for (int i = 0; i < ticks.count; ++i)
        values.push_back(ticks.first + i * ticks.step);
    return values;
}

void expectTicks(double low, double high, int maxSteps, const std::vector<double> &expected, int decimals)
{
    const CAxisTicks ticks = roundAxisTicks(low, high, maxSteps);
    const std::vector<double> values = tickValues(ticks);
    ASSERT_EQ(values.size(), expected.size()) << low << ".." << high << " in " << maxSteps;
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(values[i], expected[i], 1e-9) << low << ".." << high << " tick " << i;
    EXPECT_EQ(ticks.decimals, decimals) << low << ".." << high;
}

} // namespace

TEST(AxisTicks, RoundStepsEncloseTheRange)
{
    // A 1,148 ft apogee: 100 and 200 need more than 5 steps, 250 needs 5.
    expectTicks(0, 1148, 5, {0, 250, 500, 750, 1000, 1250}, 0);
    // A 3.96 N peak: 0.5 needs 8 steps, 1 needs 4.
    expectTicks(0, 3.96, 5, {0, 1, 2, 3, 4}, 0);
    // One second of burn in tenths: 0.1 needs 10, 0.2 needs 5.
    expectTicks(0, 1.0, 5, {0, 0.2, 0.4, 0.6, 0.8, 1.0}, 1);
    // 0.2 needs 5 steps, 0.25 four; quarters need two decimals.
    expectTicks(0, 0.9, 4, {0, 0.25, 0.5, 0.75, 1.0}, 2);
    // A landing below the pad: the first tick is the multiple of 50 under -12.
    expectTicks(-12, 130, 4, {-50, 0, 50, 100, 150}, 0);
    // A zoomed stretch that starts off a tick.
    expectTicks(12.3, 17.9, 6, {12, 13, 14, 15, 16, 17, 18}, 0);
    // Thousands of metres: 2,500 ft steps.
    expectTicks(0, 9000, 4, {0, 2500, 5000, 7500, 10000}, 0);
}

TEST(AxisTicks, RoundingErrorsAndDegenerateRangesStillGiveRoundTicks)
{
    // 0.3 / 0.1 is 2.9999999999999996: three steps, not four.
    expectTicks(0, 0.3, 3, {0, 0.1, 0.2, 0.3}, 1);
    // One value: a unit about it, in quarters.
    expectTicks(5, 5, 4, {4.5, 4.75, 5, 5.25, 5.5}, 2);
    // Reversed ends are the same range.
    expectTicks(1148, 0, 5, {0, 250, 500, 750, 1000, 1250}, 0);
    // No room counts as one step.
    expectTicks(0, 7, 0, {0, 10}, 0);
    // Nothing finite to show: 0 to 1.
    expectTicks(std::nan(""), 3, 2, {0, 0.5, 1}, 1);
    expectTicks(0, std::numeric_limits<double>::infinity(), 2, {0, 0.5, 1}, 1);
    // -0 is not printed as "-0".
    EXPECT_FALSE(std::signbit(roundAxisTicks(-0.0, 4, 4).first));
}
