#include "launch/WindCompass.h"

QStringList windDirections()
{
    return {QStringLiteral("North"),     QStringLiteral("South"),     QStringLiteral("East"),
            QStringLiteral("West"),      QStringLiteral("NorthEast"), QStringLiteral("NorthWest"),
            QStringLiteral("SouthEast"), QStringLiteral("SouthWest")};
}

std::optional<QString> windDirectionForTap(int x, int y, const CCompassGeometry &geometry)
{
    if (x < -1 || x >= geometry.width || y <= -25 || y >= geometry.height)
        return std::nullopt;
    QString direction;
    if (y < geometry.north)
        direction = QStringLiteral("North");
    if (y > geometry.south)
        direction = QStringLiteral("South");
    if (x < geometry.west)
        direction += QStringLiteral("West");
    if (x > geometry.east)
        direction += QStringLiteral("East");
    return direction;
}
