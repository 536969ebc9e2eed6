#pragma once

#include "motors/MotorValues.h"

#include <QString>

// A motor header line of a thrust-curve file: fields separated by runs of
// blanks, 0 name, 1 diameter, 2 length, 3 delays, 4 and 5 weights, 6 maker.
// A short line moves the last field it has into the maker's place, the way
// hand-written files without weights expect. Size is diameter "x" length.
CMotorValues parseEngHeader(const QString &line);

// The header's two weights in kilograms (fields 4 and 5: propellant, then the
// loaded motor); 0 where the line has no such number.
struct CEngMasses
{
    double propellantKg = 0;
    double totalKg = 0;
};
CEngMasses parseEngMasses(const QString &line);

// True for a line of numbers only: thrust data, never a motor header.
bool isThrustDataLine(const QString &line);
