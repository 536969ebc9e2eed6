#include "flightmodel/FlightPredictor.h"

#include "flightmodel/Atmosphere.h"
#include "flightmodel/BurnSchedule.h"
#include "flightmodel/FlightIntegrator.h"
#include "flightmodel/MotorDelays.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kLowGuideSpeed = 15; // m/s
constexpr double kLowThrustToWeight = 5;
constexpr double kDelayTolerance = 2; // s

QString positiveProblem(const QString &what, double value, const QString &unit)
{
    if (!std::isfinite(value))
        return QStringLiteral("The rocket's %1 is not a number").arg(what);
    if (value <= 0)
        return QStringLiteral("The rocket's %1 must be more than 0 %2, not %3").arg(what, unit).arg(value);
    return QString();
}

QString rocketProblem(const CRocketBody &rocket)
{
    QString problem = positiveProblem(QStringLiteral("mass"), rocket.massKg, QStringLiteral("kg"));
    if (problem.isEmpty())
        problem = positiveProblem(QStringLiteral("diameter"), rocket.diameterM, QStringLiteral("m"));
    if (!problem.isEmpty())
        return problem;
    if (!std::isfinite(rocket.cd))
        return QStringLiteral("The rocket's Cd is not a number");
    if (rocket.cd < 0)
        return QStringLiteral("The rocket's Cd must be 0 or more, not %1").arg(rocket.cd);
    if (!std::isfinite(rocket.guideM))
        return QStringLiteral("The guide's length is not a number");
    if (rocket.guideM < 0)
        return QStringLiteral("The guide's length must be 0 m or more, not %1 m").arg(rocket.guideM);
    return QString();
}

QString tenths(double value)
{
    return QString::number(value, 'f', 1);
}

void warn(CFlightPrediction &prediction, EFlightWarning kind, const QString &text)
{
    prediction.warnings.push_back({kind, text});
}

void warnOfDelays(CFlightPrediction &prediction, const QString &text, const CMotorDelays &delays)
{
    if (!delays.known) {
        warn(prediction, EFlightWarning::NoDelayNearOptimum,
             text.trimmed().isEmpty()
                 ? QStringLiteral("The motor's delays are not known")
                 : QStringLiteral("The motor's delay '%1' is not a number of seconds").arg(text.trimmed()));
    } else if (!prediction.delayS) {
        warn(prediction, EFlightWarning::Plugged, QStringLiteral("Plugged motor: no ejection charge"));
    } else if (std::abs(*prediction.delayS - prediction.optimalDelayS) > kDelayTolerance) {
        warn(prediction, EFlightWarning::NoDelayNearOptimum,
             QStringLiteral("No delay within %1 s of the optimal %2 s: the nearest is %3 s")
                 .arg(kDelayTolerance)
                 .arg(tenths(prediction.optimalDelayS))
                 .arg(*prediction.delayS));
    }
}
} // namespace

CFlightPredictor::CFlightPredictor(const CRocketBody &rocket, const CLaunchSite &site)
    : m_rocket(rocket)
    , m_siteProblem(CAtmosphere::launchSiteProblem(site))
{
    m_problem = rocketProblem(rocket);
    if (m_siteProblem.isEmpty())
        m_atmosphere = std::make_shared<const CAtmosphere>(site);
    else if (m_problem.isEmpty())
        m_problem = m_siteProblem;
}

CFlightPredictor CFlightPredictor::withCd(double cd) const
{
    CFlightPredictor other = *this;
    other.m_rocket.cd = cd;
    other.m_problem = rocketProblem(other.m_rocket);
    if (other.m_problem.isEmpty())
        other.m_problem = m_siteProblem;
    return other;
}

CFlightPrediction CFlightPredictor::predict(const CMotorLoad &motor) const
{
    return predict(std::span<const CMotorLoad>(&motor, 1));
}

CFlightPrediction CFlightPredictor::predict(std::span<const CMotorLoad> stages) const
{
    CFlightPrediction prediction;
    if (!m_problem.isEmpty()) {
        prediction.error = m_problem;
        return prediction;
    }
    const CBurnSchedule schedule(stages, m_rocket.massKg);
    if (!schedule.error().isEmpty()) {
        prediction.error = schedule.error();
        return prediction;
    }
    if (schedule.stageWithoutCurve() != 0) {
        warn(prediction, EFlightWarning::NoCurve,
             stages.size() == 1
                 ? QStringLiteral("The motor has no thrust curve")
                 : QStringLiteral("Stage %1's motor has no thrust curve").arg(schedule.stageWithoutCurve()));
        return prediction;
    }
    prediction.liftoffKg = schedule.liftoffKg();
    prediction.thrustToWeight = schedule.firstStageAverageThrust() / (prediction.liftoffKg * kStandardGravity);

    const double area = std::numbers::pi / 4 * m_rocket.diameterM * m_rocket.diameterM;
    const CMotorDelays delays = parseMotorDelays(stages.back().delays);
    CFlightIntegrator integrator(schedule, 0.5 * m_rocket.cd * area, *m_atmosphere, m_rocket.guideM, delays);
    const CFlightTrack track = integrator.run();
    if (!track.error.isEmpty()) {
        CFlightPrediction refused;
        refused.error = track.error;
        return refused;
    }

    if (!track.liftedOff) {
        warn(prediction, EFlightWarning::NeverLiftsOff,
             QStringLiteral("Never lifts off: the thrust never exceeds the weight of %1 N")
                 .arg(tenths(prediction.liftoffKg * kStandardGravity)));
    } else {
        prediction.flown = true;
        prediction.guideSpeedMps = track.guideSpeedMps;
        prediction.burnoutS = schedule.burnoutS();
        prediction.burnoutAltitudeM = track.burnoutAltitudeM;
        prediction.burnoutSpeedMps = track.burnoutSpeedMps;
        prediction.maxSpeedMps = track.maxSpeedMps;
        prediction.maxAccelerationMps2 = track.maxAccelerationMps2;
        prediction.apogeeM = track.apogeeM;
        prediction.apogeeS = track.apogeeS;
        prediction.optimalDelayS = std::max(0.0, track.apogeeS - prediction.burnoutS);
        prediction.delayS = track.delayS;
        prediction.ejectionSpeedMps = track.ejectionSpeedMps;

        if (prediction.thrustToWeight < kLowThrustToWeight) {
            warn(prediction, EFlightWarning::LowThrustToWeight,
                 QStringLiteral("Thrust-to-weight %1, under %2")
                     .arg(tenths(prediction.thrustToWeight))
                     .arg(kLowThrustToWeight));
        }
        if (!track.leftGuide) {
            warn(prediction, EFlightWarning::LowGuideSpeed,
                 QStringLiteral("Never leaves the %1 m guide").arg(tenths(m_rocket.guideM)));
        } else if (track.guideSpeedMps < kLowGuideSpeed) {
            warn(prediction, EFlightWarning::LowGuideSpeed,
                 QStringLiteral("Leaves the guide at %1 m/s, under %2 m/s")
                     .arg(tenths(track.guideSpeedMps))
                     .arg(kLowGuideSpeed));
        }
        warnOfDelays(prediction, stages.back().delays, delays);
        if (track.landedBeforeEjection)
            warn(prediction, EFlightWarning::LandsBeforeEjection,
                 QStringLiteral("Lands before the %1 s delay ends").arg(*track.delayS));
    }
    for (int stage : schedule.stagesWithoutPropellant()) {
        warn(prediction, EFlightWarning::PropellantMassUnknown,
             stages.size() == 1
                 ? QStringLiteral("The motor's file gives no propellant mass: its loaded mass is kept throughout")
                 : QStringLiteral("Stage %1's motor file gives no propellant mass: its loaded mass is kept throughout")
                       .arg(stage));
    }
    if (stages.size() > 1)
        warn(prediction, EFlightWarning::StageMassesUnknown,
             QStringLiteral("The logbook holds no stage masses: spent motors are kept aboard"));
    return prediction;
}

CFlightPrediction predictFlight(const CFlightInput &input)
{
    return CFlightPredictor(input.rocket, input.site).predict(input.stages);
}
