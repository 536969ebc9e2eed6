#pragma once

#include <QString>

class QComboBox;

// "C" for Celsius, "F" for Fahrenheit.
QString temperatureUnitText(bool celsius);

// A temperature as the flyer logs it (a whole number in °C or °F) in °C.
double temperatureCelsius(int temperature, bool celsius);

// Shows a wind direction in a direction list: the first item that begins with
// the text, or no selection for an empty text.
void showWindDirection(QComboBox *list, const QString &direction);

// The message for a number field that does not hold a whole number.
inline constexpr char kIntegerRequired[] = "Please enter an integer.";
