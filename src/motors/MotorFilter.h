#pragma once

#include <QString>

// The filter of the removal dialog: part of each of the four motor texts, and
// the impulse class of the motor's thrust curve, each of which may be negated.
// An empty text does not take part.
struct CMotorFilter
{
    QString mfg;
    QString type;
    QString delay;
    QString size;
    QString impulseClass; // "K", "1/2A": the whole class, in either case
    bool notMfg = false;
    bool notType = false;
    bool notDelay = false;
    bool notSize = false;
    bool notClass = false;
};

// "Type LIKE '%A%' AND MFG NOT LIKE '%EST%'": the fields in the order Type,
// Delay, MFG, Size, Class, the texts quoted. Empty when every field is empty.
// A class, negated or not, only ever matches motors that have a curve: a motor
// typed in has no known class, so no class filter removes it.
QString motorFilterCondition(const CMotorFilter &filter);
// "Select * FROM Motors WHERE ..." and "DELETE FROM Motors WHERE ...".
QString motorFilterSelect(const CMotorFilter &filter);
QString motorFilterDelete(const CMotorFilter &filter);
