#include "flightmodel/BurnSchedule.h"

#include <cmath>

namespace {
// Points closer in time than this are one step in the thrust, as a repeated
// time is: a slope across them would be no number.
constexpr double kShortestSpan = 1e-9; // s
constexpr double kLongestCurve = 3600; // s
constexpr int kLargestMassRatio = 100; // liftoff mass over burnout mass

// "The motor's ..." alone; "Stage 2: the motor's ..." in a staged flight.
QString stageMessage(int number, int stageCount, const QString &text)
{
    if (stageCount == 1)
        return text.left(1).toUpper() + text.mid(1);
    return QStringLiteral("Stage %1: %2").arg(number).arg(text);
}

QString curveProblem(const std::vector<CThrustPoint> &curve)
{
    double previous = 0;
    for (const CThrustPoint &point : curve) {
        if (!std::isfinite(point.time) || !std::isfinite(point.thrust))
            return QStringLiteral("the motor's thrust curve holds a value that is not a number");
        if (point.time < previous)
            return QStringLiteral("the motor's thrust curve goes back in time at %1 s").arg(point.time);
        if (point.thrust < 0)
            return QStringLiteral("the motor's thrust curve has negative thrust at %1 s").arg(point.time);
        previous = point.time;
    }
    if (previous > kLongestCurve)
        return QStringLiteral("the motor's thrust curve lasts %1 s, more than an hour").arg(previous);
    return QString();
}

} // namespace

CBurnSchedule::CBurnSchedule(std::span<const CMotorLoad> stages, double rocketMassKg)
{
    if (stages.empty()) {
        m_error = QStringLiteral("There is no motor to fly");
        return;
    }
    const int stageCount = int(stages.size());
    for (int i = 0; i < stageCount; ++i) {
        if (!checkStage(stages[i], i + 1, stageCount))
            return;
    }
    if (m_stageWithoutCurve != 0)
        return;

    m_liftoffKg = rocketMassKg;
    for (const CMotorLoad &stage : stages)
        m_liftoffKg += stage.count * stage.totalKg;
    double mass = m_liftoffKg;
    double ignition = 0;
    for (const CMotorLoad &stage : stages) {
        addStage(stage, ignition, mass);
        ignition += stage.curve.back().time;
        mass -= stage.count * stage.propellantKg;
    }
    // Summed from the parts, not by subtraction, so that a rocket of next to no
    // mass is not rounded away beside its motors.
    m_burnoutKg = rocketMassKg;
    for (const CMotorLoad &stage : stages)
        m_burnoutKg += stage.count * (stage.totalKg - stage.propellantKg);
    m_burnoutS = ignition;
    // Past this the burn ends in a singular rush the steps cannot follow, and
    // no model rocket comes near it: the weight was mistyped.
    if (m_liftoffKg > kLargestMassRatio * m_burnoutKg) {
        m_error = QStringLiteral("Burning its propellant would leave the rocket under 1/%1 of its liftoff mass: "
                                 "check the rocket's weight")
                      .arg(kLargestMassRatio);
    }
    m_firstStageAverageThrust = stages.front().count * motorFigures(stages.front().curve).averageThrust;
}

bool CBurnSchedule::checkStage(const CMotorLoad &stage, int number, int stageCount)
{
    QString problem;
    if (stage.count < 1) {
        problem = QStringLiteral("the count of motors must be at least 1, not %1").arg(stage.count);
    } else if (stage.curve.empty()) {
        // Typed in without a curve: its masses are as unknown as its thrust.
        if (m_stageWithoutCurve == 0)
            m_stageWithoutCurve = number;
        return true;
    } else if (!std::isfinite(stage.totalKg) || !std::isfinite(stage.propellantKg)) {
        problem = QStringLiteral("the motor's mass is not a number");
    } else if (stage.totalKg <= 0) {
        problem = QStringLiteral("the motor's file gives no loaded mass, which the flight depends on");
    } else if (stage.propellantKg < 0) {
        problem = QStringLiteral("the motor's propellant mass is below 0");
    } else if (stage.propellantKg > stage.totalKg) {
        problem = QStringLiteral("the motor's propellant of %1 kg is more than the loaded motor's %2 kg")
                      .arg(stage.propellantKg)
                      .arg(stage.totalKg);
    } else {
        problem = curveProblem(stage.curve);
        if (problem.isEmpty() && !(motorFigures(stage.curve).totalImpulse > 0))
            problem = QStringLiteral("the motor's thrust curve has no thrust");
    }
    if (!problem.isEmpty()) {
        m_error = stageMessage(number, stageCount, problem);
        return false;
    }
    if (stage.propellantKg == 0)
        m_stagesWithoutPropellant.push_back(number);
    return true;
}

void CBurnSchedule::addStage(const CMotorLoad &stage, double ignitionS, double massAtIgnition)
{
    const double count = stage.count;
    // Kilograms of propellant per newton-second, the same for one motor as for
    // a cluster of them.
    const double burnRate = stage.propellantKg / motorFigures(stage.curve).totalImpulse;
    double delivered = 0; // N·s from every motor of the stage
    CThrustPoint previous;
    m_segments.reserve(m_segments.size() + stage.curve.size());
    for (const CThrustPoint &point : stage.curve) {
        const double span = point.time - previous.time;
        if (span >= kShortestSpan) {
            CBurnSegment segment;
            segment.start = ignitionS + previous.time;
            segment.end = ignitionS + point.time;
            segment.thrust = count * previous.thrust;
            segment.slope = count * (point.thrust - previous.thrust) / span;
            segment.mass = massAtIgnition - burnRate * delivered;
            segment.massLinear = burnRate * segment.thrust;
            segment.massQuadratic = burnRate * segment.slope / 2;
            m_segments.push_back(segment);
        }
        // A step too short for a segment still burns its sliver of propellant,
        // so the stage burns what its motors hold, as their impulse counts it.
        delivered += count * span * (point.thrust + previous.thrust) / 2;
        previous = point;
    }
}
