#pragma once

#include <QString>

// The longest text a motor file gives one motor: a thrust-curve header line,
// a value of a comma-separated file.
inline constexpr int kMaxMotorFileText = 255;

// The four texts of one motor as the catalogue keeps them.
struct CMotorValues
{
    QString type;
    QString delay;
    QString mfg;
    QString size;

    bool operator==(const CMotorValues &) const = default;
};
