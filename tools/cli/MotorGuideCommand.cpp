#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "cli/PredictionArgs.h"
#include "prediction/MotorGuide.h"
#include "prediction/MotorGuideModel.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString csvField(QString text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString csvValue(const QJsonValue &value)
{
    if (value.isNull())
        return QString();
    if (value.isArray()) {
        QStringList texts;
        for (const auto &text : value.toArray())
            texts.append(text.toString());
        return csvField(texts.join(QStringLiteral("; ")));
    }
    return QString::number(value.toDouble(), 'g', 10);
}

void declareGuide(QCommandLineParser &parser)
{
    declareRocketOptions(parser);
    parser.addOption(
        {QStringLiteral("class"), QStringLiteral("Only the motors of this impulse class."), QStringLiteral("K")});
    declareDragOptions(parser, false);
    parser.addOption({QStringLiteral("format"), QStringLiteral("text (the default), csv or json."),
                      QStringLiteral("FORMAT"), QStringLiteral("text")});
}

int runGuide(CCliRun &run)
{
    const std::optional<QString> format = run.choice(QStringLiteral("format"), {"text", "csv", "json"});
    if (!format)
        return kCliUsage;
    bool named = false;
    if (!rocketNamed(run, named))
        return kCliUsage;
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    int status = kCliFailed;
    CRocketFlightInputs rocket;
    if (!resolveRocket(run, *store, rocket, status) || !applyDragOptions(run, true, false, rocket, status))
        return status;
    const CLaunchSite site;
    if (const CFlightPredictor predictor(rocket.body, site); !predictor.problem().isEmpty())
        return run.fail(predictor.problem());
    QString error;
    std::optional<std::vector<CCurveMotor>> motors = loadCurveMotors(*store, error);
    if (!motors)
        return run.fail(QStringLiteral("the motors cannot be read: ") + error);
    const CMotorGuideFilter filter {run.value(QStringLiteral("class")), std::nullopt};
    CMotorGuide guide(rocket.body, site, std::move(*motors));
    guide.predictAll();
    std::vector<CMotorGuideRow> rows;
    for (const CMotorGuideRow &row : guide.rows()) {
        if (filter.accepts(row))
            rows.push_back(row);
    }
    sortByApogee(rows);

    if (*format == QLatin1String("json")) {
        QJsonArray array;
        for (const CMotorGuideRow &row : rows) {
            QJsonObject object = predictionJson(rocket.body, row.prediction);
            object.insert(QStringLiteral("type"), row.type);
            object.insert(QStringLiteral("mfg"), row.mfg);
            object.insert(QStringLiteral("class"), row.impulseClass);
            array.append(object);
        }
        run.write(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return kCliSucceeded;
    }
    if (*format == QLatin1String("csv")) {
        const QStringList keys = predictionKeys();
        run.print(QStringLiteral("type,mfg,class,") + keys.join(QLatin1Char(',')));
        for (const CMotorGuideRow &row : rows) {
            const QJsonObject object = predictionJson(rocket.body, row.prediction);
            QStringList fields {csvField(row.type), csvField(row.mfg), csvField(row.impulseClass)};
            for (const QString &key : keys)
                fields.append(csvValue(object.value(key)));
            run.print(fields.join(QLatin1Char(',')));
        }
        return kCliSucceeded;
    }
    run.print(QStringLiteral("%1, %2; %3 motors").arg(rocket.name, rocket.cd.text()).arg(rows.size()));
    for (const CMotorGuideRow &row : rows) {
        const CFlightPrediction &p = row.prediction;
        QString line = row.mfg + QLatin1Char('\t') + row.type + QLatin1Char('\t') + row.impulseClass;
        if (p.flown) {
            line += QStringLiteral("\t%1 m\tdelay %2 (optimal %3 s)\t%4 m/s off the guide")
                        .arg(p.apogeeM, 0, 'f', 1)
                        .arg(p.delayS ? QString::number(*p.delayS) + QStringLiteral(" s") : QStringLiteral("none"))
                        .arg(p.optimalDelayS, 0, 'f', 1)
                        .arg(p.guideSpeedMps, 0, 'f', 1);
        }
        run.print(line + QLatin1Char('\t') + guideResultText(p));
    }
    return kCliSucceeded;
}

} // namespace

const CCliCommand kMotorGuideCommand = {
    "motor-guide",
    "(--rocket NAME | --mass KG --diameter M) [--class K] [--cd X] [--format text|csv|json]",
    "every motor with a thrust curve flown in a rocket, highest apogee first",
    0,
    0,
    declareGuide,
    runGuide,
};
