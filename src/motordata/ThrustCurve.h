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
    QString impulseClass; // "1/8A", "1/4A", "1/2A", "A" ... each letter doubling
};

// Why a curve cannot be used, as a clause about the motor ("its time goes
// back at 0.3 s"): no points, time going backwards, negative or non-finite
// values, no impulse, figures too large to be numbers; empty text for a good
// curve. A time repeated (a step) is allowed.
// The figures go to `figures` when it is given and the curve is good.
QString thrustCurveProblem(const std::vector<CThrustPoint> &curve, CMotorFigures *figures = nullptr);

// The figures of a good curve (thrustCurveProblem empty).
CMotorFigures motorFigures(const std::vector<CThrustPoint> &curve);

// The letter of a total impulse: 1/8A up to 0.3125 N·s, 1/4A up to 0.625, 1/2A
// up to 1.25, A up to 2.5, B up to 5 ... each range's upper end belongs to it.
// Empty for no impulse.
QString impulseClass(double totalImpulse);

// The shortest text that reads back as the same number: what a file wrote as
// "0.031" shows as 0.031, never as a rounded or padded figure.
QString shortestNumber(double value);
