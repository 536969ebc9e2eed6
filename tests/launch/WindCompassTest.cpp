#include "launch/WindCompass.h"

#include <gtest/gtest.h>

// Taps on both compasses: the nine results, the band edges (which belong to
// the middle) and the edges of the area that counts. "-" is a tap that changes nothing.
TEST(WindCompass, TapsGiveTheDirectionOfTheirBand)
{
    struct Tap
    {
        const CCompassGeometry &rose;
        int x;
        int y;
        const char *direction;
    };
    const CCompassGeometry &page = kWeatherPageCompass;
    const CCompassGeometry &screen = kLaunchScreenCompass;
    const Tap taps[] = {
        {page, 10, 0, "NorthWest"},
        {page, 60, 40, "SouthEast"},
        {page, 38, 20, ""},
        {page, 80, 20, "-"},
        {page, 38, 11, ""},
        {page, 38, 10, "North"},
        {page, 38, 32, ""},
        {page, 38, 33, "South"},
        {page, 26, 20, ""},
        {page, 25, 20, "West"},
        {page, 50, 20, ""},
        {page, 51, 20, "East"},
        {page, -1, 20, "West"},
        {page, -2, 20, "-"},
        {page, 75, 58, "SouthEast"},
        {page, 76, 20, "-"},
        {page, 38, 59, "-"},
        {page, 38, -24, "North"},
        {page, 38, -25, "-"},
        {page, 60, 0, "NorthEast"},
        {page, 10, 40, "SouthWest"},
        {screen, 10, -10, "NorthWest"},
        {screen, 30, 30, "South"},
        {screen, 30, 41, "-"},
        {screen, 30, -1, ""},
        {screen, 30, -2, "North"},
        {screen, 30, 20, ""},
        {screen, 30, 21, "South"},
        {screen, 19, 5, "West"},
        {screen, 20, 5, ""},
        {screen, 44, 5, ""},
        {screen, 45, 5, "East"},
        {screen, 64, 40, "SouthEast"},
        {screen, 65, 5, "-"},
        {screen, -1, -24, "NorthWest"},
    };
    for (const Tap &tap : taps) {
        const std::optional<QString> direction = windDirectionForTap(tap.x, tap.y, tap.rose);
        EXPECT_EQ(direction.value_or(QStringLiteral("-")), QLatin1String(tap.direction))
            << (&tap.rose == &page ? "page" : "screen") << " (" << tap.x << ", " << tap.y << ")";
    }
}
