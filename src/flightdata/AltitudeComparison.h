#pragma once

#include <QString>

// The unit a flyer reads heights in.
enum class EHeightUnit { Feet, Metres };

// The unit stored in the settings: "m" for metres; anything else, feet.
EHeightUnit heightUnitFromSetting(const QString &text);
QString heightUnitSetting(EHeightUnit unit);

// A height in metres in the flyer's unit, as "1,105 ft" or "337 m".
QString formatHeight(double metres, EHeightUnit unit);

// "Expected 1,200 ft, reached 1,105 ft (-8 %)": the expected altitude as the flyer
// typed it (in the flyer's unit) beside the apogee reached (in metres). Empty
// when there is no expectation to compare with. atLeast: the recording stopped
// before the apogee, so only a lower bound was reached: "reached at least
// 1,105 ft", with the share above the expectation "(+3 % or more)" where it is
// already above it, and none where it is not.
QString altitudeComparison(double expected, double reachedMetres, EHeightUnit unit, bool atLeast = false);
