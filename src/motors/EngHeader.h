#pragma once

#include "motors/MotorValues.h"

#include <QString>

// A motor header line of a thrust-curve file: fields separated by runs of
// blanks, 0 name, 1 diameter, 2 length, 3 delays, 4 and 5 weights, 6 maker.
// A short line moves the last field it has into the maker's place, the way
// hand-written files without weights expect. Size is diameter "x" length.
CMotorValues parseEngHeader(const QString &line);

// True for a line of numbers only: thrust data, never a motor header.
bool isThrustDataLine(const QString &line);
