#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The eight wind directions, in the order the direction lists show them.
QStringList windDirections();

// Where a tap on a wind rose counts and where its bands lie, in the picture's
// own coordinates (origin at its top-left corner).
struct CCompassGeometry
{
    int width; // taps count for -1 <= x < width
    int height; // and -25 < y < height
    int north; // y < north is North
    int south; // y > south is South
    int west; // x < west appends West
    int east; // x > east appends East
};

// The big rose of the weather page and the small one of the launch screen.
inline constexpr CCompassGeometry kWeatherPageCompass {76, 59, 11, 32, 26, 50};
inline constexpr CCompassGeometry kLaunchScreenCompass {65, 41, -1, 20, 20, 44};

// The direction a tap names: "North" ... "SouthWest", or the empty text in the
// middle band; nothing when the tap lies outside the counted area.
std::optional<QString> windDirectionForTap(int x, int y, const CCompassGeometry &geometry);
