#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "motors/MotorCurveStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue figure(const CCatalogueMotor &motor, double value)
{
    return motor.hasCurve ? QJsonValue(value) : QJsonValue();
}

QJsonObject motorJson(const CCatalogueMotor &motor)
{
    return {
        {QStringLiteral("id"), motor.id},
        {QStringLiteral("type"), motor.type},
        {QStringLiteral("delay"), motor.delay},
        {QStringLiteral("mfg"), motor.mfg},
        {QStringLiteral("size"), motor.size},
        {QStringLiteral("class"), motor.hasCurve ? QJsonValue(motor.figures.impulseClass) : QJsonValue()},
        {QStringLiteral("total_impulse_ns"), figure(motor, motor.figures.totalImpulse)},
        {QStringLiteral("average_thrust_n"), figure(motor, motor.figures.averageThrust)},
        {QStringLiteral("peak_thrust_n"), figure(motor, motor.figures.peakThrust)},
        {QStringLiteral("burn_time_s"), figure(motor, motor.figures.burnTime)},
        {QStringLiteral("propellant_kg"), figure(motor, motor.masses.propellantKg)},
        {QStringLiteral("total_kg"), figure(motor, motor.masses.totalKg)},
    };
}

QString csvField(QString text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString csvFigure(const CCatalogueMotor &motor, double value)
{
    return motor.hasCurve ? QString::number(value, 'g', 10) : QString();
}

// The catalogue with every curve's figures; null after saying why it cannot be read.
CRecordStore *openCatalogue(CCliRun &run, std::vector<CCatalogueMotor> &motors)
{
    CRecordStore *store = run.openStore();
    if (!store)
        return nullptr;
    std::optional<std::vector<CCatalogueMotor>> catalogue = loadMotorCatalogue(*store);
    if (!catalogue) {
        // SQLite's own words too, where the flyer's differ, for a script's log.
        const QString detail = store->lastSqliteError() != store->lastError()
            ? QStringLiteral(" (SQLite: %1)").arg(store->lastSqliteError())
            : QString();
        run.fail(QStringLiteral("the motors cannot be read: ") + store->lastError() + detail);
        return nullptr;
    }
    motors = std::move(*catalogue);
    return store;
}

void declareMotors(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("class"), QStringLiteral("Only the motors whose curve is of this impulse class."),
         QStringLiteral("K")},
        {QStringLiteral("format"), QStringLiteral("text (the default), csv or json."), QStringLiteral("FORMAT"),
         QStringLiteral("text")},
    });
}

void declareMotorCurve(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("TYPE"), QStringLiteral("The motor's type, such as C6."));
    parser.addOption({QStringLiteral("mfg"), QStringLiteral("Only the motors of this maker."), QStringLiteral("MFG")});
}

int runMotors(CCliRun &run)
{
    const std::optional<QString> format =
        run.choice(QStringLiteral("format"), {QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")});
    if (!format)
        return kCliUsage;
    const QString wantedClass = run.value(QStringLiteral("class"));
    std::vector<CCatalogueMotor> motors;
    if (!openCatalogue(run, motors))
        return kCliFailed;
    if (!wantedClass.isEmpty()) {
        std::erase_if(motors, [&](const CCatalogueMotor &motor) {
            return !motor.hasCurve || motor.figures.impulseClass.compare(wantedClass, Qt::CaseInsensitive) != 0;
        });
    }
    if (*format == QLatin1String("json")) {
        QJsonArray array;
        for (const CCatalogueMotor &motor : motors)
            array.append(motorJson(motor));
        run.write(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return kCliSucceeded;
    }
    if (*format == QLatin1String("csv"))
        run.print(QStringLiteral("id,type,delay,mfg,size,class,total_impulse_ns,average_thrust_n,peak_thrust_n,"
                                 "burn_time_s,propellant_kg,total_kg"));
    for (const CCatalogueMotor &motor : motors) {
        if (*format == QLatin1String("csv")) {
            const QStringList fields = {
                QString::number(motor.id),
                csvField(motor.type),
                csvField(motor.delay),
                csvField(motor.mfg),
                csvField(motor.size),
                motor.hasCurve ? motor.figures.impulseClass : QString(),
                csvFigure(motor, motor.figures.totalImpulse),
                csvFigure(motor, motor.figures.averageThrust),
                csvFigure(motor, motor.figures.peakThrust),
                csvFigure(motor, motor.figures.burnTime),
                csvFigure(motor, motor.masses.propellantKg),
                csvFigure(motor, motor.masses.totalKg),
            };
            run.print(fields.join(QLatin1Char(',')));
        } else {
            QString line = motor.mfg + QLatin1Char('\t') + motor.type + QLatin1Char('\t') + motor.delay
                + QLatin1Char('\t') + motor.size;
            if (motor.hasCurve)
                line += QStringLiteral("\t%1\t%2 Ns\t%3 N avg\t%4 N peak\t%5 s")
                            .arg(motor.figures.impulseClass)
                            .arg(motor.figures.totalImpulse, 0, 'f', 1)
                            .arg(motor.figures.averageThrust, 0, 'f', 1)
                            .arg(motor.figures.peakThrust, 0, 'f', 1)
                            .arg(motor.figures.burnTime, 0, 'f', 2);
            run.print(line);
        }
    }
    return kCliSucceeded;
}

int runMotorCurve(CCliRun &run)
{
    const QString type = run.arguments().first();
    const QString mfg = run.value(QStringLiteral("mfg"));
    std::vector<CCatalogueMotor> motors;
    CRecordStore *store = openCatalogue(run, motors);
    if (!store)
        return kCliFailed;
    int printed = 0;
    for (const CCatalogueMotor &motor : motors) {
        if (!motor.hasCurve || motor.type.compare(type, Qt::CaseInsensitive) != 0
            || (!mfg.isEmpty() && motor.mfg.compare(mfg, Qt::CaseInsensitive) != 0))
            continue;
        std::optional<CMotorCurveRow> curve;
        if (!loadMotorCurve(*store, motor, curve))
            return run.fail(QStringLiteral("the thrust curve of %1 %2 cannot be read: %3")
                                .arg(motor.mfg, motor.type, store->lastError()));
        if (!curve)
            continue;
        run.print(QStringLiteral("; %1 %2-%3").arg(motor.mfg, motor.type, motor.delay));
        // Each value as the file gave it: the shortest text that reads back as the same number.
        for (const CThrustPoint &point : curve->points)
            run.print(shortestNumber(point.time) + QLatin1Char(' ') + shortestNumber(point.thrust));
        ++printed;
    }
    if (printed == 0)
        return run.fail(QStringLiteral("no motor of type \"%1\"%2 has a thrust curve")
                            .arg(type, mfg.isEmpty() ? QString() : QStringLiteral(" by \"%1\"").arg(mfg)));
    return kCliSucceeded;
}

} // namespace

const CCliCommand kMotorsCommand = {
    "motors",
    "[--class K] [--format text|csv|json]",
    "the motor catalogue with each thrust curve's figures",
    0,
    0,
    declareMotors,
    runMotors,
};

const CCliCommand kMotorCurveCommand = {
    "motor-curve",     "TYPE [--mfg MFG]", "a motor's thrust curve: one \"time thrust\" pair a line", 1, 1,
    declareMotorCurve, runMotorCurve,
};
