#pragma once

#include "motordata/MotorValues.h"

#include <QString>

// The header's two weights in kilograms (fields 4 and 5: propellant, then the
// loaded motor); 0 where the line has no such number.
struct CEngMasses
{
    double propellantKg = 0;
    double totalKg = 0;
};

// A motor header line of a thrust-curve file: fields separated by runs of
// blanks, 0 name, 1 diameter, 2 length, 3 delays, 4 and 5 weights, 6 maker.
// A short line moves the last field it has into the maker's place, the way
// hand-written files without weights expect. Size is diameter "x" length.
// The weights go to `masses` when it is given.
CMotorValues parseEngHeader(const QString &line, CEngMasses *masses = nullptr);

// True for a line that names a motor type and gives digits for its diameter
// and length, as a motor header must.
bool isEngHeader(const QString &line);
