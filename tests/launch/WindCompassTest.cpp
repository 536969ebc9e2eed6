#include "launch/WindCompass.h"

#include <gtest/gtest.h>

// Taps on both compasses, p the weather page's and s the launch screen's: the
// nine results, the band edges (which belong to the middle) and the edges of
// the area that counts. "-" is a tap that changes nothing.
TEST(WindCompass, TapsGiveTheDirectionOfTheirBand)
{
    struct Tap
    {
        char rose;
        int x;
        int y;
        const char *direction;
    };
    const Tap taps[] = {{'p', 10, 0, "NorthWest"},  {'p', 60, 40, "SouthEast"},
                        {'p', 38, 20, ""},          {'p', 80, 20, "-"},
                        {'p', 38, 11, ""},          {'p', 38, 10, "North"},
                        {'p', 38, 32, ""},          {'p', 38, 33, "South"},
                        {'p', 26, 20, ""},          {'p', 25, 20, "West"},
                        {'p', 50, 20, ""},          {'p', 51, 20, "East"},
                        {'p', -1, 20, "West"},      {'p', -2, 20, "-"},
                        {'p', 75, 58, "SouthEast"}, {'p', 76, 20, "-"},
                        {'p', 38, 59, "-"},         {'p', 38, -24, "North"},
                        {'p', 38, -25, "-"},        {'p', 60, 0, "NorthEast"},
                        {'p', 10, 40, "SouthWest"}, {'s', 10, -10, "NorthWest"},
                        {'s', 30, 30, "South"},     {'s', 30, 41, "-"},
                        {'s', 30, -1, ""},          {'s', 30, -2, "North"},
                        {'s', 30, 20, ""},          {'s', 30, 21, "South"},
                        {'s', 19, 5, "West"},       {'s', 20, 5, ""},
                        {'s', 44, 5, ""},           {'s', 45, 5, "East"},
                        {'s', 64, 40, "SouthEast"}, {'s', 65, 5, "-"},
                        {'s', -1, -24, "NorthWest"}};
    for (const Tap &tap : taps) {
        const CCompassGeometry &rose = tap.rose == 'p' ? kWeatherPageCompass : kLaunchScreenCompass;
        EXPECT_EQ(windDirectionForTap(tap.x, tap.y, rose).value_or(QStringLiteral("-")), QLatin1String(tap.direction))
            << tap.rose << " (" << tap.x << ", " << tap.y << ")";
    }
}
