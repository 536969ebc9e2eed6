#include "cli/PredictionArgs.h"

#include "cli/CliRun.h"
#include "flightmodel/FlightPrediction.h"
#include "prediction/MeasureUnits.h"

#include <QCommandLineParser>
#include <QJsonArray>

#include <cmath>

namespace {
const QString kRocket = QStringLiteral("rocket");
const QString kMass = QStringLiteral("mass");
const QString kDiameter = QStringLiteral("diameter");

QJsonValue optionalNumber(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}
} // namespace

void declareRocketOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {kRocket, QStringLiteral("The rocket of the catalogue of this name."), QStringLiteral("NAME")},
        {kMass, QStringLiteral("Instead: the rocket's mass without motor, in kg."), QStringLiteral("KG")},
        {kDiameter, QStringLiteral("With --mass: the rocket's diameter, in m."), QStringLiteral("M")},
    });
}

void declareDragOptions(QCommandLineParser &parser, bool withGuide)
{
    parser.addOption({QStringLiteral("cd"), QStringLiteral("The drag coefficient, instead of the rocket's own."),
                      QStringLiteral("X")});
    if (withGuide)
        parser.addOption(
            {QStringLiteral("guide"), QStringLiteral("The length of the rod or rail, in m."), QStringLiteral("M")});
}

void declareMotorOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("motor"), QStringLiteral("The motor's type, such as C6."), QStringLiteral("TYPE")},
        {QStringLiteral("mfg"), QStringLiteral("The motor's maker, where several sell that type."),
         QStringLiteral("MFG")},
        {QStringLiteral("count"), QStringLiteral("How many of the motor are lit together (1)."), QStringLiteral("N")},
    });
}

void declareSiteOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("temperature"), QStringLiteral("The temperature at the pad, in °C (15)."), QStringLiteral("C")},
        {QStringLiteral("elevation"), QStringLiteral("The site's height above sea level, in m (0)."),
         QStringLiteral("M")},
    });
}

bool optionNumber(CCliRun &run, const char *option, std::optional<double> &value)
{
    const QString name = QLatin1String(option);
    value.reset();
    if (!run.isSet(name))
        return true;
    bool number = false;
    const double read = run.value(name).trimmed().toDouble(&number);
    if (!number || !std::isfinite(read)) {
        run.usageError(QStringLiteral("--%1 takes a number, not \"%2\"").arg(name, run.value(name)));
        return false;
    }
    value = read;
    return true;
}

bool rocketNamed(CCliRun &run, bool &named)
{
    named = run.isSet(kRocket);
    const bool byFigures = run.isSet(kMass) || run.isSet(kDiameter);
    if (named && byFigures) {
        run.usageError(QStringLiteral("give --rocket, or --mass and --diameter, not both"));
        return false;
    }
    if (byFigures && !(run.isSet(kMass) && run.isSet(kDiameter))) {
        run.usageError(QStringLiteral("--mass and --diameter go together"));
        return false;
    }
    named = named || byFigures;
    return true;
}

bool resolveRocket(CCliRun &run, CRecordStore &store, CRocketFlightInputs &rocket, int &status)
{
    rocket = CRocketFlightInputs();
    status = kCliUsage;
    bool named = false;
    if (!rocketNamed(run, named))
        return false;
    if (!named) {
        run.usageError(QStringLiteral("name the rocket: --rocket NAME, or --mass KG --diameter M"));
        return false;
    }
    status = kCliFailed;
    if (run.isSet(kRocket)) {
        QString id;
        QString error;
        if (!findRocketByName(store, run.value(kRocket), id, error)
            || !loadRocketFlightInputs(store, id, readUnitSystem(run.settingsStore()), rocket, error)) {
            run.fail(error);
            return false;
        }
        if (!rocket.ok()) {
            run.fail(QStringLiteral("the rocket \"%1\" cannot be flown: %2").arg(rocket.name, rocket.problemText()));
            return false;
        }
    } else {
        std::optional<double> mass;
        std::optional<double> diameter;
        if (!optionNumber(run, "mass", mass) || !optionNumber(run, "diameter", diameter)) {
            status = kCliUsage;
            return false;
        }
        rocket.name = QStringLiteral("the rocket");
        rocket.body.massKg = *mass;
        rocket.body.diameterM = *diameter;
        rocket.body.cd = rocket.cd.cd;
        rocket.body.guideM = kDefaultGuideM;
    }
    return true;
}

bool applyDragOptions(CCliRun &run, bool withCd, bool withGuide, CRocketFlightInputs &rocket, int &status)
{
    std::optional<double> cd;
    std::optional<double> guide;
    if ((withCd && !optionNumber(run, "cd", cd)) || (withGuide && !optionNumber(run, "guide", guide))) {
        status = kCliUsage;
        return false;
    }
    if (cd) {
        rocket.cd = CCdChoice {*cd, ECdSource::Given, rocket.cd.fittedFlights};
        rocket.body.cd = *cd;
    }
    if (guide)
        rocket.body.guideM = *guide;
    return true;
}

bool resolveSite(CCliRun &run, CLaunchSite &site, int &status)
{
    std::optional<double> temperature;
    std::optional<double> elevation;
    if (!optionNumber(run, "temperature", temperature) || !optionNumber(run, "elevation", elevation)) {
        status = kCliUsage;
        return false;
    }
    site.temperatureC = temperature.value_or(site.temperatureC);
    site.elevationM = elevation.value_or(site.elevationM);
    return true;
}

bool resolveCount(CCliRun &run, int &count, int &status)
{
    count = 1;
    if (!run.isSet(QStringLiteral("count")))
        return true;
    bool number = false;
    count = run.value(QStringLiteral("count")).toInt(&number);
    if (!number || count < 1 || count > 100) {
        status = run.usageError(QStringLiteral("--count takes a number of motors from 1 to 100, not \"%1\"")
                                    .arg(run.value(QStringLiteral("count"))));
        return false;
    }
    return true;
}

QStringList predictionKeys()
{
    return {"liftoff_kg",
            "diameter_m",
            "cd",
            "guide_m",
            "thrust_to_weight",
            "guide_speed_mps",
            "burnout_s",
            "burnout_altitude_m",
            "burnout_speed_mps",
            "max_speed_mps",
            "max_acceleration_mps2",
            "apogee_m",
            "apogee_s",
            "optimal_delay_s",
            "delay_s",
            "ejection_speed_mps",
            "warnings"};
}

QJsonObject predictionJson(const CRocketBody &rocket, const CFlightPrediction &p)
{
    QJsonArray warnings;
    for (const QString &text : p.texts())
        warnings.append(text);
    return {
        {QStringLiteral("liftoff_kg"), p.liftoffKg},
        {QStringLiteral("diameter_m"), rocket.diameterM},
        {QStringLiteral("cd"), rocket.cd},
        {QStringLiteral("guide_m"), rocket.guideM},
        {QStringLiteral("thrust_to_weight"), p.thrustToWeight},
        {QStringLiteral("guide_speed_mps"), p.guideSpeedMps},
        {QStringLiteral("burnout_s"), p.burnoutS},
        {QStringLiteral("burnout_altitude_m"), p.burnoutAltitudeM},
        {QStringLiteral("burnout_speed_mps"), p.burnoutSpeedMps},
        {QStringLiteral("max_speed_mps"), p.maxSpeedMps},
        {QStringLiteral("max_acceleration_mps2"), p.maxAccelerationMps2},
        {QStringLiteral("apogee_m"), p.apogeeM},
        {QStringLiteral("apogee_s"), p.apogeeS},
        {QStringLiteral("optimal_delay_s"), p.optimalDelayS},
        {QStringLiteral("delay_s"), optionalNumber(p.delayS)},
        {QStringLiteral("ejection_speed_mps"), optionalNumber(p.ejectionSpeedMps)},
        {QStringLiteral("warnings"), warnings},
    };
}
