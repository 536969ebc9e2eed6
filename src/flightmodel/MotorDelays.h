#pragma once

#include <QString>

#include <optional>
#include <vector>

// The ejection delays a motor is sold with, read from the catalogue's Delay
// text: "3-5-7" (choices), "5", "0" (no delay: a booster's charge fires at
// burnout), "P" (plugged: no charge). Choices may be split by "-", ",", "/" or
// blanks, and may include "P" beside numbers.
struct CMotorDelays
{
    std::vector<double> seconds; // ascending, without repeats
    bool plugged = false; // "P" or "Plugged" is among the choices
    // False for an empty text or one with a part that is neither a number of
    // seconds nor "P"; the delays are then unknown and none is offered.
    bool known = false;
};

CMotorDelays parseMotorDelays(const QString &text);

// The delay nearest the wanted one; of two equally near, the shorter, as an
// ejection still climbing is gentler than one already falling. Empty without
// a delay of seconds.
std::optional<double> nearestDelay(const CMotorDelays &delays, double wanted);
