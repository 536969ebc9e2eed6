#include "prediction/MotorPrediction.h"

#include "flightmodel/FlightPredictor.h"

CFlightPrediction predictMotor(const CRocketFlightInputs &rocket, const CCurveMotor &motor, int count,
                               const CLaunchSite &site)
{
    if (!rocket.ok()) {
        CFlightPrediction refused;
        refused.error = rocket.problemText();
        return refused;
    }
    return CFlightPredictor(rocket.body, site).predict(motor.load(count));
}

QString predictionSummary(const CFlightPrediction &prediction, const CCdChoice &cd, EHeightUnit unit)
{
    if (!prediction.ok())
        return prediction.error;
    QStringList parts;
    if (prediction.flown) {
        const QString nearest = prediction.delayS ? QStringLiteral("nearest %1 s").arg(*prediction.delayS)
                                                  : QStringLiteral("none available");
        parts << QStringLiteral("Apogee %1 at %2 s")
                     .arg(formatHeight(prediction.apogeeM, unit))
                     .arg(prediction.apogeeS, 0, 'f', 1)
              << QStringLiteral("optimal delay %1 s, %2").arg(prediction.optimalDelayS, 0, 'f', 1).arg(nearest)
              << QStringLiteral("off the guide at %1 m/s").arg(prediction.guideSpeedMps, 0, 'f', 1);
    }
    parts << cd.text();
    parts += prediction.texts();
    return parts.join(QStringLiteral("; "));
}
