#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "cli/PredictionArgs.h"
#include "flightmodel/CdFit.h"
#include "flightmodel/FlightPredictor.h"
#include "prediction/FlightFit.h"
#include "prediction/MeasureUnits.h"

#include <QCommandLineParser>

namespace {

void declareFit(QCommandLineParser &parser)
{
    declareRocketOptions(parser);
    declareMotorOptions(parser);
    declareDragOptions(parser, false);
    parser.addOption(
        {QStringLiteral("guide"), QStringLiteral("The length of the rod or rail, in m."), QStringLiteral("M")});
    declareSiteOptions(parser);
    parser.addOptions({
        {QStringLiteral("apogee"), QStringLiteral("The apogee the rocket reached, in m above the pad."),
         QStringLiteral("M")},
        {QStringLiteral("flight"),
         QStringLiteral("Instead: the flight of the log (its number in \"flights\") whose recording gives the "
                        "apogee; its rocket, motor and temperature unless given."),
         QStringLiteral("ID")},
    });
}

int runFit(CCliRun &run)
{
    const bool byFlight = run.isSet(QStringLiteral("flight"));
    if (byFlight == run.isSet(QStringLiteral("apogee")))
        return run.usageError(QStringLiteral("give the apogee: --apogee M or --flight ID"));
    bool rocketGiven = false;
    if (!rocketNamed(run, rocketGiven))
        return kCliUsage;
    if (!byFlight && (!rocketGiven || !run.isSet(QStringLiteral("motor"))))
        return run.usageError(QStringLiteral("name the rocket and the motor, or give --flight ID"));
    std::optional<double> apogee;
    if (!optionNumber(run, "apogee", apogee))
        return kCliUsage;
    bool number = false;
    const qint64 flightId = run.value(QStringLiteral("flight")).toLongLong(&number);
    if (byFlight && (!number || flightId <= 0))
        return run.usageError(
            QStringLiteral("--flight takes a flight's number, not \"%1\"").arg(run.value(QStringLiteral("flight"))));

    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    QString error;
    CRecordedFlight flight;
    CLaunchSite site;
    if (byFlight) {
        if (!loadRecordedFlight(*store, flightId, flight, error))
            return run.fail(error);
        apogee = flight.apogeeM;
        site.temperatureC = flight.temperatureC.value_or(site.temperatureC);
    }
    int status = kCliFailed;
    CRocketFlightInputs rocket;
    if (rocketGiven) {
        if (!resolveRocket(run, *store, rocket, status))
            return status;
    } else if (!loadRocketFlightInputs(*store, flight.rocketId, readUnitSystem(run.settingsStore()), rocket, error)) {
        return run.fail(error);
    } else if (!rocket.ok()) {
        return run.fail(QStringLiteral("the rocket \"%1\" cannot be flown: %2").arg(rocket.name, rocket.problemText()));
    }
    int count = 1;
    if (!applyDragOptions(run, false, true, rocket, status) || !resolveSite(run, site, status)
        || !resolveCount(run, count, status))
        return status;
    const QString type = run.isSet(QStringLiteral("motor")) ? run.value(QStringLiteral("motor")) : flight.motor.type;
    const QString mfg = run.isSet(QStringLiteral("motor")) ? run.value(QStringLiteral("mfg")) : flight.motor.maker;
    const std::optional<CCurveMotor> motor = findCurveMotor(*store, type, mfg, error);
    if (!motor)
        return run.fail(error);

    const CMotorLoad load = motor->load(count);
    const CCdFit fit = fitCd(CFlightPredictor(rocket.body, site), std::span<const CMotorLoad>(&load, 1), *apogee);
    if (!fit.ok())
        return run.fail(fit.error);
    run.print(QStringLiteral("Rocket: %1, %2 kg, %3 mm")
                  .arg(rocket.name)
                  .arg(rocket.body.massKg, 0, 'f', 3)
                  .arg(rocket.body.diameterM * 1000, 0, 'f', 1));
    run.print(
        QStringLiteral("Motor: %1%2").arg(motor->name(), count > 1 ? QStringLiteral(" x%1").arg(count) : QString()));
    run.print(QStringLiteral("Apogee: %1 m%2")
                  .arg(*apogee, 0, 'f', 1)
                  .arg(byFlight ? QStringLiteral(", recorded on flight %1").arg(flightId) : QString()));
    run.print(QStringLiteral("Fitted Cd: %1").arg(fit.cd, 0, 'f', 3));
    return kCliSucceeded;
}

} // namespace

const CCliCommand kFitCdCommand = {
    "fit-cd",
    "(--rocket NAME | --mass KG --diameter M) --motor TYPE [--mfg MFG] [--count N] [--guide M] [--temperature C] "
    "[--elevation M] (--apogee M | --flight ID)",
    "the drag coefficient with which the predicted apogee meets the one reached",
    0,
    0,
    declareFit,
    runFit,
};
