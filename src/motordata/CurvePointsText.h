#pragma once

#include "motordata/ThrustCurve.h"

#include <QByteArray>
#include <QString>

#include <vector>

// A thrust curve as the logbook keeps it, in UTF-8: "time thrust" pairs, one a
// line, each number in the shortest digits that read back as the same number.
QByteArray curvePointsText(const std::vector<CThrustPoint> &points);
// The points of that text; a line that is not two numbers is passed over.
std::vector<CThrustPoint> parseCurvePointsText(const QString &text);
