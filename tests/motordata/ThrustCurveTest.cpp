// Figures of thrust curves whose integrals are known by geometry.
#include "motordata/ThrustCurve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CCurveCase
{
    const char *name;
    std::vector<CThrustPoint> curve;
    double impulse; // by the area of the figure the curve draws
    double burnTime;
    double peak;
    const char *letter;
};

class ThrustCurveFigures : public ::testing::TestWithParam<CCurveCase>
{ };

TEST_P(ThrustCurveFigures, MatchTheAreaUnderTheCurve)
{
    const CCurveCase &c = GetParam();
    ASSERT_TRUE(thrustCurveProblem(c.curve).isEmpty()) << qPrintable(thrustCurveProblem(c.curve));
    const CMotorFigures figures = motorFigures(c.curve);
    EXPECT_NEAR(figures.totalImpulse, c.impulse, 1e-9);
    EXPECT_NEAR(figures.burnTime, c.burnTime, 1e-9);
    EXPECT_NEAR(figures.averageThrust, c.impulse / c.burnTime, 1e-9);
    EXPECT_DOUBLE_EQ(figures.peakThrust, c.peak);
    EXPECT_EQ(figures.impulseClass, QLatin1String(c.letter));
}

INSTANTIATE_TEST_SUITE_P(
    KnownShapes, ThrustCurveFigures,
    ::testing::Values(
        // 10 N for 2 s from ignition: a rectangle, 20 N·s, the top of the D range.
        CCurveCase {"Rectangle", {{0, 10}, {2, 10}, {2, 0}}, 2 * 10, 2, 10, "D"},
        // Rising from ignition to 6 N at 1 s, back to zero at 3 s: half of 3 x 6.
        CCurveCase {"Triangle", {{1, 6}, {3, 0}}, 3 * 6 / 2.0, 3, 6, "C"},
        // A step at 0.5 s written as two points of the same time: a triangle of
        // 0.5 x 4 / 2 and a rectangle of 1 x 8.
        CCurveCase {"RepeatedTime", {{0.5, 4}, {0.5, 8}, {1.5, 8}, {1.5, 0}}, 0.5 * 4 / 2 + 8, 1.5, 8, "C"},
        // Zero thrust before the motor lights: the burn starts where thrust leaves zero.
        CCurveCase {"LateStart", {{0.5, 0}, {0.5, 2}, {1.0, 2}, {1.0, 0}, {3.0, 0}}, 1.0, 0.5, 2, "1/2A"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ThrustCurve, ClassRangesIncludeTheirUpperEnd)
{
    const std::pair<double, const char *> cases[] = {
        {0.01, "1/8A"}, {0.3125, "1/8A"}, {0.3126, "1/4A"}, {0.625, "1/4A"}, {0.6251, "1/2A"},
        {1.25, "1/2A"}, {2.5, "A"},       {2.5001, "B"},    {5.0, "B"},      {5.0001, "C"},
        {10.0, "C"},    {10.001, "D"},    {40960, "O"},
    };
    for (const auto &[impulse, letter] : cases)
        EXPECT_EQ(impulseClass(impulse), QLatin1String(letter)) << impulse;
    EXPECT_TRUE(impulseClass(0).isEmpty());
}

TEST(ThrustCurve, CurvesThatCannotBeUsedAreNamed)
{
    const double huge = 1e308;
    const std::pair<std::vector<CThrustPoint>, const char *> cases[] = {
        {{}, "it has no thrust data"},
        {{{0.1, 5}, {0.05, 3}}, "its time goes back at 0.05 s"},
        {{{0.1, 5}, {0.2, -3}}, "its thrust is negative at 0.2 s"},
        {{{0.1, 0}, {0.2, 0}}, "its thrust is zero throughout"},
        {{{0.1, std::nan("")}}, "it holds a value that is not a finite number"},
        // Each value a double, their area none: 1e308 s x 1e308 N.
        {{{huge, huge}, {huge * 1.5, 0}}, "its figures are too large to be numbers"},
        // Thrust at the moment of ignition only: no area under it.
        {{{0, 5}}, "its total impulse is zero"},
    };
    for (const auto &[curve, problem] : cases)
        EXPECT_EQ(thrustCurveProblem(curve), QLatin1String(problem));
}

} // namespace
