#include "launch/WeatherText.h"

#include <QComboBox>

double temperatureCelsius(int temperature, bool celsius)
{
    return celsius ? temperature : (temperature - 32) * 5.0 / 9.0;
}

QString temperatureUnitText(bool celsius)
{
    return celsius ? QStringLiteral("C") : QStringLiteral("F");
}

void showWindDirection(QComboBox *list, const QString &direction)
{
    if (direction.isEmpty()) {
        list->setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).startsWith(direction)) {
            list->setCurrentIndex(i);
            return;
        }
    }
    list->setCurrentIndex(-1);
}
