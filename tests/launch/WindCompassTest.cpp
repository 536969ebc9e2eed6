#include "launch/WindCompass.h"

#include <gtest/gtest.h>

namespace {

QString tap(int x, int y, const CCompassGeometry &geometry)
{
    return windDirectionForTap(x, y, geometry).value_or(QStringLiteral("<none>"));
}

} // namespace

TEST(WindCompass, WeatherPageBandsAndEdges)
{
    const CCompassGeometry &rose = kWeatherPageCompass;
    EXPECT_EQ(tap(10, 0, rose), QStringLiteral("NorthWest"));
    EXPECT_EQ(tap(60, 40, rose), QStringLiteral("SouthEast"));
    EXPECT_EQ(tap(38, 20, rose), QString());
    EXPECT_EQ(tap(80, 20, rose), QStringLiteral("<none>"));
    // The band edges belong to the middle.
    EXPECT_EQ(tap(38, 11, rose), QString());
    EXPECT_EQ(tap(38, 10, rose), QStringLiteral("North"));
    EXPECT_EQ(tap(38, 32, rose), QString());
    EXPECT_EQ(tap(38, 33, rose), QStringLiteral("South"));
    EXPECT_EQ(tap(26, 20, rose), QString());
    EXPECT_EQ(tap(25, 20, rose), QStringLiteral("West"));
    EXPECT_EQ(tap(50, 20, rose), QString());
    EXPECT_EQ(tap(51, 20, rose), QStringLiteral("East"));
    // The counted area: x from -1 up to but not 76, y above -25 and below 59.
    EXPECT_EQ(tap(-1, 20, rose), QStringLiteral("West"));
    EXPECT_EQ(tap(-2, 20, rose), QStringLiteral("<none>"));
    EXPECT_EQ(tap(75, 58, rose), QStringLiteral("SouthEast"));
    EXPECT_EQ(tap(76, 20, rose), QStringLiteral("<none>"));
    EXPECT_EQ(tap(38, 59, rose), QStringLiteral("<none>"));
    EXPECT_EQ(tap(38, -24, rose), QStringLiteral("North"));
    EXPECT_EQ(tap(38, -25, rose), QStringLiteral("<none>"));
}

TEST(WindCompass, LaunchScreenBandsAndEdges)
{
    const CCompassGeometry &rose = kLaunchScreenCompass;
    EXPECT_EQ(tap(10, -10, rose), QStringLiteral("NorthWest"));
    EXPECT_EQ(tap(30, 30, rose), QStringLiteral("South"));
    EXPECT_EQ(tap(30, 41, rose), QStringLiteral("<none>"));
    EXPECT_EQ(tap(30, -1, rose), QString());
    EXPECT_EQ(tap(30, -2, rose), QStringLiteral("North"));
    EXPECT_EQ(tap(30, 20, rose), QString());
    EXPECT_EQ(tap(30, 21, rose), QStringLiteral("South"));
    EXPECT_EQ(tap(19, 5, rose), QStringLiteral("West"));
    EXPECT_EQ(tap(20, 5, rose), QString());
    EXPECT_EQ(tap(44, 5, rose), QString());
    EXPECT_EQ(tap(45, 5, rose), QStringLiteral("East"));
    EXPECT_EQ(tap(64, 40, rose), QStringLiteral("SouthEast"));
    EXPECT_EQ(tap(65, 5, rose), QStringLiteral("<none>"));
    EXPECT_EQ(tap(-1, -24, rose), QStringLiteral("NorthWest"));
}

TEST(WindCompass, EveryResultIsOneOfTheListedDirectionsOrEmpty)
{
    const QStringList directions = windDirections();
    ASSERT_EQ(directions.size(), 8);
    EXPECT_EQ(directions.first(), QStringLiteral("North"));
    EXPECT_EQ(directions.last(), QStringLiteral("SouthWest"));
    for (const CCompassGeometry &rose : {kWeatherPageCompass, kLaunchScreenCompass}) {
        for (int y = -24; y < rose.height; ++y) {
            for (int x = -1; x < rose.width; ++x) {
                const QString direction = *windDirectionForTap(x, y, rose);
                EXPECT_TRUE(direction.isEmpty() || directions.contains(direction)) << x << "," << y;
            }
        }
    }
}
