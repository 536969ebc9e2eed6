#pragma once

#include "flightmodel/FlightInputs.h"

#include <QString>

#include <span>
#include <vector>

// A stretch of the flight between two points of a thrust curve, where the
// thrust is a straight line in time. At tau seconds after its start:
//   thrust = thrust + slope·tau
//   mass   = mass - tau·(massLinear + massQuadratic·tau)
// the mass falling with the impulse delivered, which grows as the integral of
// that straight line.
struct CBurnSegment
{
    double start = 0; // s after the first stage's ignition
    double end = 0;
    double thrust = 0; // N, every motor of the stage
    double slope = 0; // N/s
    double mass = 0; // kg, the whole rocket
    double massLinear = 0; // kg/s
    double massQuadratic = 0; // kg/s²
};

// The thrust and mass of a flight through time: the stages burning one after
// another, each lit at the last point of the one before, its motors' curves
// times their count, and the propellant of each motor burnt in proportion to
// the impulse it has delivered. Spent motors stay aboard: the logbook keeps no
// stage masses, so no stage is dropped.
class CBurnSchedule
{
public:
    CBurnSchedule(std::span<const CMotorLoad> stages, double rocketMassKg);

    // Why the motors cannot be flown, naming the stage and the value; empty
    // when they can.
    const QString &error() const { return m_error; }
    // 1-based number of the first stage whose motor has no curve; 0 when all have one.
    int stageWithoutCurve() const { return m_stageWithoutCurve; }
    // 1-based numbers of the stages whose motor file gives no propellant mass:
    // their motors keep their whole mass.
    const std::vector<int> &stagesWithoutPropellant() const { return m_stagesWithoutPropellant; }

    // In time order, every segment of positive length; none after an error
    // or for a stage without a curve.
    const std::vector<CBurnSegment> &segments() const { return m_segments; }
    double liftoffKg() const { return m_liftoffKg; }
    // The lightest the rocket gets: itself and its spent motors.
    double burnoutKg() const { return m_burnoutKg; }
    double burnoutS() const { return m_burnoutS; }
    // The first stage's total impulse over its burn time, every motor together.
    double firstStageAverageThrust() const { return m_firstStageAverageThrust; }

private:
    [[nodiscard]] bool checkStage(const CMotorLoad &stage, int number, int stageCount);
    void addStage(const CMotorLoad &stage, double ignitionS, double massAtIgnition);

    QString m_error;
    int m_stageWithoutCurve = 0;
    std::vector<int> m_stagesWithoutPropellant;
    std::vector<CBurnSegment> m_segments;
    double m_liftoffKg = 0;
    double m_burnoutKg = 0;
    double m_burnoutS = 0;
    double m_firstStageAverageThrust = 0;
};
