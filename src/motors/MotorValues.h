#pragma once

#include <QString>

// The four texts of one motor as the catalogue keeps them.
struct CMotorValues
{
    QString type;
    QString delay;
    QString mfg;
    QString size;
};
