#pragma once

#include <QString>

// The filter of the removal dialog: part of each of the four motor texts, each
// of which may be negated. An empty text does not take part.
struct CMotorFilter
{
    QString mfg;
    QString type;
    QString delay;
    QString size;
    bool notMfg = false;
    bool notType = false;
    bool notDelay = false;
    bool notSize = false;
};

// "Type LIKE '%A%' AND MFG NOT LIKE '%EST%'": the fields in the order Type,
// Delay, MFG, Size, the texts quoted. Empty when every field is empty.
QString motorFilterCondition(const CMotorFilter &filter);
// "Select * FROM Motors WHERE ..." and "DELETE FROM Motors WHERE ...".
QString motorFilterSelect(const CMotorFilter &filter);
QString motorFilterDelete(const CMotorFilter &filter);
