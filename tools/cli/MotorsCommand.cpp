#include "cli/CliCommand.h"
#include "cli/CliContext.h"
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

std::unique_ptr<CRecordStore> openCatalogue(CCliContext &context, FILE *err, std::vector<CCatalogueMotor> &motors)
{
    std::unique_ptr<CRecordStore> store = context.openStore(err);
    if (!store)
        return nullptr;
    std::optional<std::vector<CCatalogueMotor>> catalogue = loadMotorCatalogue(*store);
    if (!catalogue) {
        // SQLite's own words too, where the flyer's differ, for a script's log.
        const QString detail = store->lastSqliteError() != store->lastError()
            ? QStringLiteral(" (SQLite: %1)").arg(store->lastSqliteError())
            : QString();
        printLine(err, QStringLiteral("tarvel-cli: the motors cannot be read: ") + store->lastError() + detail);
        return nullptr;
    }
    motors = std::move(*catalogue);
    return store;
}

} // namespace

int runMotors(const QStringList &arguments, FILE *out, FILE *err)
{
    QString format = QStringLiteral("text");
    QString wantedClass;
    for (int i = 0; i < arguments.size(); i += 2) {
        const bool hasValue = i + 1 < arguments.size();
        if (hasValue && arguments.at(i) == QLatin1String("--class")) {
            wantedClass = arguments.at(i + 1);
        } else if (hasValue && arguments.at(i) == QLatin1String("--format")
                   && QStringList {"text", "csv", "json"}.contains(arguments.at(i + 1))) {
            format = arguments.at(i + 1);
        } else {
            printLine(err, QStringLiteral("usage: tarvel-cli motors [--class K] [--format text|csv|json]"));
            return 2;
        }
    }
    CCliContext context;
    std::vector<CCatalogueMotor> motors;
    if (!openCatalogue(context, err, motors))
        return 1;
    if (!wantedClass.isEmpty()) {
        std::erase_if(motors, [&](const CCatalogueMotor &motor) {
            return !motor.hasCurve || motor.figures.impulseClass.compare(wantedClass, Qt::CaseInsensitive) != 0;
        });
    }
    if (format == QLatin1String("json")) {
        QJsonArray array;
        for (const CCatalogueMotor &motor : motors)
            array.append(motorJson(motor));
        const QByteArray json = QJsonDocument(array).toJson(QJsonDocument::Indented);
        fwrite(json.constData(), 1, size_t(json.size()), out);
        return 0;
    }
    if (format == QLatin1String("csv"))
        printLine(out,
                  QStringLiteral("id,type,delay,mfg,size,class,total_impulse_ns,average_thrust_n,peak_thrust_n,"
                                 "burn_time_s,propellant_kg,total_kg"));
    for (const CCatalogueMotor &motor : motors) {
        if (format == QLatin1String("csv")) {
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
            printLine(out, fields.join(QLatin1Char(',')));
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
            printLine(out, line);
        }
    }
    return 0;
}

int runMotorCurve(const QStringList &arguments, FILE *out, FILE *err)
{
    if ((arguments.size() != 1 && arguments.size() != 3)
        || (arguments.size() == 3 && arguments.at(1) != QLatin1String("--mfg"))) {
        printLine(err, QStringLiteral("usage: tarvel-cli motor-curve TYPE [--mfg MFG]"));
        return 2;
    }
    const QString type = arguments.at(0);
    const QString mfg = arguments.size() == 3 ? arguments.at(2) : QString();
    CCliContext context;
    std::vector<CCatalogueMotor> motors;
    const std::unique_ptr<CRecordStore> store = openCatalogue(context, err, motors);
    if (!store)
        return 1;
    int printed = 0;
    for (const CCatalogueMotor &motor : motors) {
        if (!motor.hasCurve || motor.type.compare(type, Qt::CaseInsensitive) != 0
            || (!mfg.isEmpty() && motor.mfg.compare(mfg, Qt::CaseInsensitive) != 0))
            continue;
        std::optional<CMotorCurveRow> curve;
        if (!loadMotorCurve(*store, motor, curve)) {
            printLine(err,
                      QStringLiteral("tarvel-cli: the thrust curve of %1 %2 cannot be read: %3")
                          .arg(motor.mfg, motor.type, store->lastError()));
            return 1;
        }
        if (!curve)
            continue;
        printLine(out, QStringLiteral("; %1 %2-%3").arg(motor.mfg, motor.type, motor.delay));
        // Each value as the file gave it: the shortest text that reads back as the same number.
        for (const CThrustPoint &point : curve->points)
            printLine(out, shortestNumber(point.time) + QLatin1Char(' ') + shortestNumber(point.thrust));
        ++printed;
    }
    if (printed == 0) {
        printLine(err,
                  QStringLiteral("tarvel-cli: no motor of type \"%1\"%2 has a thrust curve")
                      .arg(type, mfg.isEmpty() ? QString() : QStringLiteral(" by \"%1\"").arg(mfg)));
        return 1;
    }
    return 0;
}
