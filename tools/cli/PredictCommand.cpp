#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "cli/PredictionArgs.h"
#include "flightmodel/FlightPredictor.h"

#include <QCommandLineParser>
#include <QJsonDocument>

namespace {

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

void declarePredict(QCommandLineParser &parser)
{
    declareRocketOptions(parser);
    declareMotorOptions(parser);
    declareDragOptions(parser, true);
    declareSiteOptions(parser);
    parser.addOption({QStringLiteral("format"), QStringLiteral("text (the default) or json."), QStringLiteral("FORMAT"),
                      QStringLiteral("text")});
}

void printPrediction(CCliRun &run, const CRocketFlightInputs &rocket, const CCurveMotor &motor, int count,
                     const CFlightPrediction &p)
{
    run.print(QStringLiteral("Rocket: %1, %2 kg, %3 mm, %4, guide %5 m")
                  .arg(rocket.name, fixed(rocket.body.massKg, 3), fixed(rocket.body.diameterM * 1000, 1),
                       rocket.cd.text(), fixed(rocket.body.guideM, 2)));
    run.print(
        QStringLiteral("Motor: %1%2").arg(motor.name(), count > 1 ? QStringLiteral(" x%1").arg(count) : QString()));
    run.print(QStringLiteral("Liftoff mass: %1 kg").arg(fixed(p.liftoffKg, 3)));
    run.print(QStringLiteral("Thrust-to-weight: %1").arg(fixed(p.thrustToWeight, 1)));
    if (p.flown) {
        run.print(QStringLiteral("Guide-exit speed: %1 m/s").arg(fixed(p.guideSpeedMps, 1)));
        run.print(QStringLiteral("Burnout: %1 s at %2 m, %3 m/s")
                      .arg(fixed(p.burnoutS, 2), fixed(p.burnoutAltitudeM, 1), fixed(p.burnoutSpeedMps, 1)));
        run.print(QStringLiteral("Maximum speed: %1 m/s").arg(fixed(p.maxSpeedMps, 1)));
        run.print(QStringLiteral("Maximum acceleration: %1 m/s²").arg(fixed(p.maxAccelerationMps2, 1)));
        run.print(QStringLiteral("Apogee: %1 m (%2 ft) at %3 s")
                      .arg(fixed(p.apogeeM, 1), fixed(p.apogeeM / 0.3048, 0), fixed(p.apogeeS, 2)));
        run.print(QStringLiteral("Optimal delay: %1 s").arg(fixed(p.optimalDelayS, 1)));
        run.print(p.delayS ? QStringLiteral("Delay: %1 s, ejection at %2 m/s")
                                 .arg(*p.delayS)
                                 .arg(fixed(p.ejectionSpeedMps.value_or(0), 1))
                           : QStringLiteral("Delay: none available"));
    }
    for (const QString &warning : p.texts())
        run.print(QStringLiteral("Warning: ") + warning);
}

int runPredict(CCliRun &run)
{
    const std::optional<QString> format = run.choice(QStringLiteral("format"), {"text", "json"});
    if (!format)
        return kCliUsage;
    if (!run.isSet(QStringLiteral("motor")))
        return run.usageError(QStringLiteral("name the motor: --motor TYPE"));
    bool named = false;
    if (!rocketNamed(run, named))
        return kCliUsage;
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    int status = kCliFailed;
    CRocketFlightInputs rocket;
    CLaunchSite site;
    int count = 1;
    if (!resolveRocket(run, *store, rocket, status) || !applyDragOptions(run, true, true, rocket, status)
        || !resolveSite(run, site, status) || !resolveCount(run, count, status))
        return status;
    QString error;
    const std::optional<CCurveMotor> motor =
        findCurveMotor(*store, run.value(QStringLiteral("motor")), run.value(QStringLiteral("mfg")), error);
    if (!motor)
        return run.fail(error);
    const CFlightPrediction prediction = CFlightPredictor(rocket.body, site).predict(motor->load(count));
    if (!prediction.ok())
        return run.fail(prediction.error);
    if (*format == QLatin1String("json"))
        run.write(QJsonDocument(predictionJson(rocket.body, prediction)).toJson(QJsonDocument::Indented));
    else
        printPrediction(run, rocket, *motor, count, prediction);
    return kCliSucceeded;
}

} // namespace

const CCliCommand kPredictCommand = {
    "predict",
    "(--rocket NAME | --mass KG --diameter M) --motor TYPE [--mfg MFG] [--count N] [--cd X] [--guide M] "
    "[--temperature C] [--elevation M] [--format text|json]",
    "a motor flown in a rocket: apogee, best delay, speeds and warnings",
    0,
    0,
    declarePredict,
    runPredict,
};
