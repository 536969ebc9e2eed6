#pragma once

#include <QString>

#include <vector>

// One point of a motor's thrust curve: seconds after ignition, newtons.
struct CThrustPoint
{
    double time = 0;
    double thrust = 0;

    bool operator==(const CThrustPoint &) const = default;
};

// What flyers choose a motor by, derived from its curve. The curve starts at
// zero thrust at ignition, as thrust-curve files leave implied.
struct CMotorFigures
{
    double totalImpulse = 0; // N·s, by the trapezoid rule
    double averageThrust = 0; // N: total impulse over burn time
    double peakThrust = 0; // N
    double burnTime = 0; // s: from where the thrust leaves zero to where it last returns
    QString impulseClass; // "1/4A", "1/2A", "A" ... each letter doubling
};

// Why a curve cannot be used: empty, time going backwards, negative or
// non-finite thrust, no thrust at all; empty text for a good curve. A time
// repeated (a step) is allowed.
QString thrustCurveProblem(const std::vector<CThrustPoint> &curve);

// The figures of a good curve (thrustCurveProblem empty).
CMotorFigures motorFigures(const std::vector<CThrustPoint> &curve);

// The letter of a total impulse: 1/4A up to 0.625 N·s, 1/2A up to 1.25, A up to
// 2.5, B up to 5 ... each range's upper end belongs to it. Empty for no impulse.
QString impulseClass(double totalImpulse);
