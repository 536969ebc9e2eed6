#pragma once

#include "motordata/ThrustCurve.h"

#include <QString>

#include <vector>

// What a predicted flight is made of, as plain numbers in SI units (the thrust
// curve as the motor's own data gives it), so that the flight model depends on
// no screen and no store: callers read the catalogue, the rocket and the
// weather, and hand over these.

// One stage: `count` identical motors lit together (a cluster of one for a
// single motor).
struct CMotorLoad
{
    // Seconds and newtons of one motor, times not decreasing; a first point
    // later than 0 s starts from an implied 0 N at 0 s, and the thrust is zero
    // after the last point. Empty for a motor without a curve.
    std::vector<CThrustPoint> curve;
    double propellantKg = 0; // of one motor; 0 where the file gives none
    double totalKg = 0; // one loaded motor; 0 where the file gives none
    QString delays; // the catalogue's Delay text: "3-5-7", "5", "P"
    int count = 1;
};

// The rocket without its motors.
struct CRocketBody
{
    double massKg = 0;
    double diameterM = 0; // the largest, which the drag is reckoned on
    double cd = 0.6; // drag coefficient
    double guideM = 1.0; // length of rod or rail the rocket leaves along
};

// Where and in what air the rocket flies.
struct CLaunchSite
{
    double elevationM = 0; // above sea level
    double temperatureC = 15; // at the pad
};

struct CFlightInput
{
    CRocketBody rocket;
    std::vector<CMotorLoad> stages; // the first to burn first
    CLaunchSite site;
};
